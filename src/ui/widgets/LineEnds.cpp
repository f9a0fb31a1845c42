#include "LineEnds.h"

#include "LineEnd.h"

#include <QRegularExpression>

#include <vector>

namespace {

const QString kTypedEnd = QString::fromLatin1(LineEnd::kGiven);

// Lines of the changed middle compared one with another at most; beyond it
// the whole middle counts as changed.
constexpr qsizetype kMaxComparedPairs = qsizetype(1) << 20;

// For each shown line, the original line it is, or -1: the longest common
// run of lines, found after the common first and last lines are set aside.
std::vector<qsizetype> origins(const QStringList &original, const QStringList &shown)
{
    const qsizetype n = original.size();
    const qsizetype m = shown.size();
    std::vector<qsizetype> origin(m, -1);
    qsizetype head = 0;
    while (head < n && head < m && original.at(head) == shown.at(head)) {
        origin[head] = head;
        ++head;
    }
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && original.at(n - 1 - tail) == shown.at(m - 1 - tail)) {
        origin[m - 1 - tail] = n - 1 - tail;
        ++tail;
    }
    const qsizetype rows = n - head - tail;
    const qsizetype columns = m - head - tail;
    if (rows == 0 || columns == 0 || rows * columns > kMaxComparedPairs)
        return origin;

    // common[i][j]: the longest common run of original[head + i ..] and shown[head + j ..].
    std::vector<qsizetype> common((rows + 1) * (columns + 1), 0);
    const auto at = [columns](qsizetype i, qsizetype j) { return i * (columns + 1) + j; };
    for (qsizetype i = rows - 1; i >= 0; --i) {
        for (qsizetype j = columns - 1; j >= 0; --j) {
            common[at(i, j)] = original.at(head + i) == shown.at(head + j)
                                   ? common[at(i + 1, j + 1)] + 1
                                   : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);
        }
    }
    for (qsizetype i = 0, j = 0; i < rows && j < columns;) {
        if (original.at(head + i) == shown.at(head + j)) {
            origin[head + j] = head + i;
            ++i, ++j;
        } else if (common[at(i + 1, j)] >= common[at(i, j + 1)]) {
            ++i;
        } else {
            ++j;
        }
    }
    return origin;
}

} // namespace

namespace LineEnds {

Lines split(const QString &text)
{
    // A text box also starts a new line at a paragraph separator and at the
    // two characters it keeps for frames; they come back as themselves.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r|\u2029|\uFDD0|\uFDD1"));
    Lines cut;
    qsizetype start = 0;
    for (const QRegularExpressionMatch &end : lineEnd.globalMatch(text)) {
        cut.lines.append(text.mid(start, end.capturedStart() - start));
        cut.ends.append(end.captured());
        start = end.capturedEnd();
    }
    cut.lines.append(text.mid(start));
    return cut;
}

QString join(const Lines &original, const QStringList &shown)
{
    const std::vector<qsizetype> origin = origins(original.lines, shown);
    // The end of an original line; the last has none, and a break after it was typed.
    const auto endOf = [&original](qsizetype line) {
        return line >= 0 && line < original.ends.size() ? original.ends.at(line) : kTypedEnd;
    };
    QString text;
    qsizetype lastKept = -1; // the original line of the last shown line left alone
    for (qsizetype k = 0; k < shown.size(); ++k) {
        text += shown.at(k);
        if (k + 1 == shown.size())
            break;
        if (origin[k] >= 0) {
            lastKept = origin[k];
            text += endOf(origin[k]);
            continue;
        }
        // A changed line: the last of its run ends as the last line it replaced.
        const qsizetype nextKept = origin[k + 1];
        const bool lastChanged = nextKept >= 0;
        text += lastChanged && nextKept - 1 > lastKept ? endOf(nextKept - 1) : kTypedEnd;
    }
    return text;
}

} // namespace LineEnds
