#pragma once

#include "Result.h"

#include <QString>

#include <cstdint>
#include <vector>

class SearchBudget;

// The pinyin keys of the command names and the search on them. A term
// matches a name when, from some character of the name on, consecutive
// characters are each matched by a non-empty start of one of their readings
// and the term is used up: 安装 is found by az, anzh, azhuang and anzhuang,
// and 查找 is not found by az. A character with several readings is matched
// by each (重启: cq and zq); an ASCII letter matches itself, without regard
// to case, so a run of Latin letters may be entered anywhere. Every other
// character (a blank, a digit, punctuation) matches nothing.
class PinyinIndex
{
public:
    // The longest term searched as pinyin, in letters.
    static constexpr qsizetype kLongestTerm = 255;

    // Whether term is searched as pinyin: one to kLongestTerm ASCII letters.
    static bool isPinyinTerm(const QString &term);

    // Makes the keys of the next name.
    void add(const QString &name);
    std::size_t size() const { return m_letters.size(); }

    // The numbers of the names (from 0, in the order added) that term
    // matches, ascending; none when term is no pinyin term. A search that
    // runs out of its budget fails as too complex.
    Result<std::vector<int>> find(const QString &term, SearchBudget &budget) const;

private:
    template<std::size_t Words>
    Result<std::vector<int>> findWith(const std::string &term, SearchBudget &budget) const;

    // One unit a character, one after the other (see PinyinIndex.cpp).
    std::vector<std::uint16_t> m_units;
    std::vector<std::size_t> m_starts{0}; // where each name's units start, and one past the last
    std::vector<std::uint32_t> m_letters; // each name's letters in any reading, bit 0 for "a"
    std::vector<std::uint32_t> m_initials; // the letters a reading or a Latin letter of each name starts with
};
