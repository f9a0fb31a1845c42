#include "PinyinIndex.h"

#include "Ascii.h"
#include "KeyGraph.h"
#include "PinyinReadings.h"

#include <algorithm>

namespace {

std::uint32_t lettersOf(std::string_view text)
{
    std::uint32_t letters = 0;
    for (const char c : text) {
        if (c >= 'a' && c <= 'z')
            letters |= 1u << (c - 'a');
    }
    return letters;
}

} // namespace

void PinyinIndex::setNames(const QStringList &names)
{
    if (names == m_names)
        return;
    m_names = names;
    m_keys.clear();
    m_initials.clear();
    m_whole.clear();
    m_keys.reserve(size_t(names.size()));
    KeyGraph::Writer initials(m_initials);
    KeyGraph::Writer whole(m_whole);
    for (const QString &name : names)
        m_keys.push_back(keysOf(name, initials, whole));
}

PinyinIndex::Keys PinyinIndex::keysOf(const QString &name, KeyGraph::Writer &initials, KeyGraph::Writer &whole) const
{
    Keys keys{m_initials.size(), m_whole.size()};
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name.at(i), name.at(i + 1));
            ++i;
        }
        if (Ascii::isLetter(c) || Ascii::isDigit(c)) {
            const char own = char(Ascii::toLower(c));
            initials.add({&own, 1});
            whole.add({&own, 1});
            keys.letters |= lettersOf({&own, 1});
            ++keys.longest;
            continue;
        }
        std::size_t longest = 0;
        for (const std::uint16_t number : Pinyin::readingsOf(c)) {
            const std::string_view syllable = Pinyin::syllable(number);
            initials.offer(syllable.substr(0, 1));
            whole.offer(syllable);
            keys.letters |= lettersOf(syllable);
            longest = std::max(longest, syllable.size());
        }
        initials.choose();
        whole.choose();
        keys.longest += longest;
    }
    initials.finish();
    whole.finish();
    return keys;
}

bool PinyinIndex::isPinyinTerm(const QString &term)
{
    return !term.isEmpty() && term.size() <= kLongestTerm
        && std::all_of(term.cbegin(), term.cend(), [](QChar c) { return Ascii::isLetter(c.unicode()); });
}

QStringList PinyinIndex::namesMatching(const QString &term) const
{
    if (!isPinyinTerm(term))
        return {};
    const std::string lower = term.toLower().toStdString();
    const std::uint32_t letters = lettersOf(lower);
    KeyGraph::Pattern pattern(lower);
    QStringList found;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        const Keys &keys = m_keys[i];
        if (lower.size() > keys.longest || (letters & ~keys.letters) != 0)
            continue;
        if (pattern.occursIn(&m_initials[keys.initials]) || pattern.occursIn(&m_whole[keys.whole]))
            found.append(m_names.at(qsizetype(i)));
    }
    return found;
}
