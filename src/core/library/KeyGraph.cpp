#include "KeyGraph.h"

#include <algorithm>
#include <limits>

namespace KeyGraph {

namespace {
constexpr std::uint8_t kKeyEnd = 0;
constexpr std::uint8_t kRun = 1; // a segment of one alternative
constexpr std::size_t kLongestPart = std::numeric_limits<std::uint8_t>::max();
constexpr std::size_t kByteValues = 256;
constexpr std::size_t kWordBits = 64;
} // namespace

void Writer::choose()
{
    std::vector<std::string_view> &distinct = m_offered;
    for (std::string_view &alternative : distinct)
        alternative = alternative.substr(0, kLongestPart);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    distinct.resize(std::min(distinct.size(), kLongestPart));
    if (distinct.size() == 1) {
        add(distinct.front());
    } else if (distinct.size() > 1) {
        flushRun();
        m_out.push_back(std::uint8_t(distinct.size()));
        for (const std::string_view alternative : distinct) {
            m_out.push_back(std::uint8_t(alternative.size()));
            m_out.insert(m_out.end(), alternative.begin(), alternative.end());
        }
    }
    m_offered.clear();
}

void Writer::flushRun()
{
    for (std::size_t first = 0; first < m_run.size(); first += kLongestPart) {
        const std::string_view part = std::string_view(m_run).substr(first, kLongestPart);
        m_out.push_back(kRun);
        m_out.push_back(std::uint8_t(part.size()));
        m_out.insert(m_out.end(), part.begin(), part.end());
    }
    m_run.clear();
}

void Writer::finish()
{
    flushRun();
    m_out.push_back(kKeyEnd);
}

Pattern::Pattern(std::string_view term)
    : m_words((term.size() + kWordBits - 1) / kWordBits)
    , m_lastBit(std::uint64_t(1) << ((term.size() - 1) % kWordBits))
    , m_masks(kByteValues * m_words)
    , m_state(m_words)
    , m_before(m_words)
    , m_after(m_words)
{
    for (std::size_t i = 0; i < term.size(); ++i)
        m_masks[std::uint8_t(term[i]) * m_words + i / kWordBits] |= std::uint64_t(1) << (i % kWordBits);
}

bool Pattern::step(std::uint64_t *state, std::uint8_t character) const
{
    // Every position of the key may start the term: a 1 comes in from below.
    const std::uint64_t *mask = &m_masks[character * m_words];
    std::uint64_t carry = 1;
    for (std::size_t word = 0; word < m_words; ++word) {
        const std::uint64_t next = state[word] >> (kWordBits - 1);
        state[word] = ((state[word] << 1) | carry) & mask[word];
        carry = next;
    }
    return state[m_words - 1] & m_lastBit;
}

bool Pattern::run(std::uint64_t *state, const std::uint8_t *&alternative) const
{
    const std::uint8_t length = *alternative++;
    const std::uint8_t *end = alternative + length;
    for (; alternative != end; ++alternative) {
        if (step(state, *alternative))
            return true;
    }
    return false;
}

bool Pattern::occursIn(const std::uint8_t *key)
{
    std::fill(m_state.begin(), m_state.end(), 0);
    while (const std::uint8_t count = *key++) {
        if (count == kRun) {
            if (run(m_state.data(), key))
                return true;
            continue;
        }
        // Each alternative starts from the state before the choice; the
        // state after it holds what any of them reached.
        m_before = m_state;
        std::fill(m_after.begin(), m_after.end(), 0);
        for (std::uint8_t i = 0; i < count; ++i) {
            m_state = m_before;
            if (run(m_state.data(), key))
                return true;
            std::transform(m_after.begin(), m_after.end(), m_state.begin(), m_after.begin(), std::bit_or<>());
        }
        m_state = m_after;
    }
    return false;
}

} // namespace KeyGraph
