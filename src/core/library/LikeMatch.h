#pragma once

class SearchBudget;

// SQL LIKE without an escape character, as SQLite compares: "%" matches any
// run of characters, "_" any one character, ASCII letters match without
// regard to case and every other character exactly; text and pattern are
// UTF-8, read as SQLiteUtf8 reads it, and end at a NUL byte. Unlike SQLite's
// own LIKE, the work done grows at most with the product of the two lengths,
// never exponentially with the number of wildcards, and a character above
// U+007F only ever matches itself. Each character compared spends a step of
// the budget; a match that runs out of it is stopped.
namespace Like {

enum class Result { NoMatch, Match, OverBudget };

Result match(const char *text, const char *pattern, SearchBudget &budget);

} // namespace Like
