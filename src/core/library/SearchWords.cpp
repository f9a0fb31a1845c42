#include "SearchWords.h"

#include "LooseMatch.h"

#include <algorithm>

namespace {

// Whether word stands in term, a Latin word as a whole word: "ps" stands in
// "ps进程" but not in "https证书".
bool standsIn(std::string_view term, std::string_view word)
{
    for (std::size_t at = term.find(word); at != std::string_view::npos; at = term.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool cutBefore = at > 0 && LooseMatch::isLatin(word.front()) && LooseMatch::isLatin(term[at - 1]);
        const bool cutAfter = end < term.size() && LooseMatch::isLatin(word.back()) && LooseMatch::isLatin(term[end]);
        if (!cutBefore && !cutAfter)
            return true;
    }
    return false;
}

} // namespace

void SearchWords::add(int position, std::string_view word)
{
    std::string loose = LooseMatch::looseForm(word);
    if (loose.empty())
        return;
    const std::size_t characters = LooseMatch::charactersOf(loose).size();
    m_words.push_back({position, std::move(loose), characters});
}

std::vector<int> SearchWords::find(std::string_view looseTerm) const
{
    std::vector<int> same;
    std::vector<int> holding;
    if (looseTerm.empty())
        return same;
    for (const Word &word : m_words) {
        if (word.loose == looseTerm)
            same.push_back(word.position);
        else if (word.loose.find(looseTerm) != std::string::npos)
            holding.push_back(word.position);
    }
    std::sort(same.begin(), same.end());
    std::sort(holding.begin(), holding.end());
    same.insert(same.end(), holding.begin(), holding.end());
    return same;
}

std::vector<int> SearchWords::standingIn(std::string_view looseTerm) const
{
    std::vector<int> found;
    for (const Word &word : m_words) {
        if (word.characters >= kShortestWordInTerm && word.loose != looseTerm && standsIn(looseTerm, word.loose))
            found.push_back(word.position);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::pair<std::size_t, int>> SearchWords::spansInOrder(const std::vector<std::string_view> &characters) const
{
    std::vector<std::pair<std::size_t, int>> spans;
    for (const Word &word : m_words) {
        if (const auto span = LooseMatch::spanInOrder(word.loose, characters))
            spans.emplace_back(*span, word.position);
    }
    return spans;
}

std::vector<int> SearchWords::holdingAll(const std::vector<std::string_view> &parts) const
{
    std::vector<int> found;
    if (parts.size() < 2)
        return found;
    for (const Word &word : m_words) {
        if (LooseMatch::holdsAll(word.loose, parts))
            found.push_back(word.position);
    }
    std::sort(found.begin(), found.end());
    return found;
}
