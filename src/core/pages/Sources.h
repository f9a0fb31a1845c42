#pragma once

#include "LineEnd.h"
#include "Result.h"

#include <QString>

// The recommended APT sources and the file they are written to.
namespace Sources {

// The 42 recommended entries, one a line, each ended by LF.
QString text();

// Writes text followed by LF as Source.list in the folder, deciding on
// what it opened, never on a name looked at before:
// - missing, or a regular file: a new file takes its place in one step, so a
//   failed write leaves the earlier file as it was, and whatever the name
//   has become meanwhile, the rename replaces the name and nothing behind it;
// - a link, or a regular file in a folder that takes no new file: the file it
//   leads to is written in place when, opened, it is a regular file;
// - anything else (a pipe, a device, a folder, a socket, a loop or too long a
//   chain of links) stays as it is.
Result<void> write(const QString &folder, const QString &text);

} // namespace Sources
