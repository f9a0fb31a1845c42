#pragma once

// ASCII character classes for text read byte by byte (UTF-8) or character by
// character (UTF-16 units, code points): every other character is in none of
// them and is its own lowercase.
namespace Ascii {

template<typename Character>
constexpr bool isUpper(Character c)
{
    return c >= 'A' && c <= 'Z';
}

template<typename Character>
constexpr bool isLetter(Character c)
{
    return isUpper(c) || (c >= 'a' && c <= 'z');
}

template<typename Character>
constexpr bool isDigit(Character c)
{
    return c >= '0' && c <= '9';
}

template<typename Character>
constexpr Character toLower(Character c)
{
    return isUpper(c) ? Character(c - 'A' + 'a') : c;
}

} // namespace Ascii
