#pragma once

#include "Result.h"

#include <memory>
#include <string_view>
#include <vector>

struct UCollator;

// The order of a Chinese-locale sorted list box: digits and Latin letters
// first, then Chinese in pinyin order; letters without regard to case; equal
// names keep the order in which they were given.
class ListOrder
{
public:
    class Ranking;

    // The order as the Chinese collation of ICU gives it; a failure holds
    // ICU's name for what went wrong.
    static Result<ListOrder> open();

private:
    struct CollatorCloser {
        void operator()(UCollator *collator) const;
    };
    using Collator = std::unique_ptr<UCollator, CollatorCloser>;
    explicit ListOrder(Collator collator);

    Collator m_collator;
};

// Names ranked while they are still coming in, as a library is read: from
// the first full batch on, a thread of its own makes their collation keys as
// they come; what is left when the last name is in, the thread that asks for
// the order shares. Each thread sorts the keys it made, and the two runs are
// merged.
class ListOrder::Ranking
{
public:
    explicit Ranking(const ListOrder &order);
    ~Ranking(); // waits for the thread of its own
    Ranking(const Ranking &) = delete;
    Ranking &operator=(const Ranking &) = delete;

    // The next name, in UTF-8; its number is the count of names before it.
    void add(std::string_view name);
    // The numbers of the names added, in list order; once only.
    std::vector<int> order();

private:
    class Work;
    std::unique_ptr<Work> m_work;
};
