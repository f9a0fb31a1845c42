#pragma once

#include "SqlCipher.h"

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include <optional>

// The command database: table u, one row per command, with the display name
// in na and the command text in code. It is opened read-only and never
// written. Every statement binds its values; nothing typed by the user ever
// becomes part of SQL text.
class CommandStore
{
public:
    enum class Column { Name, Code };

    CommandStore() = default;
    CommandStore(const CommandStore &) = delete;
    CommandStore &operator=(const CommandStore &) = delete;

    // Opens and checks the database at path with the given key. A failure
    // holds the database layer's own description; the store stays closed.
    Result<void> open(const QString &path, const QByteArray &key);

    // A query's failure holds the text the user is told: that the database
    // could not be read, and why, or that the search was too complex.
    // Rows without a name are never listed.
    Result<QStringList> allNames();
    // Names of the rows whose column contains term, compared as LIKE compares:
    // ASCII letters without regard to case, "%" and "_" as wildcards. A search
    // still running after a second is stopped as too complex.
    Result<QStringList> namesContaining(Column column, const QString &term);
    // The command text of the first row whose name reads as this text (a name
    // stored as a number or a blob is found by the text it is listed as);
    // nullopt when no row has it, an empty text when the row's command is null.
    Result<std::optional<QString>> codeOf(const QString &name);

private:
    // The failure of the last call; code is the SQLite result that ended it.
    Failure failure(int code = SQLITE_ERROR) const;
    Result<QStringList> collectNames(sqlite3_stmt *statement);

    SqlCipher::Database m_db;
    QDeadlineTimer m_searchDeadline; // when the running search is stopped
};
