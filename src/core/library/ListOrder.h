#pragma once

#include <QString>
#include <QStringList>

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
    ListOrder();
    ~ListOrder();
    ListOrder(const ListOrder &) = delete;
    ListOrder &operator=(const ListOrder &) = delete;

    // Sorts names stably into list order.
    void sort(QStringList &names);

private:
    struct Known {
        std::string key;
        int rank = 0; // equal keys share a rank
    };

    Known &known(const QString &name);
    void rankAll();

    UCollator *m_collator = nullptr;
    // Node-based, so an entry stays where it is while others are added.
    std::unordered_map<QString, Known> m_known;
    bool m_ranked = true; // no name was added since the last ranking
};
