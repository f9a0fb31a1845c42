#pragma once

#include <string>

// UTF-8 as SQLite reads it when it compares text with LIKE, whether or not
// the bytes are valid: a lead byte takes every continuation byte after it; a
// stray continuation byte is a character of its own; overlong forms,
// surrogates and U+FFFE/U+FFFF read as U+FFFD.
namespace SqliteUtf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

constexpr bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The character at text, which moves past it. A NUL byte ends the text and
// is never passed over by a character before it.
inline char32_t read(const unsigned char *&text)
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

// Appends the NUL-terminated text, character by character as read
// above, each written in the one shortest form that reads back as the same
// character (beyond U+10FFFF in the longer forms SQLite reads), with ASCII
// letters in lowercase. In what this writes, two texts hold the same
// characters exactly when they hold the same bytes, and every character
// starts at a byte that is no continuation byte: a byte search for such a
// text finds what LIKE finds, and never inside a character.
void appendCanonical(std::string &out, const char *text);

} // namespace SqliteUtf8
