#include "CommandDatabase.h"

#include "library/SqlCipher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace CommandDatabase {

namespace {

bool insertRow(sqlite3_stmt *insert, const QString &first, const QString &second)
{
    return SqlCipher::bindText(insert, 1, first) && SqlCipher::bindText(insert, 2, second)
        && sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
}

bool insertAll(const SqlCipher::Database &db, const QList<CommandSource::Command> &commands)
{
    const SqlCipher::Statement insert = db.prepare("insert into u (na, code) values (?1, ?2)");
    const SqlCipher::Statement insertWord = db.prepare("insert into w (na, word) values (?1, ?2)");
    if (!insert || !insertWord)
        return false;
    for (const CommandSource::Command &command : commands) {
        if (!insertRow(insert.get(), command.name, command.code))
            return false;
        for (const QString &word : command.words) {
            if (!insertRow(insertWord.get(), command.name, word))
                return false;
        }
    }
    return true;
}

// The search words of every name, in the order they were written; none in a
// database made before there were words.
Result<QHash<QString, QStringList>> readWords(const SqlCipher::Database &db)
{
    const SqlCipher::Statement table = db.prepare("select 1 from sqlite_master where type = 'table' and name = 'w'");
    if (!table)
        return Failure{db.errorText()};
    if (const int found = sqlite3_step(table.get()); found == SQLITE_DONE)
        return QHash<QString, QStringList>();
    else if (found != SQLITE_ROW)
        return Failure{db.errorText()};
    const SqlCipher::Statement select = db.prepare("select na, word from w order by rowid");
    if (!select)
        return Failure{db.errorText()};
    QHash<QString, QStringList> words;
    int step;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW)
        words[SqlCipher::columnText(select.get(), 0)].append(SqlCipher::columnText(select.get(), 1));
    if (step != SQLITE_DONE)
        return Failure{db.errorText()};
    return words;
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
        else if (!db.exec("create table u (na text, code text)") || !db.exec("create table w (na text, word text)")
                 || !db.exec("begin") || !insertAll(db, commands)
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
    const Result<QHash<QString, QStringList>> words = readWords(db);
    if (!words)
        return Failure{words.error()};
    const SqlCipher::Statement select = db.prepare("select na, code from u order by rowid");
    if (!select)
        return Failure{db.errorText()};
    QList<CommandSource::Command> commands;
    int step;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        const QString name = SqlCipher::columnText(select.get(), 0);
        commands.append({name, SqlCipher::columnText(select.get(), 1), words->value(name)});
    }
    if (step != SQLITE_DONE)
        return Failure{db.errorText()};
    return commands;
}

} // namespace CommandDatabase
