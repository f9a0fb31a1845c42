#pragma once

#include "KeyGraph.h"

#include <QStringList>

#include <cstdint>
#include <vector>

// The pinyin keys of the command names, made once when the list is filled,
// and the search on them. A name has two keys: its initials (安装软件包:
// azrjb) and its whole pinyin without tones (anzhuangruanjianbao). A
// character with several readings takes each of them, so 重启 has the
// initials cq and zq. ASCII letters and digits of a name stand for
// themselves, in lowercase; every other character is left out.
class PinyinIndex
{
public:
    // The longest term searched as pinyin, in letters; no name that fits the
    // list has a longer whole pinyin.
    static constexpr qsizetype kLongestTerm = 256;

    // Makes the keys of names, unless they are the names the keys were made of.
    void setNames(const QStringList &names);

    // Whether term is searched as pinyin: one to kLongestTerm ASCII letters.
    static bool isPinyinTerm(const QString &term);

    // The names in one of whose keys term occurs, ignoring case, in the order
    // setNames was given them; none when term is no pinyin term.
    QStringList namesMatching(const QString &term) const;

private:
    struct Keys {
        std::size_t initials = 0; // where the name's keys start in m_initials
        std::size_t whole = 0;    // and in m_whole
        std::size_t longest = 0;  // the length of its longest whole pinyin
        std::uint32_t letters = 0; // every letter of its keys, bit 0 for "a"
    };

    // Writes the keys of a name after those made before.
    Keys keysOf(const QString &name, KeyGraph::Writer &initials, KeyGraph::Writer &whole) const;

    QStringList m_names;
    std::vector<Keys> m_keys;
    // Each key is stored as a graph (see PinyinIndex.cpp).
    std::vector<std::uint8_t> m_initials;
    std::vector<std::uint8_t> m_whole;
};
