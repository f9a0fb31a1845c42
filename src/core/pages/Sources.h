#pragma once

#include <QString>

#include <optional>

// The recommended APT sources and the file they are written to.
namespace Sources {

// The 42 recommended entries, one a line, separated by LF, with CR LF after
// the last.
QString text();

// Replaces the file at path with text followed by CR LF, in one step: a
// failed write leaves the earlier file as it was. Only a regular file, or a
// link to one, is replaced. Returns the reason when the file could not be
// written.
std::optional<QString> write(const QString &path, const QString &text);

} // namespace Sources
