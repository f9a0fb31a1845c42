#pragma once

#include "CommandSource.h"
#include "Result.h"

#include <QByteArray>
#include <QString>

// Writing and reading the encrypted command database: a standard SQLCipher
// file with the library's default settings, the design's table u (na, code),
// indexed by name for the details lookup, and the search words in a table of
// their own, w (na, word): one row a word, under the name of its command.
namespace CommandDatabase {

// Writes a new database at path (replacing any file there) holding commands
// in their order.
Result<void> write(const QString &path, const QByteArray &key, const QList<CommandSource::Command> &commands);
// Every row of table u in table order.
Result<QList<CommandSource::Command>> read(const QString &path, const QByteArray &key);

} // namespace CommandDatabase
