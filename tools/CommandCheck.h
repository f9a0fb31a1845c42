#pragma once

#include "CommandSource.h"
#include "placeholders/ShellText.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// The checks that keep the shipped command library safe to paste into a root
// shell: placeholders in one form, no text the user types where the shell
// changes it, names that show whole in the list. A command's placeholders are
// written "<中文说明>", such as "<域名>" or "<网站目录>".
namespace CommandCheck {

struct Fault {
    int line; // 1-based line of the library's source
    QString reason;
    bool operator==(const Fault &) const = default;
};

// The command text as pasted: every "%" a line break.
QString pastedText(const QString &code);

// Where a character stands for the shell, and the placeholders of a text.
using ShellText::Context;
using ShellText::contextsOf;
using ShellText::Placeholder;
using ShellText::placeholdersOf;

// A value of the placeholder's kind that a user would type: a domain for
// "<域名>", a folder for "<网站目录>"; an unknown word gets a plain word.
QString sampleFor(const QString &word);
// The command as a user pastes it once every placeholder is filled in.
QString filledScript(const QString &code);

// Whether the placeholder stands for a password or another secret.
bool isSecret(const QString &word);

// The first line of a command that holds placeholders: it lists them, each
// once, inside single quotes, and stops the paste while one of them is still
// there. A filled-in value replaces its placeholder in the list as everywhere
// else, so the filled list no longer matches "<" + non-ASCII + ">" and the
// guard lets the rest run. The rest follows "&&" and must be one command: a
// "{ … }" group, a "( … )" subshell or a single "&&"/"|" chain on one line.
QString guardFor(const QStringList &placeholderWords);

// Whether the entry's command is pasted into the server's root shell; the
// few that run on the user's own computer say so in their names, and their
// shell may not be bash.
bool runsOnServer(const QString &name);

// Why the command's text breaks the rules of placeholders, guards and
// quoting, one reason each; empty when it keeps them. Only a command for the
// server needs a guard.
QStringList textProblems(const QString &code, bool onServer = true);

// Why a name does not show whole in the list, or nullopt when it does.
using WidthProblem = std::function<std::optional<QString>(const QString &name)>;
// Why each name cannot stand in the list: not unique, no Chinese, too wide.
QList<Fault> nameFaults(const QList<CommandSource::Entry> &entries, const WidthProblem &widthProblem);

// Every fault of a library source: text that is not UTF-8, malformed lines,
// names, placeholders, guards and quoting, and each filled-in command through
// "bash -n" and ShellCheck.
QList<Fault> check(const QByteArray &source, const WidthProblem &widthProblem);

} // namespace CommandCheck
