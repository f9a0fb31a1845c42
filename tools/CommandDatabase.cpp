#include "CommandDatabase.h"

#include "library/SqlCipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CommandDatabase {

namespace {

class Connection
{
public:
    Connection(const QString &path, int flags, const QByteArray &key)
    {
        m_ok = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr) == SQLITE_OK
               && sqlite3_key(m_db, key.constData(), int(key.size())) == SQLITE_OK;
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    bool ok() const { return m_ok; }
    sqlite3 *db() const { return m_db; }
    QString error() const { return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory"); }
    bool exec(const char *sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

private:
    sqlite3 *m_db = nullptr;
    bool m_ok = false;
};

QString text(sqlite3_stmt *statement, int column)
{
    const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return value ? QString::fromUtf8(value, sqlite3_column_bytes(statement, column)) : QString();
}

bool insertAll(Connection &connection, const QList<CommandSource::Command> &commands)
{
    sqlite3_stmt *insert = nullptr;
    if (sqlite3_prepare_v2(connection.db(), "insert into u (na, code) values (?1, ?2)", -1, &insert, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    for (const CommandSource::Command &command : commands) {
        const QByteArray name = command.name.toUtf8();
        const QByteArray code = command.code.toUtf8();
        sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, code.constData(), int(code.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
        if (!ok)
            break;
    }
    sqlite3_finalize(insert);
    return ok;
}

} // namespace

std::optional<QString> write(const QString &path, const QByteArray &key, const QList<CommandSource::Command> &commands)
{
    // Build beside the target and move it into place once complete.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("无法创建目录 %1").arg(QFileInfo(path).absolutePath());
    QString failure;
    {
        Connection connection(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, key);
        if (!connection.ok() || !connection.exec("create table u (na text, code text)")
            || !connection.exec("begin") || !insertAll(connection, commands)
            || !connection.exec("create index u_na on u (na)") || !connection.exec("commit"))
            failure = connection.error();
    }
    if (failure.isEmpty() && QFile::exists(path) && !QFile::remove(path))
        failure = QStringLiteral("无法替换 %1").arg(path);
    if (failure.isEmpty() && !QFile::rename(partial, path))
        failure = QStringLiteral("无法写入 %1").arg(path);
    if (!failure.isEmpty()) {
        QFile::remove(partial);
        return failure;
    }
    return std::nullopt;
}

std::optional<QString> read(const QString &path, const QByteArray &key, QList<CommandSource::Command> &commands)
{
    commands.clear();
    Connection connection(path, SQLITE_OPEN_READONLY, key);
    sqlite3_stmt *select = nullptr;
    if (!connection.ok()
        || sqlite3_prepare_v2(connection.db(), "select na, code from u order by rowid", -1, &select, nullptr) != SQLITE_OK)
        return connection.error();
    int step;
    while ((step = sqlite3_step(select)) == SQLITE_ROW)
        commands.append({text(select, 0), text(select, 1)});
    sqlite3_finalize(select);
    if (step != SQLITE_DONE)
        return connection.error();
    return std::nullopt;
}

} // namespace CommandDatabase
