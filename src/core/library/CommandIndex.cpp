#include "CommandIndex.h"

#include "LibraryTexts.h"
#include "LooseMatch.h"
#include "SearchBudget.h"
#include "SearchTerm.h"

#include <algorithm>
#include <unordered_map>

namespace {
// Names given pinyin keys, or command texts laid out, between two looks at
// the clock.
constexpr std::size_t kKeysPerClockCheck = 64;
constexpr std::size_t kCodesPerClockCheck = 256;
constexpr std::size_t kNamesPerClockCheck = 1024;
// A character takes at most four bytes of UTF-8, and every byte that is not
// UTF-8 one unit: this many bytes give at least as many units.
constexpr std::size_t kMostBytesPerUnit = 4;

// Each place once, where it first comes.
std::vector<int> firstOfEach(const std::vector<int> &positions, std::size_t places)
{
    std::vector<bool> seen(places);
    std::vector<int> first;
    for (const int position : positions) {
        if (!seen[std::size_t(position)]) {
            seen[std::size_t(position)] = true;
            first.push_back(position);
        }
    }
    return first;
}
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
    // The names are ranked while the rest are still being read.
    ListOrder::Ranking ranking(*m_order);
    Result<CommandStore::Names> rows = m_store.readNames([&ranking](std::string_view name) { ranking.add(name); });
    if (!rows)
        return Failure{rows.error()};
    m_rows = std::move(rows).value();
    m_listed = ranking.order();
    m_names = {};
    m_codes = {};
    m_pinyin = {};
    m_codesRead = false;
    m_codesReadAfter.reset();
    m_codeIds.clear();
    m_codeTexts = {};
    m_codeNull.clear();
    m_words.clear();
    return readWords();
}

// A word goes to every place in the list whose name it was written for.
Result<void> CommandIndex::readWords()
{
    std::unordered_multimap<std::string_view, int> placesOf;
    return m_store.readWords([this, &placesOf](std::string_view name, std::string_view word) {
        if (placesOf.empty()) {
            for (std::size_t position = 0; position < m_listed.size(); ++position)
                placesOf.emplace(m_rows.names.at(std::size_t(m_listed[position])), int(position));
        }
        const auto [first, last] = placesOf.equal_range(name);
        for (auto place = first; place != last; ++place)
            m_words.add(place->second, word);
    });
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
    return Search::headOf(shown, LibraryTexts::kShownNameLimit) + QString::fromUtf8(LibraryTexts::kNameCut);
}

Result<bool> CommandIndex::prepare(QDeadlineTimer deadline, Column first)
{
    // The names for the search first, whatever the column: they take a
    // fraction of a slice.
    if (!layOutNames(deadline))
        return false;
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
    if (m_codes.size() == 0)
        m_codes.reserve(m_listed.size(), m_codeTexts.bytes());
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

bool CommandIndex::layOutNames(QDeadlineTimer deadline)
{
    if (m_names.size() == 0)
        m_names.reserve(m_listed.size(), m_rows.names.bytes());
    while (!namesReady()) {
        if (m_names.size() % kNamesPerClockCheck == 0 && deadline.hasExpired())
            return false;
        m_names.append(m_rows.names.at(std::size_t(m_listed[m_names.size()])).data());
    }
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

// Prepares only what the column's search reads: a search by name never
// reads the command texts.
Result<std::vector<int>> CommandIndex::search(Column column, const QString &term)
{
    if (column == Column::Code) {
        if (const Result<bool> prepared = prepareCodes(QDeadlineTimer::Forever); !prepared)
            return Failure{prepared.error()};
    } else {
        layOutNames(QDeadlineTimer::Forever);
        makePinyinKeys(QDeadlineTimer::Forever);
    }
    return searchPrepared(column, term).value();
}

std::optional<Result<std::vector<int>>> CommandIndex::searchPrepared(Column column, const QString &term) const
{
    if (column == Column::Code ? !codesReady() : !namesReady())
        return std::nullopt;
    SearchBudget budget;
    Result<std::vector<int>> found = (column == Column::Code ? m_codes : m_names).find(term, budget);
    if (column == Column::Name && found && found->empty()) {
        if (PinyinIndex::isPinyinTerm(term) && !pinyinReady())
            return std::nullopt;
        found = findBeyondDesign(term, budget);
    }
    if (!found)
        return found;
    return rowsAt(*found);
}

Result<std::vector<int>> CommandIndex::findBeyondDesign(const QString &term, SearchBudget &budget) const
{
    std::vector<int> found;
    if (PinyinIndex::isPinyinTerm(term)) {
        Result<std::vector<int>> spelled = m_pinyin.find(term, budget);
        if (!spelled)
            return spelled;
        found = std::move(spelled).value();
    }
    const bool spelledInPinyin = !found.empty();
    const std::string looseTerm = LooseMatch::withoutAsking(LooseMatch::looseForm(term.toStdString()));
    const std::vector<int> worded = m_words.find(looseTerm);
    found.insert(found.end(), worded.begin(), worded.end());
    // Letters that spell names in pinyin are not looked for scattered in the
    // names as well: pinyin has answered, and the pass over every name would
    // be most of the keystroke.
    Result<LooseMatch::Found> named = LooseMatch::Found{};
    if (!spelledInPinyin) {
        named = LooseMatch::matchNames(
            looseTerm, m_listed.size(),
            [this](std::size_t position) { return m_rows.names.at(std::size_t(m_listed[position])); }, budget);
    }
    if (!named)
        return Failure{named.error()};
    // A name or a word, whichever holds the term closer.
    std::vector<std::pair<std::size_t, int>> inOrder = m_words.spansInOrder(LooseMatch::charactersOf(looseTerm));
    inOrder.insert(inOrder.end(), named->inOrder.begin(), named->inOrder.end());
    std::sort(inOrder.begin(), inOrder.end());
    for (const auto &[span, position] : inOrder)
        found.push_back(position);
    const std::vector<int> within = m_words.standingIn(looseTerm);
    found.insert(found.end(), within.begin(), within.end());
    std::vector<int> inParts = m_words.holdingAll(LooseMatch::partsOf(looseTerm));
    inParts.insert(inParts.end(), named->inParts.begin(), named->inParts.end());
    std::sort(inParts.begin(), inParts.end());
    found.insert(found.end(), inParts.begin(), inParts.end());
    return firstOfEach(found, m_listed.size());
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
