#include "SearchWords.h"

#include "LooseMatch.h"

#include <algorithm>

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
    std::vector<int> found;
    if (looseTerm.empty())
        return found;
    for (const Word &word : m_words) {
        if (word.loose.find(looseTerm) != std::string::npos
            || (word.characters >= kShortestWordInTerm && looseTerm.find(word.loose) != std::string_view::npos))
            found.push_back(word.position);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
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
