#pragma once

#include <QString>

namespace Search {

// The search term of a search text: without the blanks at its two ends, and
// ending at a NUL character. Inner blanks and every other character stay as
// typed.
QString termOf(const QString &searchText);

// A stored command as shown and copied: each "%" becomes a line end, LF.
QString shownCommand(const QString &storedCode);

} // namespace Search
