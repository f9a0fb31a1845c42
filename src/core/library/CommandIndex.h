#pragma once

#include "CommandStore.h"
#include "ListOrder.h"
#include "PinyinIndex.h"
#include "SearchBudget.h"
#include "SearchWords.h"
#include "SearchText.h"

#include <QDeadlineTimer>
#include <QString>

#include <optional>
#include <vector>

// The command library in memory, as the list and the search use it. The
// database is read once: the names when the list is first filled, ranked
// once in list order; the names laid out for the search, their pinyin keys
// and the command texts later, a little at a time (prepare), or when a
// search needs them. A row is the
// number of a named row in the order the database gave them, from 0.
class CommandIndex
{
public:
    enum class Column { Name, Code };

    // Opens the database and the collation of the list; a failure holds the
    // reason the database layer or ICU gives.
    Result<void> open(const QString &path, const QByteArray &key);

    // Reads every name and ranks them, and the search words; what was read
    // before is dropped.
    Result<void> readNames();
    // Every row, in list order.
    const std::vector<int> &listed() const { return m_listed; }
    QString nameOf(int row) const;
    // The name as the list and its tooltip show it: cut after
    // LibraryTexts::kShownNameLimit, of which only the start is read.
    QString shownNameOf(int row) const;

    // Lays out the names, makes the pinyin keys and reads the command texts
    // until the deadline, first what a search of the column needs; true
    // when all is done.
    Result<bool> prepare(QDeadlineTimer deadline, Column first = Column::Name);

    // The rows, in list order, whose column contains term, as the design's
    // LIKE '%term%' finds them. Where no name contains the term, it finds,
    // best first: the names it spells in pinyin (PinyinIndex), the entries
    // with a search word that is or holds it (SearchWords), the names and
    // words that hold its characters in order, the closest first, the
    // entries with a word that stands in it, and last those that hold each
    // of its Latin and other runs in any order ("apache重启" finds
    // 重启Apache2). What the search needs is prepared first when it is not
    // yet. Stopped as too complex when it runs out of its SearchBudget;
    // preparing takes none of it.
    Result<std::vector<int>> search(Column column, const QString &term);
    // The same search on what is prepared alone: nullopt when it needs the
    // names, command texts or pinyin keys that are not yet laid out or made.
    std::optional<Result<std::vector<int>>> searchPrepared(Column column, const QString &term) const;

    // The command text shown for a row: that of the first row with the same
    // name, byte for byte, as a lookup by name finds it; nullopt when the
    // row is gone from the database.
    Result<std::optional<QString>> codeOf(int row);

private:
    bool namesReady() const { return m_names.size() == m_listed.size(); }
    bool codesReady() const { return m_codes.size() == m_listed.size(); }
    bool pinyinReady() const { return m_pinyin.size() == m_listed.size(); }
    Result<bool> prepareCodes(QDeadlineTimer deadline);
    bool layOutCodes(QDeadlineTimer deadline);
    bool layOutNames(QDeadlineTimer deadline);
    bool makePinyinKeys(QDeadlineTimer deadline);
    Result<void> readWords();
    // The places in the list found beyond the design's search, best first.
    Result<std::vector<int>> findBeyondDesign(const QString &term, SearchBudget &budget) const;
    std::vector<int> rowsAt(const std::vector<int> &positions) const;

    CommandStore m_store;
    std::optional<ListOrder> m_order;
    CommandStore::Names m_rows;
    std::vector<int> m_listed;
    SearchText m_names; // laid out in list order, up to its size
    SearchText m_codes; // laid out in list order, up to its size
    PinyinIndex m_pinyin; // made in list order, up to its size
    SearchWords m_words;
    // The command texts read so far, in id order; all once m_codesRead.
    bool m_codesRead = false;
    std::optional<std::int64_t> m_codesReadAfter;
    std::vector<std::int64_t> m_codeIds;
    TextTable m_codeTexts;
    std::vector<bool> m_codeNull;
};
