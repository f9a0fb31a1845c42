#pragma once

// The SQLite C API of SQLCipher, with its key functions declared, and the
// handles the program works with: a database that closes itself and is
// opened with its key in one step, and a statement that finalizes itself.
#ifndef SQLITE_HAS_CODEC
#define SQLITE_HAS_CODEC 1
#endif
#include <sqlite3.h>

#include "Result.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace SqlCipher {

struct StatementFinalizer {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class Database
{
public:
    // Opens the file at path with the SQLITE_OPEN_* flags given and sets its
    // key. A failure holds the database layer's own description, and the
    // database stays closed. An open database is closed first.
    Result<void> open(const QString &path, int flags, const QByteArray &key);
    void close() { m_db.reset(); }
    sqlite3 *handle() const { return m_db.get(); }

    // The description of the last failure.
    QString errorText() const;
    bool exec(const char *sql) const;
    // The statement, or null when sql does not compile (errorText() says why).
    Statement prepare(const char *sql) const;

private:
    struct Closer {
        void operator()(sqlite3 *db) const { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> m_db;
};

bool bindText(sqlite3_stmt *statement, int index, const QString &text);
// A column's value as text; null reads as empty.
QString columnText(sqlite3_stmt *statement, int column);

} // namespace SqlCipher
