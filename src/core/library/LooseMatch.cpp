#include "LooseMatch.h"

#include "Ascii.h"
#include "LibraryTexts.h"
#include "SqliteUtf8.h"

#include <algorithm>

namespace LooseMatch {

namespace {
// The words of a newcomer's question: anywhere in it, before what is asked
// for, and after it; longest first.
constexpr std::string_view kAskingAnywhere[] = {"怎么样", "怎么", "如何", "怎样"};
constexpr std::string_view kAskingBefore[] = {"我想", "我要", "请问"};
constexpr std::string_view kAskingAfter[] = {"怎么解决", "怎么办", "怎么弄", "吗", "呢", "？", "?"};
} // namespace

std::string looseForm(std::string_view utf8)
{
    std::string loose;
    loose.reserve(utf8.size());
    for (const char c : utf8) {
        if (c != ' ')
            loose.push_back(Ascii::toLower(c));
    }
    return loose;
}

bool isLatin(char c)
{
    return Ascii::isLetter(c) || Ascii::isDigit(c);
}

std::string withoutAsking(std::string looseTerm)
{
    const std::string asked = looseTerm;
    for (const std::string_view after : kAskingAfter) {
        if (looseTerm.ends_with(after)) {
            looseTerm.erase(looseTerm.size() - after.size());
            break;
        }
    }
    for (const std::string_view before : kAskingBefore) {
        if (looseTerm.starts_with(before)) {
            looseTerm.erase(0, before.size());
            break;
        }
    }
    for (const std::string_view word : kAskingAnywhere) {
        for (std::size_t at = looseTerm.find(word); at != std::string::npos; at = looseTerm.find(word, at))
            looseTerm.erase(at, word.size());
    }
    return looseTerm.empty() ? asked : looseTerm;
}

std::vector<std::string_view> charactersOf(std::string_view text)
{
    std::vector<std::string_view> characters;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start + 1;
        while (end < text.size() && SqliteUtf8::isContinuation(static_cast<unsigned char>(text[end])))
            ++end;
        characters.push_back(text.substr(start, end - start));
        start = end;
    }
    return characters;
}

std::vector<std::string_view> partsOf(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || isLatin(text[i]) != isLatin(text[i - 1])) {
            parts.push_back(text.substr(start, i - start));
            start = i;
        }
    }
    return parts;
}

bool holdsAll(std::string_view text, const std::vector<std::string_view> &parts)
{
    return std::all_of(parts.begin(), parts.end(), [text](std::string_view part) { return text.find(part) != std::string_view::npos; });
}

// The shortest stretch of the text that holds the characters in order, in
// one pass: for each character, the latest start of a stretch that holds it
// and those before it, in order, up to where the pass has come.
std::optional<std::size_t> spanInOrder(std::string_view text, const std::vector<std::string_view> &characters)
{
    if (characters.empty())
        return std::nullopt;
    std::vector<std::optional<std::size_t>> latestStart(characters.size());
    std::optional<std::size_t> shortest;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::string_view rest = text.substr(at);
        // The last character first, so that one place holds one character.
        for (std::size_t i = characters.size(); i-- > 0;) {
            const std::optional<std::size_t> start = i == 0 ? std::optional<std::size_t>(at) : latestStart[i - 1];
            if (!start || !rest.starts_with(characters[i]))
                continue;
            latestStart[i] = start;
            if (i + 1 == characters.size())
                shortest = std::min(shortest.value_or(text.size()), at + characters[i].size() - *start);
        }
    }
    return shortest;
}

Result<Found> matchNames(std::string_view looseTerm, std::size_t count,
                         const std::function<std::string_view(std::size_t)> &nameAt, SearchBudget &budget)
{
    const std::vector<std::string_view> characters = charactersOf(looseTerm);
    const std::vector<std::string_view> parts = partsOf(looseTerm);
    Found found;
    std::string name; // one buffer for every name
    for (std::size_t position = 0; position < count; ++position) {
        // Blanks of a name are passed over by the match in order anyway.
        const std::string_view stored = nameAt(position);
        if (!budget.spend(stored.size() * std::max<std::size_t>(characters.size(), 1)))
            return Failure{QString::fromUtf8(LibraryTexts::kSearchTooComplex)};
        name.assign(stored);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return Ascii::toLower(c); });
        if (const auto span = spanInOrder(name, characters))
            found.inOrder.emplace_back(*span, int(position));
        else if (parts.size() > 1 && holdsAll(name, parts))
            found.inParts.push_back(int(position));
    }
    return found;
}

} // namespace LooseMatch
