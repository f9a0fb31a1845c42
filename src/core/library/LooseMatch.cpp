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
// Names looked through between two looks at the clock.
constexpr std::size_t kNamesPerClockCheck = 1024;
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

// From each place where the first character stands, the others are taken
// as early as they come: that gives the shortest stretch starting there.
std::optional<std::size_t> spanInOrder(std::string_view text, const std::vector<std::string_view> &characters)
{
    if (characters.empty())
        return std::nullopt;
    std::optional<std::size_t> shortest;
    for (std::size_t start = text.find(characters.front()); start != std::string_view::npos;
         start = text.find(characters.front(), start + 1)) {
        std::size_t end = start + characters.front().size();
        for (auto c = characters.begin() + 1; c != characters.end() && end != std::string_view::npos; ++c) {
            const std::size_t at = text.find(*c, end);
            end = at == std::string_view::npos ? at : at + c->size();
        }
        if (end == std::string_view::npos)
            break; // a later start cannot hold them either
        shortest = std::min(shortest.value_or(end - start), end - start);
    }
    return shortest;
}

Result<Found> matchNames(std::string_view looseTerm, std::size_t count,
                         const std::function<std::string_view(std::size_t)> &nameAt, QDeadlineTimer deadline)
{
    const std::vector<std::string_view> characters = charactersOf(looseTerm);
    const std::vector<std::string_view> parts = partsOf(looseTerm);
    Found found;
    std::string name; // one buffer for every name
    for (std::size_t position = 0; position < count; ++position) {
        if (position % kNamesPerClockCheck == 0 && deadline.hasExpired())
            return Failure{QString::fromUtf8(LibraryTexts::kSearchTooComplex)};
        // Blanks of a name are passed over by the match in order anyway.
        const std::string_view stored = nameAt(position);
        name.assign(stored);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return Ascii::toLower(c); });
        if (const auto span = spanInOrder(name, characters))
            found.inOrder.emplace_back(*span, int(position));
        else if (parts.size() > 1 && holdsAll(name, parts))
            found.inParts.push_back(int(position));
    }
    std::sort(found.inOrder.begin(), found.inOrder.end());
    return found;
}

} // namespace LooseMatch
