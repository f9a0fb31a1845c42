#pragma once

#include <cstddef>
#include <cstdint>

// The toneless pinyin readings of Han characters, made from Unicode's Unihan
// data when the program is built (tools/pinyin-table). Read it through
// Pinyin::readingsOf.
namespace PinyinData {

// Every syllable once, one after the other; syllable i ends at syllableEnds[i]
// and starts where syllable i - 1 ends.
extern const char syllableText[];
extern const std::uint16_t syllableEnds[];
extern const std::size_t syllableCount;
// The characters with readings, in ascending order; the readings of
// character i are readings[readingEnds[i - 1] .. readingEnds[i]), syllable
// numbers, the most customary reading first.
extern const char32_t codePoints[];
extern const std::uint32_t readingEnds[];
extern const std::uint16_t readings[];
extern const std::size_t characterCount;

} // namespace PinyinData
