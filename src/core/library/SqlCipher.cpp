#include "SqlCipher.h"

#include <QFile>

namespace SqlCipher {

Result<void> Database::open(const QString &path, int flags, const QByteArray &key)
{
    close();
    sqlite3 *db = nullptr;
    // The file's name as the system spells it, not as UTF-8.
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    m_db.reset(db);
    if (opened != SQLITE_OK || sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK) {
        Failure failure{db ? errorText() : QString::fromUtf8(sqlite3_errstr(opened))};
        close();
        return failure;
    }
    return {};
}

QString Database::errorText() const
{
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db.get())) : QStringLiteral("database is not open");
}

bool Database::exec(const char *sql) const
{
    return m_db && sqlite3_exec(m_db.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement Database::prepare(const char *sql) const
{
    sqlite3_stmt *statement = nullptr;
    if (m_db)
        sqlite3_prepare_v2(m_db.get(), sql, -1, &statement, nullptr);
    return Statement(statement);
}

bool bindText(sqlite3_stmt *statement, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
}

QString columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

} // namespace SqlCipher
