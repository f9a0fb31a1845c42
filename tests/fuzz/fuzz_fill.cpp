// Any command and any edits of its text: filling never crashes, the places
// lie in the text in order, a place still to fill shows its placeholder, and
// the caret stays in the text; the places of a placeholder all hold its
// value, or all wait for one. And any value, and every value of a table of
// control characters, in every shape a command gives a place: what bash
// receives from the copy is the value byte for byte, or the value is left out
// of the copy.
#include "placeholders/CommandFill.h"

#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The most characters an edit removes, and bytes it puts in.
constexpr int kEditSpan = 8;
// The longest value tried on bash.
constexpr qsizetype kValueMax = 256;

void checkPlaces(const CommandFill &fill)
{
    qsizetype after = 0;
    QHash<QString, bool> filled; // whether a placeholder's places hold a value
    for (const CommandFill::Place &place : fill.places()) {
        if (place.begin < after || place.end() > fill.text().size())
            std::abort();
        if (filled.value(place.word, place.filled) != place.filled)
            std::abort();
        filled.insert(place.word, place.filled);
        if (!place.filled && fill.text().mid(place.begin, place.length) != QLatin1Char('<') + place.word + QLatin1Char('>'))
            std::abort();
        after = place.end();
    }
}

// Commands that print the value of "<值>" as bash receives it at its place.
// A substitution's output keeps its last line break through the ".".
const char *const kShapes[] = {
    "printf %s <值>",
    "printf %s '<值>'",
    "printf %s $'<值>'",
    "printf %s \"<值>\"",
    "x=x<值>y; x=${x#x}; printf %s \"${x%y}\"",
    "x=$(cat <<'EOF'\n<值>.\nEOF\n); printf %s \"${x%.}\"",
    "x=$(cat <<EOF\n<值>.\nEOF\n); printf %s \"${x%.}\"",
    "n=1; : $(( 8 << \"$n\" ))\nprintf %s <值>",
    "x=\"$(printf %s \"<值>\"; echo .)\"; printf %s \"${x%.}\"",
    "x=\"$(printf %s <值>; echo .)\"; printf %s \"${x%.}\"",
    "printf %s $(( <值> ))",
    "printf %s `printf %s <值>`",
};
const QString kWord = QStringLiteral("值");

// Values whose control characters a terminal takes as keys.
const char *const kControlValues[] = {
    "\x03 touch /tmp/PWNED #", "\x1b[201~\x15rm x", "a\rb", "a\tb", "\x7f", "\xc2\x85", "\x1b]0;title\x07", "\x04", "a\nb",
};

// Every shape filled with the value and copied: what bash prints for each
// copy that holds the value equals the value.
void checkOnBash(const QString &value)
{
    QStringList copies;
    QList<int> shapes;
    for (int i = 0; i < int(std::size(kShapes)); ++i) {
        CommandFill fill(QString::fromUtf8(kShapes[i]));
        fill.setValue(kWord, value);
        const CommandFill::Copy copy = fill.copy();
        if (!copy.notice.isEmpty()) {
            if (copy.text != CommandFill(QString::fromUtf8(kShapes[i])).text())
                std::abort();
            continue;
        }
        copies.append(copy.text);
        shapes.append(i);
    }
    if (copies.isEmpty())
        return;
    QProcess bash;
    bash.start(QStringLiteral("bash"),
               QStringList{QStringLiteral("-c"), QStringLiteral("for s; do (eval \"$s\"); printf '\\0'; done"), QStringLiteral("bash")}
                   + copies);
    if (!bash.waitForFinished())
        std::abort();
    const QList<QByteArray> printed = bash.readAllStandardOutput().split('\0');
    for (qsizetype k = 0; k < copies.size(); ++k) {
        if (k >= printed.size() || printed.at(k) != value.toUtf8()) {
            std::fprintf(stderr, "bash did not receive the value of shape %d:\n%s\n", shapes.at(k), qPrintable(copies.at(k)));
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool controlsChecked = [] {
        for (const char *value : kControlValues)
            checkOnBash(QString::fromUtf8(value));
        return true;
    }();
    (void)controlsChecked;

    // The input is the command, a NUL byte, then edits: a byte for where (of
    // the text's length), one for how many characters go, one for how many
    // bytes come, and those bytes. The command is also the value tried on bash.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QString command = QString::fromUtf8(split < 0 ? input : input.left(split));
    if (!command.isEmpty() && command.size() <= kValueMax)
        checkOnBash(command);
    CommandFill fill(command);
    checkPlaces(fill);
    int typingInto = -1;
    for (qsizetype i = split < 0 ? input.size() : split + 1; i + 3 <= input.size();) {
        const qsizetype length = fill.text().size();
        const qsizetype position = uchar(input.at(i)) % (length + 1);
        const qsizetype removed = std::min<qsizetype>(uchar(input.at(i + 1)) % kEditSpan, length - position);
        const qsizetype count = uchar(input.at(i + 2)) % kEditSpan;
        const QString inserted = QString::fromUtf8(input.mid(i + 3, count));
        i += 3 + count;
        const CommandFill::Edited edited = fill.edit(position, removed, inserted, typingInto);
        if (edited.caret < 0 || edited.caret > fill.text().size())
            std::abort();
        typingInto = edited.place;
        checkPlaces(fill);
    }
    return 0;
}
