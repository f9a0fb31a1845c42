// The library checker on sources with faults, and the list width it measures.
#include "CommandCheck.h"
#include "ListWidth.h"

#include <QTest>

#include <algorithm>

namespace {

const CommandCheck::WidthProblem kAnyWidth = [](const QString &) { return std::optional<QString>(); };

// The faults of one source, as "line: reason".
QStringList faultsOf(const QString &source)
{
    QStringList lines;
    for (const CommandCheck::Fault &fault : CommandCheck::check(source.toUtf8(), kAnyWidth))
        lines.append(QString::number(fault.line) + QStringLiteral(": ") + fault.reason);
    return lines;
}

} // namespace

class CheckTest : public QObject
{
    Q_OBJECT

private slots:
    void badLineIsReportedWithItsLine_data();
    void badLineIsReportedWithItsLine();
    void soundCommandsPass();
    void sourceMustBeUtf8();
    void placeholdersAreFilledByKind();
    void namesMustBeUniqueChineseAndFit();
};

void CheckTest::badLineIsReportedWithItsLine_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing tab") << "没有制表符 ls -la" << "制表符";
    QTest::newRow("syntax error") << "坏的判断\tif [ -f <文件名> ]; then%echo yes" << "bash -n";
    QTest::newRow("shellcheck") << "函数外的local\tlocal x=1" << "SC2168";
    QTest::newRow("bare Chinese placeholder") << "查看文件\tcat 文件名" << "占位符要写成<中文说明>";
    QTest::newRow("example.com") << "测试连通\tping -c 4 example.com" << "“example.com”";
    QTest::newRow("path/to") << "进入目录\tls /path/to/dir" << "“/path/to”";
    QTest::newRow("password in double quotes")
        << "改密码\tmysql -e \"ALTER USER 'a'@'localhost' IDENTIFIED BY '<新密码>';\"" << "“<新密码>”";
    QTest::newRow("password in an unquoted here-document")
        << "改密码\tmysql <<SQL%ALTER USER 'a'@'localhost' IDENTIFIED BY '<密码>';%SQL" << "“<密码>”";
    QTest::newRow("bang in double quotes") << "打招呼\techo \"hello!\"" << "“!”";
    QTest::newRow("shellcheck directive") << "静音\t# shellcheck disable=SC2086%echo $x" << "shellcheck disable";
    QTest::newRow("no guard") << "查看文件\tcat <文件名>" << "守卫";
    QTest::newRow("guard lists too few")
        << QString(QStringLiteral("复制\t") + CommandCheck::guardFor({QStringLiteral("源文件")}) + QStringLiteral("cp <源文件> <目标文件>"))
        << "每个占位符";
    QTest::newRow("second line after the guard")
        << QString(QStringLiteral("建目录\t") + CommandCheck::guardFor({QStringLiteral("目录")}) + QStringLiteral("mkdir <目录>%ls"))
        << "一条命令";
    QTest::newRow("multi-line, unedited does not parse")
        << QString(QStringLiteral("建目录\t") + CommandCheck::guardFor({QStringLiteral("目录")}) + QStringLiteral("(%mkdir <目录>%ls%)"))
        << "未修改就粘贴时bash -n";
    QTest::newRow("interrupt in a command") << "打断\techo a\x03 touch /tmp/P" << "控制字符";
    QTest::newRow("end of a bracketed paste in a command") << "粘贴\techo '\x1b[201~'" << "控制字符";
    QTest::newRow("interrupt in a name") << "查看\x03目录\tls" << "控制字符";
    QTest::newRow("shellcheck directive in other capitals") << "静音\t# ShellCheck Disable=SC2086%echo $x" << "shellcheck disable";
    QTest::newRow("shellcheck directive after an arithmetic shift")
        << "清缓存\tn=1; echo $(( 8 << \"$n\" ))%# shellcheck disable=SC2115,SC2154%rm -rf \"$cache_dir\"/*" << "shellcheck disable";
    QTest::newRow("quick substitution") << "再来\t^update^upgrade" << "“^update^upgrade”";
    QTest::newRow("history: last command") << "再来\t!!" << "“!!”";
    QTest::newRow("history: by number") << "再来\t  !12" << "“!12”";
    QTest::newRow("history: by start") << "再来\tls%!apt" << "“!apt”";
    QTest::newRow("Cyrillic A among Latin") << "安装\u0410pache2\tls" << "混用";
    QTest::newRow("Kangxi radical") << "查看\u2F6C录\tls" << "NFKC";
    QTest::newRow("full-width letters") << "查看\uFF41pache\tls" << "NFKC";
    QTest::newRow("ideographic blank") << "查看\u3000目录\tls" << "像空格";
    QTest::newRow("braille blank") << "查看\u2800目录\tls" << "像空格";
    QTest::newRow("Hangul filler") << "查看\u3164目录\tls" << "像空格";
    QTest::newRow("variation selector") << "查看\uFE0F目录\tls" << "像空格";
    QTest::newRow("tag character") << "查看目录\U000E0041\tls" << "看不见";
    QTest::newRow("trailing blank") << "查看目录 \tls" << "像空格";
    QTest::newRow("placeholder in backquotes")
        << QString(QStringLiteral("看目录\t") + CommandCheck::guardFor({QStringLiteral("目录")}) + QStringLiteral("echo `ls <目录>`"))
        << "读不准";
    QTest::newRow("placeholder in a substitution's double quotes")
        << QString(QStringLiteral("看目录\t") + CommandCheck::guardFor({QStringLiteral("目录")}) + QStringLiteral("echo \"$(ls -- \"<目录>\")\""))
        << "单引号里";
    QTest::newRow("placeholder in arithmetic")
        << QString(QStringLiteral("加一\t") + CommandCheck::guardFor({QStringLiteral("编号")}) + QStringLiteral("echo $(( <编号> + 1 ))"))
        << "单引号里";
    QTest::newRow("placeholder in double quotes")
        << QString(QStringLiteral("看目录\t") + CommandCheck::guardFor({QStringLiteral("目录")}) + QStringLiteral("ls \"<目录>\""))
        << "单引号里";
}

// The faulty line stands third, after a note, a blank line and a sound command.
void CheckTest::badLineIsReportedWithItsLine()
{
    QFETCH(QString, bad);
    QFETCH(QString, reason);
    const QStringList faults = faultsOf(QStringLiteral("# 分组\n\n查看目录\tls -la\n") + bad + QStringLiteral("\n最后\tpwd\n"));
    const QString all = faults.join(QLatin1Char('\n'));
    QVERIFY2(!faults.isEmpty(), "no fault reported");
    QVERIFY2(std::all_of(faults.cbegin(), faults.cend(), [](const QString &f) { return f.startsWith(QStringLiteral("4: ")); }),
             qPrintable(all));
    QVERIFY2(all.contains(reason), qPrintable(all));
}

void CheckTest::soundCommandsPass()
{
    using CommandCheck::guardFor;
    const QString source = QStringLiteral("改密码\t") + guardFor({QStringLiteral("用户名")})
        + QStringLiteral("(%user='<用户名>'%IFS= read -rsp '新密码: ' pw && pw=${pw//\\'/\\'\\'}%mysql <<SQL%ALTER USER '$user'@'localhost' IDENTIFIED BY '$pw';%SQL%)\n"
                         "绑定\t") + guardFor({QStringLiteral("域名"), QStringLiteral("网站目录")})
        + QStringLiteral("(%cat > /etc/apache2/sites-available/<域名>.conf <<'EOF'%<Directory <网站目录>>%    Require all granted%</Directory>%EOF%"
                         "a2ensite <域名>.conf && apache2ctl configtest || echo '配置有错'%)\n"
                         "单引号里的感叹号\t") + guardFor({QStringLiteral("关键字"), QStringLiteral("文件名")})
        + QStringLiteral("echo 'done!' && grep -n '<关键字>' <文件名> 2>&1 | head\n"
                         "备份\t(umask 077 && mkdir -p /root/backup && tar -czf \"/root/backup/etc-$(date -I).tar.gz\" /etc)\n");
    const QStringList faults = faultsOf(source);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void CheckTest::sourceMustBeUtf8()
{
    const QByteArray gbk = "\xb2\xe9\xbf\xb4\tls\n"; // 查看 in GBK
    const auto faults = CommandCheck::check(QByteArray("查看目录\tls\n") + gbk, kAnyWidth);
    QCOMPARE(faults.size(), 1);
    QCOMPARE(faults.at(0).line, 2);
    QVERIFY(faults.at(0).reason.contains(QStringLiteral("UTF-8")));
}

void CheckTest::placeholdersAreFilledByKind()
{
    QCOMPARE(CommandCheck::filledScript(QStringLiteral("mkdir -p <网站目录>%ping -c 4 <域名或IP地址>%ufw allow <SSH端口号>/tcp")),
             QStringLiteral("mkdir -p /var/www/blog\nping -c 4 192.0.2.10\nufw allow 2222/tcp"));
    QCOMPARE(CommandCheck::sampleFor(QStringLiteral("没见过的说明")), QStringLiteral("sample"));
    // Redirections and tags without Chinese are no placeholders.
    QCOMPARE(CommandCheck::placeholdersOf(QStringLiteral("mysql <数据库名> < <备份文件>.sql%<VirtualHost *:80>")).size(), 2);
}

void CheckTest::namesMustBeUniqueChineseAndFit()
{
    const QString longName = QStringLiteral("一个很长很长很长很长很长很长很长很长很长很长的名称");
    const ListWidth list;
    QVERIFY(list.room() > 0);
    QVERIFY(!list.problemOf(QStringLiteral("查看磁盘空间使用情况")));
    QVERIFY(list.problemOf(longName));

    QList<CommandSource::ParseError> errors;
    const auto entries = CommandSource::entries(
        QStringLiteral("查看目录\tls\n查看目录\tls -la\nshow disk\tdf -h\n") + longName + QStringLiteral("\tpwd\n"), errors);
    const auto faults = CommandCheck::nameFaults(entries, [&list](const QString &name) { return list.problemOf(name); });
    QCOMPARE(faults.size(), 3);
    QCOMPARE(faults.at(0).line, 2);
    QVERIFY(faults.at(0).reason.contains(QStringLiteral("第1行重复")));
    QCOMPARE(faults.at(1).line, 3);
    QVERIFY(faults.at(1).reason.contains(QStringLiteral("没有中文")));
    QCOMPARE(faults.at(2).line, 4);
    QVERIFY(faults.at(2).reason.contains(QStringLiteral("显示不全")));

    // Look-alikes: the same name decomposed (NFD), or with a zero-width space.
    const auto lookAlikes = CommandCheck::nameFaults(
        CommandSource::entries(QStringLiteral("查看é\tls\n查看e\u0301\tls -l\n查看\u200Bé\tls -a\n"), errors), kAnyWidth);
    QCOMPARE(lookAlikes.size(), 4);
    QVERIFY(lookAlikes.at(0).reason.contains(QStringLiteral("第1行重复")));
    QVERIFY(lookAlikes.at(1).reason.contains(QStringLiteral("NFKC")));
    QVERIFY(lookAlikes.at(2).reason.contains(QStringLiteral("第1行重复")));
    QVERIFY(lookAlikes.at(3).reason.contains(QStringLiteral("控制字符")));
}

QTEST_MAIN(CheckTest)
#include "test_check.moc"
