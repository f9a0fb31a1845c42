#pragma once

#include "Result.h"

#include <QString>

#include <string>
#include <vector>

class SearchBudget;

// One column of the library as the search reads it, kept in memory in the
// order of the list: each text up to its first NUL byte, in the form
// SqliteUtf8::appendCanonical writes. A search answers what the design's
// LIKE '%term%' answers on the stored texts: ASCII letters without regard to
// case, "%" and "_" as wildcards, never a match inside a character.
class SearchText
{
public:
    // Appends the NUL-terminated text; a null one (nullptr) is found by no
    // term, not even the empty one, as LIKE finds no null value.
    void append(const char *text);
    std::size_t size() const { return m_null.size(); }
    // Room for this many texts of this many bytes in all, NULs included.
    void reserve(std::size_t texts, std::size_t bytes);

    // The numbers of the texts, ascending, that contain term. A term without
    // wildcards is looked for with memmem over all texts at once; one with
    // them goes through the matcher of LikeMatch.h. A search that runs out
    // of its budget fails as too complex.
    Result<std::vector<int>> find(const QString &term, SearchBudget &budget) const;

private:
    Result<std::vector<int>> findPlain(const std::string &term, SearchBudget &budget) const;
    Result<std::vector<int>> findPattern(const QByteArray &pattern, SearchBudget &budget) const;

    std::string m_text;                 // every text, each followed by a NUL byte
    std::vector<std::size_t> m_starts{0}; // where each text starts, and one past the last
    std::vector<bool> m_null;
};
