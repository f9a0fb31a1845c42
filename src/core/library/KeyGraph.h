#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A pinyin key stored as a graph of bytes: runs of letters, with a choice
// where a character has several readings.
//   key         := segment* 0
//   segment     := count (1..255) alternative{count}
//   alternative := length (1..255) byte{length}
namespace KeyGraph {

// Appends one key to a buffer of keys.
class Writer
{
public:
    explicit Writer(std::vector<std::uint8_t> &out)
        : m_out(out)
    {
    }

    // Text that every reading of the key goes through.
    void add(std::string_view text) { m_run += text; }
    // A choice between alternatives; equal ones count once.
    void choose(std::span<const std::string_view> alternatives);
    // Ends the key.
    void finish();

private:
    void flushRun();

    std::vector<std::uint8_t> &m_out;
    std::string m_run;
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
