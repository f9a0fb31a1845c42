#pragma once

#include <QString>

namespace Search {

// The search term of a search text: without the blanks at its two ends, and
// ending at a NUL character. Inner blanks and every other character stay as
// typed.
QString termOf(const QString &searchText);

// The first limit units of the text at most, without splitting a character
// that takes two (a surrogate pair): what a cut text shows.
QString headOf(const QString &text, qsizetype limit);

// A stored command as shown and copied: each "%" becomes a line end, LF.
QString shownCommand(const QString &storedCode);

} // namespace Search
