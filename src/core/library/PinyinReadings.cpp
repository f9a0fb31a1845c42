#include "PinyinReadings.h"

#include "PinyinData.h"

#include <algorithm>

namespace Pinyin {

std::span<const std::uint16_t> readingsOf(char32_t character)
{
    const char32_t *end = PinyinData::codePoints + PinyinData::characterCount;
    const char32_t *found = std::lower_bound(PinyinData::codePoints, end, character);
    if (found == end || *found != character)
        return {};
    const auto index = std::size_t(found - PinyinData::codePoints);
    const std::uint32_t first = index == 0 ? 0 : PinyinData::readingEnds[index - 1];
    return {PinyinData::readings + first, PinyinData::readings + PinyinData::readingEnds[index]};
}

std::size_t syllableCount()
{
    return PinyinData::syllableCount;
}

std::string_view syllable(std::uint16_t number)
{
    const std::uint16_t first = number == 0 ? 0 : PinyinData::syllableEnds[number - 1];
    return {PinyinData::syllableText + first, std::size_t(PinyinData::syllableEnds[number] - first)};
}

} // namespace Pinyin
