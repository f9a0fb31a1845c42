// The command-database tool: source text, build and dump.
#include "CommandDatabase.h"
#include "CommandSource.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
                              "两行\tcd /var/www%ls -la\nquote's\techo \"it's\"\n";
    QFile sourceFile(dir.filePath("in.txt"));
    QVERIFY(sourceFile.open(QIODevice::WriteOnly));
    sourceFile.write(source);
    sourceFile.close();

    QCOMPARE(QProcess::execute(tool(), {"build", dir.filePath("in.txt"), dir.filePath("db/main.mdb")}), 0);
    QCOMPARE(QProcess::execute(tool(), {"dump", dir.filePath("db/main.mdb"), dir.filePath("out.txt")}), 0);
    QFile out(dir.filePath("out.txt"));
    QVERIFY(out.open(QIODevice::ReadOnly));
    QCOMPARE(out.readAll(), source);

    // Building again replaces the database instead of adding to it.
    QCOMPARE(QProcess::execute(tool(), {"build", dir.filePath("in.txt"), dir.filePath("db/main.mdb")}), 0);
    QList<CommandSource::Command> commands;
    QVERIFY(!CommandDatabase::read(dir.filePath("db/main.mdb"), "#@^%7!4&&9$2T*3!8(5)", commands));
    QCOMPARE(commands.size(), 4);
}

void DbToolTest::malformedLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::newRow("no tab") << "# note\n\nok\tpwd\nno tab here\n" << 4;
    QTest::newRow("empty name") << "\tpwd\n" << 1;
    QTest::newRow("empty command") << "name\t  \n" << 1;
    QTest::newRow("two tabs") << "a\tb\tc\n" << 1;
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
    QFile sourceFile(dir.filePath("bad.txt"));
    QVERIFY(sourceFile.open(QIODevice::WriteOnly));
    sourceFile.write("ok\tpwd\nbroken line\n");
    sourceFile.close();
    QProcess process;
    process.start(tool(), {"build", dir.filePath("bad.txt"), dir.filePath("db/main.mdb")});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("第2行")));
    QVERIFY(!QFile::exists(dir.filePath("db/main.mdb")));
}

QTEST_GUILESS_MAIN(DbToolTest)
#include "test_dbtool.moc"
