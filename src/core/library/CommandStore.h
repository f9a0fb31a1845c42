#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// The command database: table u, one row per command, with the display name
// in na and the command text in code. It is opened read-only and never
// written. Every statement binds its values; nothing typed by the user ever
// becomes part of SQL text.
class CommandStore
{
public:
    enum class Column { Name, Code };

    CommandStore() = default;
    ~CommandStore();
    CommandStore(const CommandStore &) = delete;
    CommandStore &operator=(const CommandStore &) = delete;

    // Opens and checks the database at path with the given key. On failure
    // returns the database layer's own description and stays closed.
    std::optional<QString> open(const QString &path, const QByteArray &key);

    // Each query returns false on a database error; errorText() then says why.
    // Rows without a name are never listed.
    bool allNames(QStringList &names);
    // Names of the rows whose column contains term, compared as LIKE compares:
    // ASCII letters without regard to case, "%" and "_" as wildcards.
    bool namesContaining(Column column, const QString &term, QStringList &names);
    // The command text of the first row with this name; nullopt when no row has
    // it, an empty text when the row's command is null.
    bool codeOf(const QString &name, std::optional<QString> &code);

    QString errorText() const { return m_error; }

private:
    bool fail();
    bool collectNames(sqlite3_stmt *statement, QStringList &names);

    sqlite3 *m_db = nullptr;
    QString m_error;
};
