#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <unordered_map>

struct UCollator;

// The order of a Chinese-locale sorted list box: digits and Latin letters
// first, then Chinese in pinyin order; letters without regard to case; equal
// names keep the order in which they were added. Collation keys are
// remembered per name, so sorting the same names again (every search
// keystroke) costs no collation work.
class ListOrder
{
public:
    // The order as the Chinese collation of ICU gives it; a failure holds
    // ICU's name for what went wrong.
    static Result<ListOrder> open();

    // Sorts names stably into list order.
    void sort(QStringList &names);

private:
    struct CollatorCloser {
        void operator()(UCollator *collator) const;
    };
    using Collator = std::unique_ptr<UCollator, CollatorCloser>;
    explicit ListOrder(Collator collator);

    struct Known {
        std::string key;
        int rank = 0; // equal keys share a rank
    };

    Known &known(const QString &name);
    void rankAll();

    Collator m_collator;
    // Node-based, so an entry stays where it is while others are added.
    std::unordered_map<QString, Known> m_known;
    bool m_ranked = true; // no name was added since the last ranking
};
