#pragma once

#include <QStringList>

// The line ends of a multi-line text box's text. The box shows lines; the
// program reads them back with the ends that the text put in had, so that a
// text with mixed ends comes back byte for byte where the user left it alone.
namespace LineEnds {

// A text cut into its lines: CR LF, a lone LF, a lone CR and the characters
// that a text box starts a new line at (U+2029 and the frame marks U+FDD0
// and U+FDD1) each end one.
struct Lines {
    QStringList lines;
    QStringList ends; // the end that follows each line; the last line has none
};
Lines split(const QString &text);

// The lines a box shows, joined again after the text `original`: a line the
// user did not touch keeps its end; where the user changed lines, the last
// of the changed ones takes the end of the last line it replaced, and a line
// break the user typed is LF. The last line has no end, as in `original`.
QString join(const Lines &original, const QStringList &shown);

} // namespace LineEnds
