// The program's GUI-free logic, called directly: list order, search terms
// and matching, the pinyin search, the version field of the update check.
#include "library/LikeMatch.h"
#include "library/ListOrder.h"
#include "library/PinyinIndex.h"
#include "library/SearchTerm.h"
#include "update/VersionCheck.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(Like::Result)

class CoreTest : public QObject
{
    Q_OBJECT
private slots:
    void listOrder();
    void searchTerm_data();
    void searchTerm();
    void likeMatch_data();
    void likeMatch();
    void containsMatch_data();
    void containsMatch();
    void pinyinSearch_data();
    void pinyinSearch();
    void versionField_data();
    void versionField();
    void shownVersion_data();
    void shownVersion();
};

void CoreTest::listOrder()
{
    ListOrder order = ListOrder::open().value();
    // Latin before Chinese, case-insensitive, Chinese in pinyin order, equal
    // names in the order they came.
    QStringList names = {u"重启"_s, u"Zip"_s, u"北京"_s, u"apache"_s, u"安装"_s, u"Apache"_s, u"北京"_s, u"APACHE"_s};
    order.sort(names);
    QCOMPARE(names, QStringList({u"apache"_s, u"Apache"_s, u"APACHE"_s, u"Zip"_s, u"安装"_s, u"北京"_s, u"北京"_s, u"重启"_s}));
    // Sorting again, with names seen before and new ones, keeps the rule.
    names = {u"b"_s, u"重启"_s, u"a"_s};
    order.sort(names);
    QCOMPARE(names, QStringList({u"a"_s, u"b"_s, u"重启"_s}));
}

void CoreTest::searchTerm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("term");
    QTest::newRow("outer blanks") << "  a b  " << "a b";
    QTest::newRow("blanks only") << "   " << "";
    QTest::newRow("tabs stay") << "\tx\t" << "\tx\t";
    QTest::newRow("ends at NUL") << QString::fromUtf16(u"ab\0cd", 5) << "ab";
}

void CoreTest::searchTerm()
{
    QFETCH(QString, text);
    QFETCH(QString, term);
    QCOMPARE(Search::termOf(text), term);
}

void CoreTest::likeMatch_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("case of ASCII only") << QByteArray("Apache ÄB") << QByteArray("%apache äb%") << false;
    QTest::newRow("wildcards") << QByteArray("apt-get update") << QByteArray("a_t%up%e") << true;
    QTest::newRow("one character, several bytes") << QByteArray("日志") << QByteArray("_志") << true;
    QTest::newRow("U+0080 within another character") << QByteArray("😀") << QByteArray("%\xc2\x80%") << false;
    QTest::newRow("backtracking") << QByteArray("aab aac") << QByteArray("%a%c") << true;
    QTest::newRow("ends at NUL") << QByteArray("ab\0cd", 5) << QByteArray("%cd") << false;
}

void CoreTest::likeMatch()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, pattern);
    QFETCH(bool, matches);
    QCOMPARE(Like::match(text.constData(), pattern.constData(), QDeadlineTimer::Forever) == Like::Result::Match, matches);
}

void CoreTest::containsMatch_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("term");
    QTest::addColumn<Like::Result>("result");
    QTest::newRow("case of ASCII only") << QByteArray("Apache ÄB") << QByteArray("apache äb") << Like::Result::NoMatch;
    QTest::newRow("found again after a false start") << QByteArray("aabaabaaab") << QByteArray("AAAB") << Like::Result::Match;
    QTest::newRow("U+0080 never inside another character") << QByteArray("😀") << QByteArray("\xc2\x80")
                                                          << Like::Result::NoMatch;
    QTest::newRow("empty term") << QByteArray("x") << QByteArray() << Like::Result::Match;
    // A term that almost matches everywhere, once slow to look for: the
    // search goes through the whole text and is stopped by its deadline.
    QTest::newRow("stopped in time") << QByteArray(1 << 20, 'a') << QByteArray(4096, 'a') + 'b'
                                     << Like::Result::TimedOut;
}

void CoreTest::containsMatch()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, term);
    QFETCH(Like::Result, result);
    const QDeadlineTimer deadline = result == Like::Result::TimedOut ? QDeadlineTimer(0) : QDeadlineTimer::Forever;
    QCOMPARE(Like::contains(text.constData(), term.constData(), deadline), result);
}

void CoreTest::pinyinSearch_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("found");
    const QString install = u"安装软件包"_s;
    const QString restart = u"重启Apache2"_s;
    const QString longTerm = u"长期备份"_s;
    const QString bank = u"银行"_s;
    const QString apache = u"安装Apache2"_s;
    QTest::newRow("initials") << u"azrjb"_s << QStringList{install};
    QTest::newRow("whole pinyin, any case") << u"AnZhuangRuanJianBao"_s << QStringList{install};
    QTest::newRow("inside syllables") << u"uangruanj"_s << QStringList{install};
    QTest::newRow("both readings of 重 and 长") << u"cq"_s << QStringList{restart, longTerm};
    QTest::newRow("the other reading") << u"zq"_s << QStringList{restart, longTerm};
    QTest::newRow("whole, one reading") << u"chongqiapache"_s << QStringList{restart};
    QTest::newRow("whole, the other") << u"zhangqibeifen"_s << QStringList{longTerm};
    QTest::newRow("readings never mix") << u"zhangong"_s << QStringList();
    QTest::newRow("银行 by yh") << u"yh"_s << QStringList{bank};
    QTest::newRow("银行 by yx") << u"yinxing"_s << QStringList{bank};
    QTest::newRow("Latin letters stand for themselves") << u"azapache"_s << QStringList{apache};
    QTest::newRow("a digit is no pinyin term") << u"apache2"_s << QStringList();
    QTest::newRow("nor a blank") << u"an zhuang"_s << QStringList();
    QTest::newRow("nor Chinese") << u"安装"_s << QStringList();
    // Terms longer than one machine word, in a name whose key has choices
    // all through it.
    QTest::newRow("long term") << u"zhong"_s.repeated(20) + u"chong"_s.repeated(20) << QStringList{u"重"_s.repeated(52)};
    QTest::newRow("longest term") << u"chong"_s.repeated(51) + u"z"_s << QStringList{u"重"_s.repeated(52)};
    QTest::newRow("too long") << u"a"_s.repeated(PinyinIndex::kLongestTerm + 1) << QStringList();
}

void CoreTest::pinyinSearch()
{
    QFETCH(QString, term);
    QFETCH(QStringList, found);
    PinyinIndex index;
    index.setNames({u"安装软件包"_s, u"重启Apache2"_s, u"长期备份"_s, u"银行"_s, u"安装Apache2"_s,
                    u"重"_s.repeated(52), u"a"_s.repeated(PinyinIndex::kLongestTerm + 1)});
    QCOMPARE(index.namesMatching(term), found);
}

void CoreTest::versionField_data()
{
    QTest::addColumn<QString>("versionFile");
    QTest::addColumn<std::optional<QString>>("field");
    const std::optional<QString> v11 = QStringLiteral("V1.1");
    const std::optional<QString> none;
    QTest::newRow("marker alone") << "ubuntu:V1.1|" << v11;
    QTest::newRow("marker alone, no separator") << "ubuntu:V1.1" << v11;
    QTest::newRow("other entries first") << "windows:V2.3|mac:V1.0|ubuntu:V1.1|" << v11;
    QTest::newRow("two markers") << "ubuntu:V1.1|ubuntu:V2.0|" << v11;
    QTest::newRow("separator inside the field") << "ubuntu:V1|.1|" << v11;
    QTest::newRow("trailing CR LF") << "ubuntu:V1.1|\r\n" << v11;
    QTest::newRow("blanks at both ends") << "ubuntu: \t\r\nV1.2 \t|\n" << std::optional<QString>(QStringLiteral("V1.2"));
    QTest::newRow("inner blank kept") << "ubuntu:V 1.1|" << std::optional<QString>(QStringLiteral("V 1.1"));
    QTest::newRow("small v kept") << "ubuntu:v1.1|" << std::optional<QString>(QStringLiteral("v1.1"));
    QTest::newRow("capital U") << "Ubuntu:V1.1|" << none;
    QTest::newRow("lone space") << " " << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("marker with nothing after") << "ubuntu:|" << none;
    QTest::newRow("first entry blank, second not") << "ubuntu: \r\n|ubuntu:V1.1|" << none;
}

void CoreTest::versionField()
{
    QFETCH(QString, versionFile);
    QFETCH(std::optional<QString>, field);
    QCOMPARE(VersionCheck::versionField(versionFile), field);
}

// A version too long for a message box is shown by its two ends.
void CoreTest::shownVersion_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("shown");
    const QString ellipsis = QStringLiteral("\u2026");
    QTest::newRow("short") << u"V1.2"_s << u"V1.2"_s;
    QTest::newRow("80 characters") << u"x"_s.repeated(80) << u"x"_s.repeated(80);
    QTest::newRow("81 characters") << u"x"_s.repeated(81) << u"x"_s.repeated(40) + ellipsis + u"x"_s.repeated(40);
    for (const char16_t lineBreak : {u'\n', u'\r', u'\u2028', u'\u2029'}) {
        const QString line = QChar(lineBreak) + u"x"_s;
        QTest::addRow("8,000 lines, U+%04X", unsigned(lineBreak))
            << u"V2"_s + line.repeated(8000) << u"V2"_s + line.repeated(2) + ellipsis + u"x"_s + line.repeated(2);
    }
    QTest::newRow("20,000 Chinese characters") << u"版"_s.repeated(20000) << u"版"_s.repeated(40) + ellipsis + u"版"_s.repeated(40);
    QTest::newRow("no pair split") << u"V"_s + u"😀"_s.repeated(100) << u"V"_s + u"😀"_s.repeated(19) + ellipsis + u"😀"_s.repeated(20);
}

void CoreTest::shownVersion()
{
    QFETCH(QString, version);
    QFETCH(QString, shown);
    QCOMPARE(VersionCheck::shownVersion(version), shown);
}

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
