// The program's GUI-free logic, called directly: list order, search terms
// and matching, the pinyin search, the version field of the update check,
// what the command line prints.
#include "TerminalText.h"
#include "library/LikeMatch.h"
#include "library/ListOrder.h"
#include "library/PageKey.h"
#include "library/PinyinIndex.h"
#include "library/SearchBudget.h"
#include "library/SearchTerm.h"
#include "library/SearchText.h"
#include "library/TextTable.h"
#include "update/VersionCheck.h"

#include <QTemporaryDir>
#include <QTest>

#include <openssl/evp.h>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(Like::Result)
Q_DECLARE_METATYPE(std::vector<int>)

class CoreTest : public QObject
{
    Q_OBJECT
private slots:
    void textTable();
    void listOrder();
    void pageKey_data();
    void pageKey();
    void searchTerm_data();
    void searchTerm();
    void likeMatch_data();
    void likeMatch();
    void searchText_data();
    void searchText();
    void pinyinSearch_data();
    void pinyinSearch();
    void versionField_data();
    void versionField();
    void shownVersion_data();
    void shownVersion();
    void printable_data();
    void printable();
};

// Texts of every length, an empty one and one holding a NUL among them, read
// back whole across the table's chunks.
void CoreTest::textTable()
{
    TextTable table;
    std::vector<std::string> texts;
    for (int i = 0; i < 2500; ++i)
        texts.push_back(i % 7 == 0 ? std::string() : std::string(std::size_t(i % 300), char('a' + i % 26)) + std::string(1, '\0') + "x");
    std::size_t bytes = 0;
    for (const std::string &text : texts) {
        table.append(text);
        bytes += text.size() + 1;
    }
    QCOMPARE(table.size(), texts.size());
    QCOMPARE(table.bytes(), bytes);
    for (std::size_t i = 0; i < texts.size(); ++i)
        QVERIFY2(table.at(i) == texts[i], qPrintable(QString::number(i)));
}

void CoreTest::listOrder()
{
    const ListOrder order = ListOrder::open().value();
    const auto ranked = [&order](const QStringList &names) {
        ListOrder::Ranking ranking(order);
        for (const QString &name : names)
            ranking.add(name.toUtf8().toStdString());
        return ranking.order();
    };
    // Latin before Chinese, case-insensitive, Chinese in pinyin order, equal
    // names in the order they came.
    const QStringList names = {u"重启"_s, u"Zip"_s, u"北京"_s, u"apache"_s, u"安装"_s, u"Apache"_s, u"北京"_s, u"APACHE"_s};
    QCOMPARE(ranked(names), std::vector<int>({3, 5, 7, 1, 4, 2, 6, 0}));

    // Many names, whose keys are made on two threads: every two neighbours stand
    // as the two alone are ranked, and equal names in the order they came.
    QStringList many;
    for (int i = 0; i < 3 * 4096; ++i)
        many.append(names.at((i * 7) % names.size()) + QString::number(i % 13));
    const std::vector<int> manyRanked = ranked(many);
    QCOMPARE(manyRanked.size(), std::size_t(many.size()));
    for (std::size_t i = 1; i < manyRanked.size(); ++i) {
        const QStringList pair = {many.at(manyRanked[i - 1]), many.at(manyRanked[i])};
        const bool inOrder = pair[0] != pair[1] || manyRanked[i - 1] < manyRanked[i];
        QVERIFY2(inOrder && ranked(pair) == std::vector<int>({0, 1}),
                 qPrintable(pair.join(u" > "_s)));
    }
}

// The page key of a database is the key OpenSSL's PBKDF2 derives from its
// password and the salt at the start of the file, as SQLCipher 3 derives it.
void CoreTest::pageKey_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("short") << QByteArray("2l8&1mu!#");
    QTest::newRow("one HMAC block") << QByteArray(64, 'k');
    QTest::newRow("longer than a block, hashed first") << QByteArray(100, '\xe4');
}

void CoreTest::pageKey()
{
    QFETCH(QByteArray, password);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"db"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray salt = QByteArray::fromHex("00ff10e2a3b4c5d6e7f8091a2b3c4d5e");
    file.write(salt + QByteArray(4080, '\x5a'));
    file.close();

    constexpr int kSqlCipher3Rounds = 64000;
    QByteArray expected(32, '\0');
    QVERIFY(PKCS5_PBKDF2_HMAC_SHA1(password.constData(), int(password.size()),
                                   reinterpret_cast<const unsigned char *>(salt.constData()), int(salt.size()),
                                   kSqlCipher3Rounds, int(expected.size()),
                                   reinterpret_cast<unsigned char *>(expected.data())));
    QCOMPARE(SqlCipher::pageKeyOf(path, password), std::optional<QByteArray>("x'" + expected.toHex() + "'"));
    QCOMPARE(SqlCipher::pageKeyOf(folder.filePath(u"missing"_s), password), std::nullopt);
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
    SearchBudget budget = SearchBudget::unlimited();
    QCOMPARE(Like::match(text.constData(), pattern.constData(), budget) == Like::Result::Match, matches);
}

void CoreTest::searchText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("term");
    QTest::addColumn<bool>("found");
    QTest::newRow("case of ASCII only") << QByteArray("Apache ÄB") << u"apache äb"_s << false;
    QTest::newRow("found again after a false start") << QByteArray("aabaabaaab") << u"AAAB"_s << true;
    QTest::newRow("wildcards") << QByteArray("apt-get update") << u"t_get%DATE"_s << true;
    QTest::newRow("U+0080 never inside another character") << QByteArray("😀") << u"\u0080"_s << false;
    QTest::newRow("ends at NUL") << QByteArray("ab\0cd", 5) << u"cd"_s << false;
    // Bytes that are not valid UTF-8 read as SQLite reads them: a lead byte
    // takes every continuation byte after it.
    QTest::newRow("not inside a longer character") << QByteArray("I\xc3\xa9\xa9") << u"Ié"_s << false;
    QTest::newRow("nor with a wildcard") << QByteArray("I\xc3\xa9\xa9") << u"Ié%"_s << false;
    QTest::newRow("中 and a stray byte") << QByteArray("\xe4\xb8\xad\xa1") << u"中"_s << false;
    QTest::newRow("a stray byte on its own") << QByteArray("x\xa9") << u"x©"_s << true;
    QTest::newRow("an overlong form reads as its character") << QByteArray("\xe0\x84\x80") << u"Ā"_s << true;
    QTest::newRow("a surrogate reads as U+FFFD") << QByteArray("\xed\xa0\x80") << u"\uFFFF"_s << true;
    QTest::newRow("U+FFFE reads as U+FFFD") << QByteArray("\xef\xbf\xbe") << u"\uFFFD"_s << true;
}

// One text among a null one and others: what a search finds is what LIKE
// '%term%' finds in the database.
void CoreTest::searchText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, term);
    QFETCH(bool, found);
    SearchText texts;
    texts.append("other");
    texts.append(nullptr);
    texts.append(text.constData());
    SearchBudget budget = SearchBudget::unlimited();
    SearchBudget spent(0);
    const Result<std::vector<int>> result = texts.find(term, budget);
    QVERIFY(result);
    QCOMPARE(*result, found ? std::vector<int>{2} : std::vector<int>{});
    // The empty term finds every text that is not null; a search with
    // wildcards out of its budget is stopped.
    QCOMPARE(*texts.find(QString(), budget), std::vector<int>({0, 2}));
    QVERIFY(!texts.find(u"%"_s, spent));
}

// Syllables: a term matches from some character on, each character by a
// start of one of its readings, until the term is used up.
void CoreTest::pinyinSearch_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("found");
    const QString install = u"安装软件包"_s;
    const QString find = u"查找文件"_s;
    const QString restart = u"重启Apache2"_s;
    const QString longTerm = u"长期备份"_s;
    const QString bank = u"银行"_s;
    const QString apache = u"安装Apache2"_s;
    const QString many = u"重"_s.repeated(52);
    const QString log = u"Apache日志"_s;
    QTest::newRow("initials") << u"azrjb"_s << QStringList{install};
    QTest::newRow("az is 安装, not 查找") << u"az"_s << QStringList{install, apache};
    QTest::newRow("a syllable begun") << u"anzh"_s << QStringList{install, apache};
    QTest::newRow("initial, then whole") << u"azhuang"_s << QStringList{install, apache};
    QTest::newRow("whole pinyin, any case") << u"AnZhuangRuanJianBao"_s << QStringList{install};
    QTest::newRow("from a later character") << u"rjb"_s << QStringList{install};
    QTest::newRow("never from inside a syllable") << u"uangruanj"_s << QStringList();
    QTest::newRow("查找 by its own") << u"czwj"_s << QStringList{find};
    QTest::newRow("both readings of 重 and 长") << u"cq"_s << QStringList{restart, longTerm};
    QTest::newRow("the other reading") << u"zq"_s << QStringList{restart, longTerm};
    QTest::newRow("whole, one reading") << u"chongqiapache"_s << QStringList{restart};
    QTest::newRow("whole, the other") << u"zhangqibeifen"_s << QStringList{longTerm};
    QTest::newRow("readings never mix") << u"zhangong"_s << QStringList();
    QTest::newRow("银行 by yh") << u"yh"_s << QStringList{bank};
    QTest::newRow("银行 by xing") << u"yinxing"_s << QStringList{bank};
    QTest::newRow("Latin letters stand for themselves") << u"azapache"_s << QStringList{apache};
    QTest::newRow("a Latin run entered from inside") << u"cherz"_s << QStringList{log};
    QTest::newRow("and left for the next character") << u"qiap"_s << QStringList{restart};
    QTest::newRow("one letter: a reading that starts with it") << u"x"_s << QStringList{bank};
    QTest::newRow("one letter: never from inside a syllable") << u"h"_s << QStringList{restart, bank, apache, log};
    QTest::newRow("a term past the name's end") << u"yinhangx"_s << QStringList();
    QTest::newRow("a digit is no pinyin term") << u"apache2"_s << QStringList();
    QTest::newRow("nor a blank") << u"an zhuang"_s << QStringList();
    QTest::newRow("nor Chinese") << u"安装"_s << QStringList();
    // Terms longer than one machine word, in a name of choices all through.
    QTest::newRow("long term") << u"zhong"_s.repeated(20) + u"chong"_s.repeated(20) << QStringList{many};
    QTest::newRow("longest term") << u"chong"_s.repeated(51) << QStringList{many};
    QTest::newRow("too long") << u"a"_s.repeated(PinyinIndex::kLongestTerm + 1) << QStringList();
}

void CoreTest::pinyinSearch()
{
    QFETCH(QString, term);
    QFETCH(QStringList, found);
    const QStringList names = {u"安装软件包"_s, u"查找文件"_s, u"重启Apache2"_s, u"长期备份"_s, u"银行"_s,
                               u"安装Apache2"_s, u"重"_s.repeated(52), u"Apache日志"_s, u"a"_s.repeated(PinyinIndex::kLongestTerm + 1)};
    PinyinIndex index;
    for (const QString &name : names)
        index.add(name);
    SearchBudget budget = SearchBudget::unlimited();
    SearchBudget spent(0);
    const Result<std::vector<int>> result = index.find(term, budget);
    QVERIFY(result);
    QStringList foundNames;
    for (const int i : *result)
        foundNames.append(names.at(i));
    QCOMPARE(foundNames, found);
    // A search out of its budget is stopped, as every other search is.
    QCOMPARE(bool(index.find(term, spent)), !PinyinIndex::isPinyinTerm(term));
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

// What reaches a terminal from an argument or the library: nothing a
// terminal would act on.
void CoreTest::printable_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("keepLineBreaks");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("Chinese and ASCII kept") << "查看 IP: a\\b" "\xF0\x9F\x98\x80"_ba << false << "查看 IP: a\\b" "\xF0\x9F\x98\x80"_ba;
    QTest::newRow("title sequence") << "\x1B]0;t\x07"_ba << false << "\\x1B]0;t\\x07"_ba;
    QTest::newRow("line break and tab escaped") << "a\nb\tc\r"_ba << false << "a\\x0Ab\\x09c\\x0D"_ba;
    QTest::newRow("line break kept for a command") << "a\nb\r\n"_ba << true << "a\nb\\x0D\n"_ba;
    QTest::newRow("DEL and C1 CSI") << "\x7F\xC2\x9B" "2J"_ba << false << "\\x7F\\u009B2J"_ba;
    QTest::newRow("stray and overlong bytes") << "\x9B\xC0\xAF\xE0\x80\xAF"_ba << false
                                              << "\\x9B\\xC0\\xAF\\xE0\\x80\\xAF"_ba;
    QTest::newRow("surrogate and cut-off character") << "\xED\xA0\x80\xE6\x9F"_ba << false << "\\xED\\xA0\\x80\\xE6\\x9F"_ba;
    QTest::newRow("beyond U+10FFFF") << "\xF4\x90\x80\x80"_ba << false << "\\xF4\\x90\\x80\\x80"_ba;
}

void CoreTest::printable()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, keepLineBreaks);
    QFETCH(QByteArray, shown);
    QCOMPARE(TerminalText::printable(text, keepLineBreaks), shown);
}

QTEST_GUILESS_MAIN(CoreTest)
#include "test_core.moc"
