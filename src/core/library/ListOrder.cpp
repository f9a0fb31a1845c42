#include "ListOrder.h"

#include <unicode/ucol.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <iterator>
#include <vector>

void ListOrder::CollatorCloser::operator()(UCollator *collator) const
{
    ucol_close(collator);
}

ListOrder::ListOrder(Collator collator)
    : m_collator(std::move(collator))
{
}

Result<ListOrder> ListOrder::open()
{
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open("zh_CN", &status));
    if (U_SUCCESS(status)) {
        // Secondary strength: accents count, case does not.
        ucol_setStrength(collator.get(), UCOL_SECONDARY);
        // Chinese collation puts Han before Latin; a Chinese Windows list
        // box lists Latin names first.
        const int32_t latinFirst[] = {USCRIPT_LATIN, USCRIPT_HAN};
        ucol_setReorderCodes(collator.get(), latinFirst, int32_t(std::size(latinFirst)), &status);
    }
    if (U_FAILURE(status))
        return Failure{QString::fromLatin1(u_errorName(status))};
    return ListOrder(std::move(collator));
}

ListOrder::Known &ListOrder::known(const QString &name)
{
    auto found = m_known.find(name);
    if (found != m_known.end())
        return found->second;
    const auto *text = reinterpret_cast<const UChar *>(name.utf16());
    const auto length = int32_t(name.size());
    std::string sortKey(size_t(2 * length + 16), '\0');
    auto written = ucol_getSortKey(m_collator.get(), text, length, reinterpret_cast<uint8_t *>(sortKey.data()), int32_t(sortKey.size()));
    if (written > int32_t(sortKey.size())) {
        sortKey.resize(size_t(written));
        written = ucol_getSortKey(m_collator.get(), text, length, reinterpret_cast<uint8_t *>(sortKey.data()), written);
    }
    sortKey.resize(size_t(std::max<int32_t>(written, 1)) - 1); // without the closing zero byte
    m_ranked = false;
    return m_known.emplace(name, Known{std::move(sortKey)}).first->second;
}

void ListOrder::rankAll()
{
    std::vector<Known *> all;
    all.reserve(m_known.size());
    for (auto &entry : m_known)
        all.push_back(&entry.second);
    std::sort(all.begin(), all.end(), [](const Known *a, const Known *b) { return a->key < b->key; });
    int rank = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (i > 0 && all[i - 1]->key != all[i]->key)
            ++rank;
        all[i]->rank = rank;
    }
    m_ranked = true;
}

void ListOrder::sort(QStringList &names)
{
    struct Entry {
        const Known *known;
        qsizetype index;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        entries.push_back({&known(names.at(i)), i});
    if (!m_ranked)
        rankAll();
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.known->rank < b.known->rank; });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const Entry &entry : entries)
        sorted.append(names.at(entry.index));
    names.swap(sorted);
}
