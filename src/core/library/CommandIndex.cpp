#include "CommandIndex.h"

#include "LibraryTexts.h"
#include "SearchBudget.h"

#include <algorithm>

namespace {
// Names given pinyin keys, or command texts laid out, between two looks at
// the clock.
constexpr std::size_t kKeysPerClockCheck = 64;
constexpr std::size_t kCodesPerClockCheck = 256;
// A character takes at most four bytes of UTF-8, and every byte that is not
// UTF-8 one unit: this many bytes give at least as many units.
constexpr std::size_t kMostBytesPerUnit = 4;
} // namespace

Result<void> CommandIndex::open(const QString &path, const QByteArray &key)
{
    if (Result<void> opened = m_store.open(path, key); !opened)
        return opened;
    Result<ListOrder> order = ListOrder::open();
    if (!order)
        return Failure{order.error()};
    m_order.emplace(std::move(order).value());
    return {};
}

Result<void> CommandIndex::readNames()
{
    Result<CommandStore::Names> rows = m_store.readNames();
    if (!rows)
        return Failure{rows.error()};
    m_rows = std::move(rows).value();
    m_listed = m_order->ranked(int(m_rows.names.size()), [this](int row) { return nameOf(row); });
    m_names = {};
    for (const int row : m_listed)
        m_names.append(m_rows.names.at(std::size_t(row)).data());
    m_codes = {};
    m_pinyin = {};
    m_codesRead = false;
    m_codesReadAfter.reset();
    m_codeIds.clear();
    m_codeTexts.clear();
    m_codeNull.clear();
    return {};
}

QString CommandIndex::nameOf(int row) const
{
    const std::string_view name = m_rows.names.at(std::size_t(row));
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QString CommandIndex::shownNameOf(int row) const
{
    const std::string_view name = m_rows.names.at(std::size_t(row));
    const std::string_view head = name.substr(0, kMostBytesPerUnit * std::size_t(LibraryTexts::kShownNameLimit));
    QString shown = QString::fromUtf8(head.data(), qsizetype(head.size()));
    if (head.size() == name.size() && shown.size() <= LibraryTexts::kShownNameLimit)
        return shown;
    qsizetype end = std::min(shown.size(), LibraryTexts::kShownNameLimit);
    if (end > 0 && shown.at(end - 1).isHighSurrogate())
        --end;
    shown.truncate(end);
    return shown + QString::fromUtf8(LibraryTexts::kNameCut);
}

Result<bool> CommandIndex::prepare(QDeadlineTimer deadline, Column first)
{
    if (first == Column::Name && !makePinyinKeys(deadline))
        return false;
    const Result<bool> codes = prepareCodes(deadline);
    if (!codes || !*codes)
        return codes;
    return makePinyinKeys(deadline);
}

// The texts come in id order; once all are in, they are laid out in list
// order for the search.
Result<bool> CommandIndex::prepareCodes(QDeadlineTimer deadline)
{
    if (!m_codesRead) {
        const Result<bool> done =
            m_store.readCodes(m_codesReadAfter, deadline, [this](std::int64_t id, const char *code) {
                m_codeIds.push_back(id);
                m_codeTexts.append(code ? code : "");
                m_codeNull.push_back(!code);
            });
        if (!done || !*done)
            return done;
        m_codesRead = true;
    }
    return layOutCodes(deadline);
}

bool CommandIndex::layOutCodes(QDeadlineTimer deadline)
{
    while (!codesReady()) {
        if (m_codes.size() % kCodesPerClockCheck == 0 && deadline.hasExpired())
            return false;
        const std::int64_t id = m_rows.ids[std::size_t(m_listed[m_codes.size()])];
        const auto found = std::lower_bound(m_codeIds.begin(), m_codeIds.end(), id);
        const auto at = std::size_t(found - m_codeIds.begin());
        const bool known = found != m_codeIds.end() && *found == id && !m_codeNull[at];
        m_codes.append(known ? m_codeTexts.at(at).data() : nullptr);
    }
    m_codeIds = {};
    m_codeTexts = {};
    m_codeNull = {};
    return true;
}

bool CommandIndex::makePinyinKeys(QDeadlineTimer deadline)
{
    while (m_pinyin.size() < m_listed.size()) {
        if (m_pinyin.size() % kKeysPerClockCheck == 0 && deadline.hasExpired())
            return false;
        m_pinyin.add(nameOf(m_listed[m_pinyin.size()]));
    }
    return true;
}

Result<std::vector<int>> CommandIndex::search(Column column, const QString &term)
{
    if (const Result<bool> prepared = prepare(QDeadlineTimer::Forever, column); !prepared)
        return Failure{prepared.error()};
    return searchPrepared(column, term).value();
}

std::optional<Result<std::vector<int>>> CommandIndex::searchPrepared(Column column, const QString &term) const
{
    if (column == Column::Code && !codesReady())
        return std::nullopt;
    SearchBudget budget;
    Result<std::vector<int>> found = (column == Column::Code ? m_codes : m_names).find(term, budget);
    if (column == Column::Name && found && found->empty() && PinyinIndex::isPinyinTerm(term)) {
        if (!pinyinReady())
            return std::nullopt;
        found = m_pinyin.find(term, budget);
    }
    if (!found)
        return found;
    return rowsAt(*found);
}

std::vector<int> CommandIndex::rowsAt(const std::vector<int> &positions) const
{
    std::vector<int> rows;
    rows.reserve(positions.size());
    for (const int position : positions)
        rows.push_back(m_listed[std::size_t(position)]);
    return rows;
}

Result<std::optional<QString>> CommandIndex::codeOf(int row)
{
    const std::string_view name = m_rows.names.at(std::size_t(row));
    int first = 0;
    while (m_rows.names.at(std::size_t(first)) != name)
        ++first;
    return m_store.codeOf(m_rows.ids[std::size_t(first)]);
}
