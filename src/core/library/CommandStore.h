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
    enum class Failure {
        Database,   // the database could not answer
        TooComplex, // a search that would take too long, stopped
    };

    CommandStore() = default;
    CommandStore(const CommandStore &) = delete;
    CommandStore &operator=(const CommandStore &) = delete;

    // Opens and checks the database at path with the given key. On failure
    // returns the database layer's own description and stays closed.
    std::optional<QString> open(const QString &path, const QByteArray &key);

    // Each query returns false on a failure; failure() and errorText() then
    // say which and why.
    // Rows without a name are never listed.
    bool allNames(QStringList &names);
    // Names of the rows whose column contains term, compared as LIKE compares:
    // ASCII letters without regard to case, "%" and "_" as wildcards. A search
    // still running after a second is stopped as too complex.
    bool namesContaining(Column column, const QString &term, QStringList &names);
    // The command text of the first row whose name reads as this text (a name
    // stored as a number or a blob is found by the text it is listed as);
    // nullopt when no row has it, an empty text when the row's command is null.
    bool codeOf(const QString &name, std::optional<QString> &code);

    Failure failure() const { return m_failure; }
    QString errorText() const { return m_error; }

private:
    // Records the failure of the last call; code is the SQLite result that
    // ended it.
    bool fail(int code = SQLITE_ERROR);
    bool collectNames(sqlite3_stmt *statement, QStringList &names);

    SqlCipher::Database m_db;
    QDeadlineTimer m_searchDeadline; // when the running search is stopped
    Failure m_failure = Failure::Database;
    QString m_error;
};
