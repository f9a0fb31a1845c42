#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace Pinyin {

// The readings of a Han character in today's Mandarin, the most customary
// first, each as syllable numbers; none for any other character.
std::span<const std::uint16_t> readingsOf(char32_t character);

// How many syllables there are: their numbers run from 0 to one less.
std::size_t syllableCount();

// A syllable without its tone, in lowercase ASCII with "v" for "ü".
std::string_view syllable(std::uint16_t number);

} // namespace Pinyin
