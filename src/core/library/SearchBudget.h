#pragma once

#include <cstdint>
#include <limits>

// The work a search may do before it is stopped as too complex, counted in
// steps: a character compared by the LIKE matcher, a text, a hit or a pinyin
// unit looked at. Counted, not timed, so that a search gets the same answer
// on any machine under any load. Hot loops count for themselves and spend
// what they counted now and then.
class SearchBudget
{
public:
    // About half a second of the slowest searches (the LIKE matcher's) on a
    // common machine, and some hundred times what a plain search of a
    // library of 100,000 commands takes.
    static constexpr std::uint64_t kSearchSteps = std::uint64_t(1) << 29;

    static SearchBudget unlimited() { return SearchBudget(std::numeric_limits<std::uint64_t>::max()); }

    explicit SearchBudget(std::uint64_t steps = kSearchSteps)
        : m_left(steps)
    {
    }

    // Spends steps; false once more were asked for than were left.
    bool spend(std::uint64_t steps)
    {
        if (steps > m_left) {
            m_left = 0;
            return false;
        }
        m_left -= steps;
        return true;
    }

private:
    std::uint64_t m_left;
};
