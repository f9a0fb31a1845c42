#pragma once

#include "CommandSource.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Writing and reading the encrypted command database: a standard SQLCipher
// file with the library's default settings and one table u (na, code),
// indexed by name for the details lookup.
namespace CommandDatabase {

// Writes a new database at path (replacing any file there) holding commands
// in their order. Returns the reason on failure.
std::optional<QString> write(const QString &path, const QByteArray &key, const QList<CommandSource::Command> &commands);
// Reads every row of table u in table order. Returns the reason on failure.
std::optional<QString> read(const QString &path, const QByteArray &key, QList<CommandSource::Command> &commands);

} // namespace CommandDatabase
