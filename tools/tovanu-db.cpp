// The command-database tool of the toolbox's maintainers.
//
//   tovanu-db build SOURCE.txt DATABASE   builds the encrypted database
//   tovanu-db dump DATABASE SOURCE.txt    writes a database back as text
#include "CommandDatabase.h"
#include "CommandSource.h"
#include "library/LibraryTexts.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "tovanu-db: %s\n", qPrintable(message));
    return EXIT_FAILURE;
}

const QByteArray kKey(LibraryTexts::kDatabasePassword);

int build(const QString &sourcePath, const QString &databasePath)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法读取 %1: %2").arg(sourcePath, source.errorString()));
    QList<CommandSource::Command> commands;
    if (const auto error = CommandSource::parse(QString::fromUtf8(source.readAll()), commands))
        return fail(QStringLiteral("%1 第%2行: %3").arg(sourcePath).arg(error->line).arg(error->reason));
    if (const Result<void> written = CommandDatabase::write(databasePath, kKey, commands); !written)
        return fail(written.error());
    return EXIT_SUCCESS;
}

int dump(const QString &databasePath, const QString &sourcePath)
{
    const Result<QList<CommandSource::Command>> read = CommandDatabase::read(databasePath, kKey);
    if (!read)
        return fail(QStringLiteral("无法读取 %1: %2").arg(databasePath, read.error()));
    const QList<CommandSource::Command> &commands = *read;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        if (const auto problem = CommandSource::problemOf(commands.at(i)))
            return fail(QStringLiteral("第%1条命令无法写成一行: %2").arg(i + 1).arg(*problem));
    }
    QSaveFile out(sourcePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(CommandSource::format(commands).toUtf8()) < 0 || !out.commit())
        return fail(QStringLiteral("无法写入 %1: %2").arg(sourcePath, out.errorString()));
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("build"))
        return build(args.at(2), args.at(3));
    if (args.size() == 4 && args.at(1) == QLatin1String("dump"))
        return dump(args.at(2), args.at(3));
    return fail(QStringLiteral("用法: tovanu-db build 源文件 数据库 | tovanu-db dump 数据库 源文件"));
}
