// The command-database tool: source text, build and dump.
#include "CommandDatabase.h"
#include "CommandSource.h"
#include "library/SqlCipher.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class DbToolTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void malformedLines_data();
    void malformedLines();
    void toolReportsTheLine();

private:
    QString tool() const { return QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/tovanu-db"); }
};

void DbToolTest::roundTrip()
{
    QTemporaryDir dir;
    const QByteArray source = "查看磁盘空间\tdf -h\n重启Apache2\tsudo systemctl restart apache2\n"
                              "两行\tcd /var/www%ls -la\nquote's\techo \"it's\"\n"
                              "结束进程\tkill <进程号>\t杀进程,kill进程,关闭程序\n";
    QFile sourceFile(dir.filePath(u"in.txt"_s));
    QVERIFY(sourceFile.open(QIODevice::WriteOnly));
    sourceFile.write(source);
    sourceFile.close();

    QCOMPARE(QProcess::execute(tool(), {u"build"_s, dir.filePath(u"in.txt"_s), dir.filePath(u"db/main.mdb"_s)}), 0);
    QCOMPARE(QProcess::execute(tool(), {u"dump"_s, dir.filePath(u"db/main.mdb"_s), dir.filePath(u"out.txt"_s)}), 0);
    QFile out(dir.filePath(u"out.txt"_s));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), source);

    // Building again replaces the database instead of adding to it.
    QCOMPARE(QProcess::execute(tool(), {u"build"_s, dir.filePath(u"in.txt"_s), dir.filePath(u"db/main.mdb"_s)}), 0);
    const auto commands = CommandDatabase::read(dir.filePath(u"db/main.mdb"_s), "#@^%7!4&&9$2T*3!8(5)");
    QVERIFY(commands);
    QCOMPARE(commands->size(), 5);

    // A database made before there were search words reads without them.
    {
        SqlCipher::Database db;
        QVERIFY(db.open(dir.filePath(u"db/main.mdb"_s), SQLITE_OPEN_READWRITE, "#@^%7!4&&9$2T*3!8(5)"));
        QVERIFY(db.exec("drop table w"));
    }
    const auto withoutWords = CommandDatabase::read(dir.filePath(u"db/main.mdb"_s), "#@^%7!4&&9$2T*3!8(5)");
    QVERIFY2(withoutWords, qPrintable(withoutWords ? QString() : withoutWords.error()));
    QCOMPARE(withoutWords->size(), 5);
}

void DbToolTest::malformedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::newRow("no tab") << "# note\n\nok\tpwd\nno tab here\n" << 4;
    QTest::newRow("empty name") << "\tpwd\n" << 1;
    QTest::newRow("empty command") << "name\t  \n" << 1;
    QTest::newRow("three tabs") << "a\tb\tc\td\n" << 1;
    QTest::newRow("words field empty") << "ok\tpwd\tword\na\tb\t\n" << 2;
    QTest::newRow("an empty word") << "a\tb\t杀进程,,kill\n" << 1;
}

void DbToolTest::malformedLines()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QList<CommandSource::Command> commands;
    const auto error = CommandSource::parse(text, commands);
    QVERIFY(error);
    QCOMPARE(error->line, line);
    QVERIFY(!error->reason.isEmpty());
}

void DbToolTest::toolReportsTheLine()
{
    QTemporaryDir dir;
    QFile sourceFile(dir.filePath(u"bad.txt"_s));
    QVERIFY(sourceFile.open(QIODevice::WriteOnly));
    sourceFile.write("ok\tpwd\nbroken line\n");
    sourceFile.close();
    QProcess process;
    process.start(tool(), {u"build"_s, dir.filePath(u"bad.txt"_s), dir.filePath(u"db/main.mdb"_s)});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("第2行")));
    QVERIFY(!QFile::exists(dir.filePath(u"db/main.mdb"_s)));
}

QTEST_GUILESS_MAIN(DbToolTest)
#include "test_dbtool.moc"
