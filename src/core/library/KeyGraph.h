#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A pinyin key stored as a graph of bytes: runs of letters, with a choice
// where a character has several readings.
//   key         := segment* 0
//   segment     := count (1..255) alternative{count}
//   alternative := length (1..255) byte{length}
namespace KeyGraph {

// Appends keys to a buffer of keys, one after the other.
class Writer
{
public:
    explicit Writer(std::vector<std::uint8_t> &out)
        : m_out(out)
    {
    }

    // Text that every reading of the key goes through.
    void add(std::string_view text) { m_run += text; }
    // One alternative of the next choice.
    void offer(std::string_view alternative) { m_offered.push_back(alternative); }
    // A choice between the alternatives offered since the last one, each
    // counted once; a single one is text like any other.
    void choose();
    // Ends the key.
    void finish();

private:
    void flushRun();

    std::vector<std::uint8_t> &m_out;
    std::string m_run;
    std::vector<std::string_view> m_offered;
};

// A term as the bit-parallel matcher (shift-and) reads it: bit i of a
// character's mask is set where the term has that character at i.
class Pattern
{
public:
    // term: at least one character; the time of a search grows with its
    // length in 64-character words.
    explicit Pattern(std::string_view term);

    // Whether the term occurs in some reading of the key.
    bool occursIn(const std::uint8_t *key);

private:
    // Moves the state over one character of the key; true when the term ends there.
    bool step(std::uint64_t *state, std::uint8_t character) const;
    // Moves the state over one alternative; true when the term ends in it.
    bool run(std::uint64_t *state, const std::uint8_t *&alternative) const;

    std::size_t m_words;
    std::uint64_t m_lastBit;
    std::vector<std::uint64_t> m_masks; // per byte value, m_words words
    std::vector<std::uint64_t> m_state, m_before, m_after;
};

} // namespace KeyGraph
