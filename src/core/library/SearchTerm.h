#pragma once

#include <QString>

namespace Search {

// The search term of a search text: without the blanks at its two ends, and
// ending at a NUL character. Inner blanks and every other character stay as
// typed.
QString termOf(const QString &searchText);

// A stored command as shown: each "%" becomes CR LF.
QString shownCommand(const QString &storedCode);
// A stored command with each "%" made lineBreak.
QString commandWithLineBreaks(const QString &storedCode, const QString &lineBreak);

} // namespace Search
