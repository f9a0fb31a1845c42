#include "LikeMatch.h"

#include "Ascii.h"
#include "SearchBudget.h"
#include "SqliteUtf8.h"

namespace Like {

namespace {

// Comparisons counted before they are spent from the budget.
constexpr unsigned kStepsPerSpending = 1u << 16;
constexpr char32_t kAnyRun = '%';
constexpr char32_t kAnyOne = '_';

bool sameCharacter(char32_t patternCharacter, char32_t textCharacter)
{
    return patternCharacter == kAnyOne || Ascii::toLower(patternCharacter) == Ascii::toLower(textCharacter);
}

} // namespace

// Greedy matching with one point to return to: the last "%" seen and the text
// position it has swallowed up to. A later "%" replaces it, since whatever the
// earlier one could still swallow the later one can too.
Result match(const char *text, const char *pattern, SearchBudget &budget)
{
    auto t = reinterpret_cast<const unsigned char *>(text);
    auto p = reinterpret_cast<const unsigned char *>(pattern);
    const unsigned char *retryPattern = nullptr;
    const unsigned char *retryText = nullptr;
    unsigned steps = 0;
    while (*t) {
        if (++steps % kStepsPerSpending == 0 && !budget.spend(kStepsPerSpending))
            return Result::OverBudget;
        if (*p == kAnyRun) {
            retryPattern = ++p;
            retryText = t;
            continue;
        }
        const unsigned char *nextPattern = p;
        const unsigned char *nextText = t;
        if (*p && sameCharacter(SqliteUtf8::read(nextPattern), SqliteUtf8::read(nextText))) {
            p = nextPattern;
            t = nextText;
            continue;
        }
        if (!retryPattern)
            return budget.spend(steps % kStepsPerSpending) ? Result::NoMatch : Result::OverBudget;
        p = retryPattern;
        SqliteUtf8::read(retryText);
        t = retryText;
    }
    if (!budget.spend(steps % kStepsPerSpending))
        return Result::OverBudget;
    while (*p == kAnyRun)
        ++p;
    return *p ? Result::NoMatch : Result::Match;
}

} // namespace Like
