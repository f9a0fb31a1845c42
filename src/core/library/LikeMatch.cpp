#include "LikeMatch.h"

#include "Ascii.h"

#include <string_view>
#include <vector>

namespace Like {

namespace {

// Comparisons between two looks at the clock.
constexpr unsigned kStepsPerClockCheck = 1u << 16;
constexpr char32_t kAnyRun = '%';
constexpr char32_t kAnyOne = '_';
constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The character at text, read as SQLite reads UTF-8: a lead byte takes the
// continuation bytes after it; a stray continuation byte is a character of
// its own; overlong forms, surrogates and U+FFFE/U+FFFF read as U+FFFD.
char32_t readCharacter(const unsigned char *&text)
{
    char32_t c = *text++;
    if (c < 0xC0)
        return c;
    // The payload bits of the lead byte, for two- to four-byte forms and the
    // longer ones SQLite still reads.
    c = c < 0xE0 ? c - 0xC0 : c < 0xF0 ? c - 0xE0 : c < 0xF8 ? c - 0xF0 : c < 0xFC ? c - 0xF8 : c < 0xFE ? c - 0xFC : 0;
    while (isContinuation(*text))
        c = (c << 6) + (*text++ & 0x3F);
    if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE)
        return kReplacement;
    return c;
}

bool sameCharacter(char32_t patternCharacter, char32_t textCharacter)
{
    return patternCharacter == kAnyOne || Ascii::toLower(patternCharacter) == Ascii::toLower(textCharacter);
}

} // namespace

// Greedy matching with one point to return to: the last "%" seen and the text
// position it has swallowed up to. A later "%" replaces it, since whatever the
// earlier one could still swallow the later one can too.
Result match(const char *text, const char *pattern, QDeadlineTimer deadline)
{
    auto t = reinterpret_cast<const unsigned char *>(text);
    auto p = reinterpret_cast<const unsigned char *>(pattern);
    const unsigned char *retryPattern = nullptr;
    const unsigned char *retryText = nullptr;
    unsigned steps = 0;
    while (*t) {
        if (++steps % kStepsPerClockCheck == 0 && deadline.hasExpired())
            return Result::TimedOut;
        if (*p == kAnyRun) {
            retryPattern = ++p;
            retryText = t;
            continue;
        }
        const unsigned char *nextPattern = p;
        const unsigned char *nextText = t;
        if (*p && sameCharacter(readCharacter(nextPattern), readCharacter(nextText))) {
            p = nextPattern;
            t = nextText;
            continue;
        }
        if (!retryPattern)
            return Result::NoMatch;
        p = retryPattern;
        readCharacter(retryText);
        t = retryText;
    }
    while (*p == kAnyRun)
        ++p;
    return *p ? Result::NoMatch : Result::Match;
}

// Knuth, Morris and Pratt: after a mismatch the search goes on from the
// longest start of the term that the text just read ends with, so no byte of
// the text is read twice.
Result contains(const char *text, const char *term, QDeadlineTimer deadline)
{
    const std::string_view needle(term);
    if (needle.empty())
        return Result::Match;
    // longest[i]: the longest proper start of needle[0..i] that also ends it.
    std::vector<size_t> longest(needle.size(), 0);
    for (size_t i = 1, k = 0; i < needle.size(); ++i) {
        while (k > 0 && Ascii::toLower(needle[i]) != Ascii::toLower(needle[k]))
            k = longest[k - 1];
        if (Ascii::toLower(needle[i]) == Ascii::toLower(needle[k]))
            ++k;
        longest[i] = k;
    }
    size_t matched = 0;
    unsigned steps = 0;
    for (const char *t = text; *t; ++t) {
        if (++steps % kStepsPerClockCheck == 0 && deadline.hasExpired())
            return Result::TimedOut;
        while (matched > 0 && Ascii::toLower(*t) != Ascii::toLower(needle[matched]))
            matched = longest[matched - 1];
        if (Ascii::toLower(*t) == Ascii::toLower(needle[matched]))
            ++matched;
        if (matched == needle.size())
            return Result::Match;
    }
    return Result::NoMatch;
}

} // namespace Like
