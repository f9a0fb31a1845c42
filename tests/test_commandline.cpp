// The program's options on a terminal without a display: what it prints,
// where, in which language, and the status it ends with.
#include <QProcess>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void answered_data();
    void answered();
};

namespace {

constexpr int kDeadlineMs = 30'000;

// The environment of a terminal with no display, with the locale variables given.
QProcessEnvironment terminal(const QStringList &locale)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    for (const QString &assignment : locale)
        environment.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    return environment;
}

} // namespace

void CommandLineTest::answered_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("locale");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");  // the first line when it ends in "…", else all
    QTest::addColumn<QString>("err");

    const QString chineseHelp = QStringLiteral("用法：tovanu [选项]…");
    const QString englishHelp = QStringLiteral("Usage: tovanu [OPTION]…");
    const QString version = QStringLiteral("tovanu 1.1\n");
    const QStringList none;
    const QStringList english = {QStringLiteral("LANG=en_US.UTF-8")};
    QTest::newRow("--help, no locale") << QStringList{QStringLiteral("--help")} << none << 0 << chineseHelp << QString();
    QTest::newRow("-h, Chinese locale") << QStringList{QStringLiteral("-h")} << QStringList{QStringLiteral("LANG=zh_CN.UTF-8")} << 0 << chineseHelp << QString();
    QTest::newRow("-h, C locale") << QStringList{QStringLiteral("-h")} << QStringList{QStringLiteral("LANG=C")} << 0 << chineseHelp << QString();
    QTest::newRow("--help, English") << QStringList{QStringLiteral("--help")} << english << 0 << englishHelp << QString();
    QTest::newRow("LC_MESSAGES over LANG") << QStringList{QStringLiteral("--help")}
                                           << QStringList{QStringLiteral("LANG=zh_CN.UTF-8"), QStringLiteral("LC_MESSAGES=en_GB.UTF-8")}
                                           << 0 << englishHelp << QString();
    QTest::newRow("LC_ALL over LC_MESSAGES") << QStringList{QStringLiteral("--help")}
                                             << QStringList{QStringLiteral("LC_MESSAGES=en_US.UTF-8"), QStringLiteral("LC_ALL=zh_CN.UTF-8")}
                                             << 0 << chineseHelp << QString();
    QTest::newRow("--help first, then anything") << QStringList{QStringLiteral("--help"), QStringLiteral("--bogus")} << none << 0 << chineseHelp << QString();
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << none << 0 << version << QString();
    QTest::newRow("-v, English") << QStringList{QStringLiteral("-v")} << english << 0 << version << QString();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--bogus")} << none << 2 << QString()
                                    << QStringLiteral("tovanu：无法识别的参数“--bogus”\n请用“tovanu --help”查看可用的选项。\n");
    QTest::newRow("unknown option, English") << QStringList{QStringLiteral("-x")} << english << 2 << QString()
                                             << QStringLiteral("tovanu: unrecognized argument '-x'\nTry 'tovanu --help' for the options.\n");
    QTest::newRow("a stray word") << QStringList{QStringLiteral("Source.list")} << none << 2 << QString()
                                  << QStringLiteral("tovanu：无法识别的参数“Source.list”\n请用“tovanu --help”查看可用的选项。\n");
}

void CommandLineTest::answered()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, locale);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess program;
    program.setProcessEnvironment(terminal(locale));
    program.start(QStringLiteral(TOVANU_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(kDeadlineMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString printed = QString::fromUtf8(program.readAllStandardOutput());
    if (out.endsWith(u'…'))
        QCOMPARE(printed.section(u'\n', 0, 0) + u'…', out);
    else
        QCOMPARE(printed, out);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), err);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"
