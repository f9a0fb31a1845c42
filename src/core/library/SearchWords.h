#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The search words of the library's entries: synonyms and the phrases
// newcomers type for a command whose name says it otherwise ("开机启动" for
// 设置服务开机自启). Each word belongs to an entry's place in the list.
// Words are compared in their loose form (LooseMatch).
class SearchWords
{
public:
    // The fewest characters a word needs to be found inside a longer term.
    static constexpr std::size_t kShortestWordInTerm = 2;

    void clear() { m_words.clear(); }
    void add(int position, std::string_view word);

    // The places with a word that is the loose term, then those with a word
    // that holds it; each group ascending, and a place may come in both.
    std::vector<int> find(std::string_view looseTerm) const;
    // The places, ascending, with a word of kShortestWordInTerm characters
    // or more that stands in the longer loose term ("怎么开机启动"), a Latin
    // word only as a whole word.
    std::vector<int> standingIn(std::string_view looseTerm) const;
    // Each place with a word that holds the characters in order, and the
    // shortest stretch of such a word that holds them; a place may come more
    // than once.
    std::vector<std::pair<std::size_t, int>> spansInOrder(const std::vector<std::string_view> &characters) const;

    // The places, ascending, with a word that holds every part, in any order,
    // when there is more than one.
    std::vector<int> holdingAll(const std::vector<std::string_view> &parts) const;

private:
    struct Word {
        int position;
        std::string loose;
        std::size_t characters;
    };
    std::vector<Word> m_words;
};
