// The program's options on a terminal without a display: what it prints,
// where, in which language, and the status it ends with; and the words
// newcomers type, searched as the window searches them.
#include "CommandSource.h"
#include "library/TerminalLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void answered_data();
    void answered();
    void showPrintsLineFeeds();
    void newcomersWords_data();
    void newcomersWords();
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
    QTest::newRow("control characters escaped") << QStringList{QStringLiteral("\x1b]0;title\a\u009b2J\x7f")} << none << 2 << QString()
                                                << QStringLiteral("tovanu：无法识别的参数“\\x1B]0;title\\x07\\u009B2J\\x7F”\n请用“tovanu --help”查看可用的选项。\n");

    // Qt's own options are left for Qt, wherever they stand.
    QTest::newRow("-session and its value, then --version") << QStringList{QStringLiteral("-session"), QStringLiteral("1a2b"), QStringLiteral("--version")}
                                                            << none << 0 << version << QString();
    QTest::newRow("--platform=, -reverse, then --help") << QStringList{QStringLiteral("--platform=xcb"), QStringLiteral("-reverse"), QStringLiteral("-h")}
                                                        << none << 0 << chineseHelp << QString();
    QTest::newRow("-display, then an unknown option") << QStringList{QStringLiteral("-display"), QStringLiteral(":9"), QStringLiteral("--bogus")} << none << 2 << QString()
                                                      << QStringLiteral("tovanu：无法识别的参数“--bogus”\n请用“tovanu --help”查看可用的选项。\n");

    // LANGUAGE, a list, comes before the other locale variables.
    QTest::newRow("LANGUAGE=en alone") << QStringList{QStringLiteral("--help")} << QStringList{QStringLiteral("LANGUAGE=en")}
                                       << 0 << englishHelp << QString();
    QTest::newRow("LANGUAGE over LC_ALL") << QStringList{QStringLiteral("--help")}
                                          << QStringList{QStringLiteral("LC_ALL=en_US.UTF-8"), QStringLiteral("LANGUAGE=zh_CN:en")}
                                          << 0 << chineseHelp << QString();
    QTest::newRow("LANGUAGE list, English first") << QStringList{QStringLiteral("--help")}
                                                  << QStringList{QStringLiteral("LANG=zh_CN.UTF-8"), QStringLiteral("LANGUAGE=en_GB:zh_CN")}
                                                  << 0 << englishHelp << QString();

    // The shipped library, searched by name, pinyin and search words.
    const QString ubuntu = QStringLiteral("查看Ubuntu版本");
    QTest::newRow("--search a name") << QStringList{QStringLiteral("--search"), ubuntu} << none << 0 << ubuntu + u'\n' << QString();
    QTest::newRow("--search= a name, blanks around") << QStringList{QStringLiteral("--search=  ") + ubuntu + QStringLiteral("  ")}
                                                     << none << 0 << ubuntu + u'\n' << QString();
    QTest::newRow("--search pinyin") << QStringList{QStringLiteral("--search"), QStringLiteral("ckubuntubb")} << none << 0
                                     << ubuntu + u'\n' << QString();
    QTest::newRow("--search a newcomer's word") << QStringList{QStringLiteral("--search"), QStringLiteral("杀进程")} << none << 0
                                                << QStringLiteral("结束进程…") << QString();
    QTest::newRow("--search nothing found") << QStringList{QStringLiteral("--search"), QStringLiteral("qqqqqq")} << none << 1 << QString()
                                            << QStringLiteral("tovanu：命令库里没有找到与“qqqqqq”相关的命令\n");
    QTest::newRow("--search nothing found, English") << QStringList{QStringLiteral("--search"), QStringLiteral("qqqqqq")} << english << 1 << QString()
                                                     << QStringLiteral("tovanu: no command in the library matches 'qqqqqq'\n");
    QTest::newRow("--search without a term") << QStringList{QStringLiteral("--search")} << none << 2 << QString()
                                             << QStringLiteral("tovanu：选项“--search”后面要跟一个参数\n请用“tovanu --help”查看可用的选项。\n");
    QTest::newRow("--search, a second term") << QStringList{QStringLiteral("--search"), ubuntu, QStringLiteral("更多")} << none << 2 << QString()
                                             << QStringLiteral("tovanu：无法识别的参数“更多”\n请用“tovanu --help”查看可用的选项。\n");
    QTest::newRow("--show a name") << QStringList{QStringLiteral("--show"), ubuntu} << none << 0 << QStringLiteral("lsb_release -a\n") << QString();
    QTest::newRow("--show a part of a name") << QStringList{QStringLiteral("--show"), QStringLiteral("Ubuntu版本")} << none << 1 << QString()
                                             << QStringLiteral("tovanu：命令库里没有名为“Ubuntu版本”的命令\n请用“tovanu --search 关键字”查找命令的名称。\n");
    QTest::newRow("--show, English, escaped") << QStringList{QStringLiteral("--show"), QStringLiteral("\x1b[2J")} << english << 1 << QString()
                                              << QStringLiteral("tovanu: the library has no command named '\\x1B[2J'\nTry 'tovanu --search WORD' to find its name.\n");
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

namespace {

QList<CommandSource::Command> shippedLibrary()
{
    QFile source(QStringLiteral(TOVANU_LIBRARY_SOURCE));
    QList<CommandSource::Command> commands;
    if (!source.open(QIODevice::ReadOnly) || CommandSource::parse(QString::fromUtf8(source.readAll()), commands))
        qFatal("the shipped library cannot be read");
    return commands;
}

} // namespace

// A command of several lines is printed with LF alone between them.
void CommandLineTest::showPrintsLineFeeds()
{
    const QString name = QStringLiteral("隐藏Apache版本号并关闭目录列表");
    const QList<CommandSource::Command> library = shippedLibrary();
    const auto entry = std::find_if(library.cbegin(), library.cend(), [&name](const auto &c) { return c.name == name; });
    QVERIFY(entry != library.cend() && entry->code.contains(u'%'));

    QProcess program;
    program.setProcessEnvironment(terminal({}));
    program.start(QStringLiteral(TOVANU_PROGRAM), {QStringLiteral("--show"), name});
    QVERIFY(program.waitForFinished(kDeadlineMs));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), QString(entry->code).replace(u'%', u'\n') + u'\n');
}

// What newcomers type, and the entry they look for: it must be among the
// first five names found in the shipped library.
void CommandLineTest::newcomersWords_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    const QList<std::pair<const char *, const char *>> table = {
        {"开机启动", "设置服务开机自启"},
        {"端口占用", "查看80端口被谁占用"},
        {"改密码", "修改用户密码"},
        {"磁盘满了", "查看磁盘空间使用情况"},
        {"中文乱码", "中文乱码时检查字符集(只看不改)"},
        {"安装nginx", "安装Nginx和PHP-FPM(80端口要空着)"},
        {"上传文件", "上传文件到服务器(在自己电脑上,scp)"},
        {"网站打不开", "网站打不开时逐项检查(只看不改)"},
        {"远程连接数据库", "允许指定IP远程连接MySQL(开放3306端口)"},
        {"修改端口", "修改SSH端口(保留22,新窗口测试)"},
        {"创建用户", "新建用户(按提示设置密码)"},
        {"杀进程", "结束进程"},
        {"查看版本", "查看Ubuntu版本"},
        {"root登录", "禁止SSH密码登录和root密码登录(只用密钥)"},
        {"更新系统", "更新软件源并升级(自动确认)"},
        {"怎么绑定域名", "绑定域名/添加网站(虚拟主机,Apache 2.4)"},
        {"内存不够", "创建2G交换文件(swap,虚拟内存)"},
        {"下载太慢", "换源:阿里云源Ubuntu 22.04(jammy)"},
        {"网站被黑", "查找最近3天改过的PHP文件(查挂马)"},
        {"防火墙开放端口", "开放端口(放行指定端口)"},
        {"https证书", "申请免费SSL证书(https,含www并跳转)"},
        {"时间不对", "设置时区为上海(北京时间)"},
        {"服务器卡", "按CPU占用排序进程"},
        {"删除文件夹", "删除目录及内容(逐个确认)"},
        {"文件夹大小", "查看当前目录总大小"},
        {"导入数据库", "恢复数据库(需先建好空库)"},
        {"数据库授权", "新建用户并授予某库全部权限"},
        {"免密登录", "生成SSH密钥(在自己电脑上)"},
        {"重启网站", "重启Apache2(先检查配置)"},
        {"封ip", "禁止指定IP访问"},
        {"怎么查看端口", "查看正在监听的端口"},
        {"kill进程", "结束进程"},
        {"重置root密码", "修改用户密码"},
        {"系统时间", "查看当前日期时间"},
        {"mysql远程", "允许指定IP远程连接MySQL(开放3306端口)"},
        {"安装数据库", "安装MySQL服务器"},
        {"硬盘空间不足", "查看磁盘空间使用情况"},
        {"自动备份数据库", "每天自动备份数据库(保留14天)"},
        {"定时执行脚本", "编辑当前用户的定时任务"},
        {"磁盘满了怎么办", "查看磁盘空间使用情况"},
        {"服务启动失败", "列出启动失败的服务"},
        {"apt被锁", "查看谁占着apt锁(dpkg lock)"},
        {"ssh连接不上", "查看SSH服务状态"},
    };
    for (const auto &[typed, entry] : table)
        QTest::newRow(typed) << QString::fromUtf8(typed) << QString::fromUtf8(entry);
}

void CommandLineTest::newcomersWords()
{
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    const Result<QStringList> found = TerminalLibrary::namesFound(QFileInfo(QStringLiteral(TOVANU_PROGRAM)).path(), typed);
    QVERIFY2(found, qPrintable(found.error()));
    QVERIFY2(found->mid(0, 5).contains(entry), qPrintable(found->mid(0, 5).join(u" | ")));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"
