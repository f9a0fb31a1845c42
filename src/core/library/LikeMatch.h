#pragma once

#include <QDeadlineTimer>

// SQL LIKE without an escape character, as SQLite compares: "%" matches any
// run of characters, "_" any one character, ASCII letters match without
// regard to case and every other character exactly; text and pattern are
// UTF-8 and end at a NUL byte. Unlike SQLite's own LIKE, the time taken grows
// at most with the product of the two lengths, never exponentially with the
// number of wildcards, and a character above U+007F only ever matches itself.
namespace Like {

enum class Result { NoMatch, Match, TimedOut };

Result match(const char *text, const char *pattern, QDeadlineTimer deadline);

// What LIKE '%term%' answers for a term without wildcards, found byte by
// byte: ASCII letters without regard to case, every other byte exactly (a
// UTF-8 term never matches in the middle of a character, since no character
// starts with a continuation byte). The time taken grows with the sum of the
// two lengths.
Result contains(const char *text, const char *term, QDeadlineTimer deadline);

} // namespace Like
