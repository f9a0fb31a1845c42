#pragma once

#include "Result.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct UCollator;

// The order of a Chinese-locale sorted list box: digits and Latin letters
// first, then Chinese in pinyin order; letters without regard to case; equal
// names keep the order in which they were given.
class ListOrder
{
public:
    // The order as the Chinese collation of ICU gives it; a failure holds
    // ICU's name for what went wrong.
    static Result<ListOrder> open();

    // The numbers 0 to count - 1 of names, ranked in list order by one sort
    // of their collation keys.
    std::vector<int> ranked(int count, const std::function<QString(int)> &nameOf) const;

private:
    struct CollatorCloser {
        void operator()(UCollator *collator) const;
    };
    using Collator = std::unique_ptr<UCollator, CollatorCloser>;
    explicit ListOrder(Collator collator);

    Collator m_collator;
};
