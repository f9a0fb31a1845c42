#pragma once

#include "Result.h"

#include <QString>

// The recommended APT sources and the file they are written to.
namespace Sources {

// The 42 recommended entries, one a line, separated by LF, with CR LF after
// the last.
QString text();

// Replaces the file at path with text followed by CR LF, in one step: a
// failed write leaves the earlier file as it was. Only a regular file, or a
// link to one, is replaced. A failure holds the reason the file could not be
// written.
Result<void> write(const QString &path, const QString &text);

} // namespace Sources
