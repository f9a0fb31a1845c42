#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The shipped command library as readable text: one command a line, its name,
// one tab, then its command text with "%" where a line break goes, and
// optionally one more tab and its search words, separated by ",": what
// newcomers type when they look for it. Blank lines and lines that start
// with "#" are notes for the maintainers.
namespace CommandSource {

struct Command {
    QString name;
    QString code;
    QStringList words = {}; // what newcomers type for it, in the order written
    bool operator==(const Command &) const = default;
};

struct ParseError {
    int line; // 1-based
    QString reason;
};

// A command with the line it stands on.
struct Entry {
    int line; // 1-based
    Command command;
};

// Reads every well-formed line of the text; each malformed one is reported
// in errors, in the order of the lines.
QList<Entry> entries(const QString &text, QList<ParseError> &errors);
// Parses the whole text; the first malformed line is reported.
std::optional<ParseError> parse(const QString &text, QList<Command> &commands);
// One line a command, in the same form parse reads.
QString format(const QList<Command> &commands);
// Why this command cannot stand on one line, or nullopt when it can.
std::optional<QString> problemOf(const Command &command);

} // namespace CommandSource
