#include "CommandDatabase.h"

#include "library/SqlCipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CommandDatabase {

namespace {

bool insertAll(const SqlCipher::Database &db, const QList<CommandSource::Command> &commands)
{
    const SqlCipher::Statement insert = db.prepare("insert into u (na, code) values (?1, ?2)");
    if (!insert)
        return false;
    for (const CommandSource::Command &command : commands) {
        if (!SqlCipher::bindText(insert.get(), 1, command.name) || !SqlCipher::bindText(insert.get(), 2, command.code)
            || sqlite3_step(insert.get()) != SQLITE_DONE || sqlite3_reset(insert.get()) != SQLITE_OK)
            return false;
    }
    return true;
}

} // namespace

Result<void> write(const QString &path, const QByteArray &key, const QList<CommandSource::Command> &commands)
{
    // Build beside the target and move it into place once complete.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Failure{QStringLiteral("无法创建目录 %1").arg(QFileInfo(path).absolutePath())};
    QString failure;
    {
        SqlCipher::Database db;
        if (const Result<void> opened = db.open(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, key); !opened)
            failure = opened.error();
        else if (!db.exec("create table u (na text, code text)") || !db.exec("begin") || !insertAll(db, commands)
                 || !db.exec("create index u_na on u (na)") || !db.exec("commit"))
            failure = db.errorText();
    }
    if (failure.isEmpty() && QFile::exists(path) && !QFile::remove(path))
        failure = QStringLiteral("无法替换 %1").arg(path);
    if (failure.isEmpty() && !QFile::rename(partial, path))
        failure = QStringLiteral("无法写入 %1").arg(path);
    if (!failure.isEmpty()) {
        QFile::remove(partial);
        return Failure{failure};
    }
    return {};
}

Result<QList<CommandSource::Command>> read(const QString &path, const QByteArray &key)
{
    SqlCipher::Database db;
    if (const Result<void> opened = db.open(path, SQLITE_OPEN_READONLY, key); !opened)
        return Failure{opened.error()};
    const SqlCipher::Statement select = db.prepare("select na, code from u order by rowid");
    if (!select)
        return Failure{db.errorText()};
    QList<CommandSource::Command> commands;
    int step;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW)
        commands.append({SqlCipher::columnText(select.get(), 0), SqlCipher::columnText(select.get(), 1)});
    if (step != SQLITE_DONE)
        return Failure{db.errorText()};
    return commands;
}

} // namespace CommandDatabase
