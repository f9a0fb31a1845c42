#pragma once

#include "CommandStore.h"
#include "ListOrder.h"
#include "PinyinIndex.h"
#include "SearchWords.h"
#include "SearchText.h"

#include <QDeadlineTimer>
#include <QString>

#include <chrono>
#include <optional>
#include <vector>

// The command library in memory, as the list and the search use it. The
// database is read once: the names when the list is first filled, ranked
// once in list order; the command texts and the names' pinyin keys later, a
// little at a time (prepare), or when a search needs them. A row is the
// number of a named row in the order the database gave them, from 0.
class CommandIndex
{
public:
    enum class Column { Name, Code };

    // How long a search may run before it is stopped as too complex.
    static constexpr std::chrono::milliseconds kSearchTimeLimit{1000};

    // Opens the database and the collation of the list; a failure holds the
    // reason the database layer or ICU gives.
    Result<void> open(const QString &path, const QByteArray &key);

    // Reads every name and ranks them, and the search words; what was read
    // before is dropped.
    Result<void> readNames();
    // Every row, in list order.
    const std::vector<int> &listed() const { return m_listed; }
    QString nameOf(int row) const;

    // Whether a search of the column can run without reading the database.
    bool canSearch(Column column) const { return column == Column::Name || m_codes.size() == m_listed.size(); }
    // Reads the command texts, then makes the pinyin keys, until the
    // deadline; true when both are done.
    Result<bool> prepare(QDeadlineTimer deadline);

    // The rows, in list order, whose column contains term, as the design's
    // LIKE '%term%' finds them. Where no name contains the term, it finds,
    // best first: the names it spells in pinyin (PinyinIndex), the entries
    // with a search word that is or holds it (SearchWords), the names and
    // words that hold its characters in order, the closest first, the
    // entries with a word that stands in it, and last those that hold each
    // of its Latin and other runs in any order ("apache重启" finds
    // 重启Apache2). The command texts are read first when they are not yet
    // in memory. Stopped as too complex after kSearchTimeLimit.
    Result<std::vector<int>> search(Column column, const QString &term);

    // The command text shown for a row: that of the first row with the same
    // name, byte for byte, as a lookup by name finds it; nullopt when the
    // row is gone from the database.
    Result<std::optional<QString>> codeOf(int row);

private:
    Result<bool> readCodes(QDeadlineTimer deadline);
    bool makePinyinKeys(QDeadlineTimer deadline);
    Result<void> readWords();
    // The places in the list found beyond the design's search, best first.
    Result<std::vector<int>> findBeyondDesign(const QString &term, QDeadlineTimer deadline);
    std::vector<int> rowsAt(const std::vector<int> &positions) const;

    CommandStore m_store;
    std::optional<ListOrder> m_order;
    CommandStore::Names m_rows;
    std::vector<int> m_listed;
    SearchText m_names;
    SearchText m_codes; // complete once it holds every row
    PinyinIndex m_pinyin; // made in list order, up to its size
    SearchWords m_words;
    // The command texts read so far, in id order.
    std::optional<std::int64_t> m_codesReadAfter;
    std::vector<std::int64_t> m_codeIds;
    TextTable m_codeTexts;
    std::vector<bool> m_codeNull;
};
