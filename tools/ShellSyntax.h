#pragma once

#include "CommandCheck.h"

#include <QHash>

// Commands of the library through bash's own parser ("bash -n") and ShellCheck
// at warning level, as bash scripts.
namespace ShellSyntax {

struct Script {
    int line; // line of the library's source the script comes from
    QString text;
    bool unedited = false; // with its placeholders as they are: "bash -n" only
};

// Runs "bash -n" on each script and one ShellCheck process over all of them
// but the unedited ones.
// A tool that cannot run is a fault of line 0.
QList<CommandCheck::Fault> check(const QList<Script> &scripts);

// Reads ShellCheck's gcc-format output ("file:line:column: level: text
// [SCnnnn]"); lineOfFile tells each file's line in the library's source.
QList<CommandCheck::Fault> shellCheckFaults(const QString &output, const QHash<QString, int> &lineOfFile);

} // namespace ShellSyntax
