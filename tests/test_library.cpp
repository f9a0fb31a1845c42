// The command library: search, details, copy and the list's order.
#include "TestApp.h"

#include "library/CommandIndex.h"
#include "library/SearchTerm.h"
#include "placeholders/PlaceholderTexts.h"
#include "library/SqlCipher.h"
#include "ui/library/PlaceholderFiller.h"
#include "ui/widgets/MultiLineBox.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

void typeSearch(TestApp &app, const QString &text)
{
    auto *box = app.find<QLineEdit>(QStringLiteral("Text1"));
    box->clear();
    // One change per character, as typing gives; Chinese comes as the input
    // method commits it.
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            box->insert(c);
    }
}

void select(TestApp &app, int row)
{
    auto *list = app.find<QListView>(QStringLiteral("List1"));
    const QModelIndex index = list->model()->index(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// What the list's tooltip label shows: text that looks like markup is
// rendered as rich text.
QString shownTooltip(const TestApp &app)
{
    const QString tip = app.find<QListView>(QStringLiteral("List1"))->toolTip();
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument shown;
    shown.setHtml(tip);
    return shown.toPlainText();
}

// Adds rows that the database tool would never write.
void addRawRows(const QString &path, const char *sql)
{
    SqlCipher::Database db;
    QVERIFY(db.open(path, SQLITE_OPEN_READWRITE, LibraryTexts::kDatabasePassword));
    QVERIFY2(db.exec(sql), qPrintable(db.errorText()));
}

const QStringList kAllSorted = {u"apache日志"_s, u"查看当前目录"_s, u"更新软件源并升级"_s, u"重启Apache2"_s};

// A command whose placeholders stand twice each, once in a paste guard's words.
const QString kTwoPlaceholders = u"echo '<目录> <域名>'\r\nmkdir -p <目录> && ping <域名>"_s;

// What an input method sends: text it composes, text it commits, and how
// many characters from where beside the caret the commit replaces.
void sendInputMethod(QWidget *box, const QString &preedit, const QString &commit = {}, int from = 0, int length = 0)
{
    QInputMethodEvent event(preedit, {{QInputMethodEvent::Cursor, int(preedit.size()), 1, {}}});
    event.setCommitString(commit, from, length);
    QCoreApplication::sendEvent(box, &event);
}

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void searchByNameAndByCommand();
    void searchKeepsOrRefillsTheList();
    void searchByPinyin();
    void searchBeyondTheDesign();
    void quotesAndWildcards();
    void detailsAndCopy();
    void duplicateAndNullRows();
    void copyNoticeIsCentredAndTimed();
    void boxesAreTakenAsTheyStand_data();
    void boxesAreTakenAsTheyStand();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void databaseFailingWhileRunning();
    void searchesStayBounded();
    void searchWaitsForWhatIsNotPrepared_data();
    void searchWaitsForWhatIsNotPrepared();
    void searchTypedAtOnceAnswersOncePrepared_data();
    void searchTypedAtOnceAnswersOncePrepared();
    void namesThatAreNotText();
    void namesShownAsWritten_data();
    void namesShownAsWritten();
    void hugeCommandShownInPartCopiedWhole();
    void choosingNamesByClicksAndKeys();
    void placeholdersTypedEveryWay_data();
    void placeholdersTypedEveryWay();
    void valueWithAControlIsLeftOut();
};

void LibraryTest::searchByNameAndByCommand()
{
    TestApp app;
    app.started();
    QCOMPARE(app.listed(), kAllSorted);

    typeSearch(app, QStringLiteral("apache"));
    QCOMPARE(app.listed(), QStringList({u"apache日志"_s, u"重启Apache2"_s}));

    // Switching the option changes nothing until the next keystroke.
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    QCOMPARE(app.listed(), QStringList({u"apache日志"_s, u"重启Apache2"_s}));
    typeSearch(app, QStringLiteral("systemctl"));
    QCOMPARE(app.listed(), QStringList({u"重启Apache2"_s}));
    // The stored "%" between command lines is searched as stored.
    typeSearch(app, QStringLiteral("update%apt"));
    QCOMPARE(app.listed(), QStringList({u"更新软件源并升级"_s}));
}

void LibraryTest::searchKeepsOrRefillsTheList()
{
    TestApp app;
    app.started();
    typeSearch(app, QStringLiteral("目录"));
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));
    QTest::keyClicks(app.find<QLineEdit>(QStringLiteral("Text1")), u"zzz"_s);
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));

    app.find<QLineEdit>(QStringLiteral("Text1"))->clear();
    QCOMPARE(app.listed(), kAllSorted);

    typeSearch(app, QStringLiteral("目录"));
    typeSearch(app, QStringLiteral("   "));
    QCOMPARE(app.listed(), kAllSorted);
    typeSearch(app, QStringLiteral("  当前 "));
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));
}

// A term of letters that no name contains finds the names it spells in
// pinyin; one that a name contains finds just that.
void LibraryTest::searchByPinyin()
{
    TestApp app;
    app.started();
    typeSearch(app, QStringLiteral("CQ"));
    QCOMPARE(app.listed(), QStringList({u"重启Apache2"_s}));
    typeSearch(app, QStringLiteral("zhongqi"));
    QCOMPARE(app.listed(), QStringList({u"重启Apache2"_s}));
    typeSearch(app, QStringLiteral("zkdq"));
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));
    // "a" is also in the pinyin of 更新软件源并升级, but names hold it.
    typeSearch(app, QStringLiteral("a"));
    QCOMPARE(app.listed(), QStringList({u"apache日志"_s, u"重启Apache2"_s}));
    // A term with another character, one that nothing spells and a search
    // by command leave the list.
    auto *box = app.find<QLineEdit>(QStringLiteral("Text1"));
    QTest::keyClicks(box, u" x"_s);
    QCOMPARE(app.listed(), QStringList({u"apache日志"_s, u"重启Apache2"_s}));
    typeSearch(app, QStringLiteral("zkdq"));
    QTest::keyClicks(box, u"xyz"_s);
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    box->setText(u"gengxin"_s);
    QCOMPARE(app.listed(), QStringList({u"查看当前目录"_s}));
}

// Where no name contains the term: an entry whose search word is the term,
// then those whose word holds it, the names holding its characters in order
// (the closest first), those with a word standing in it, and those holding
// its runs in any order. Typed into one window, case after
// case, each into an emptied box: a term that finds nothing leaves every name.
void LibraryTest::searchBeyondTheDesign()
{
    TestApp app({{u"查看内存不足杀掉的进程(OOM)"_s, u"dmesg"_s},
                 {u"查看所有进程"_s, u"ps aux"_s, {u"进程"_s, u"ps"_s}},
                 {u"强制结束进程"_s, u"kill -9 <进程号>"_s, {u"强制杀进程"_s}},
                 {u"结束进程"_s, u"kill <进程号>"_s, {u"杀进程"_s, u"Kill"_s}},
                 {u"修改数据库用户密码"_s, u"mysql"_s},
                 {u"修改用户密码"_s, u"passwd"_s},
                 {u"安装软件包"_s, u"apt-get install <软件包名>"_s},
                 {u"重启Apache2"_s, u"systemctl restart apache2"_s}});
    app.started();
    const QStringList all = app.listed();
    const QList<std::pair<QString, QStringList>> cases = {
        {u"杀进程"_s, {u"结束进程"_s, u"强制结束进程"_s, u"查看内存不足杀掉的进程(OOM)"_s, u"查看所有进程"_s}},
        {u"怎么 杀进程？"_s, {u"结束进程"_s, u"强制结束进程"_s, u"查看内存不足杀掉的进程(OOM)"_s, u"查看所有进程"_s}},
        {u"改密码"_s, {u"修改用户密码"_s, u"修改数据库用户密码"_s}},
        {u"强制怎么杀进程"_s, {u"强制结束进程"_s, u"查看所有进程"_s, u"结束进程"_s}},
        {u"KILL"_s, {u"结束进程"_s}},
        // "ps" stands in a term only as a word of its own.
        {u"证书https"_s, all},
        {u"ps进程"_s, {u"查看所有进程"_s}},
        // Its Latin and other runs, in any order.
        {u"apache重启"_s, {u"重启Apache2"_s}},
        // Pinyin comes before the words.
        {u"az"_s, {u"安装软件包"_s}},
        {u"qzjs"_s, {u"强制结束进程"_s}},
    };
    for (const auto &[term, listed] : cases) {
        typeSearch(app, term);
        QVERIFY2(app.listed() == listed, qPrintable(term + u": "_s + app.listed().join(u" | "_s)));
    }
}

void LibraryTest::quotesAndWildcards()
{
    TestApp app({{u"it's me"_s, u"echo 'hi'"_s}, {u"50% off"_s, u"echo 50"_s}, {u"plain"_s, u"true"_s}});
    app.started();

    typeSearch(app, QStringLiteral("'"));
    QCOMPARE(app.listed(), QStringList({u"it's me"_s}));
    QVERIFY(app.desktop.boxes.isEmpty());
    select(app, 0);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QStringLiteral("echo 'hi'"));

    typeSearch(app, QStringLiteral("' or '1'='1"));
    QCOMPARE(app.listed(), QStringList({u"it's me"_s}));
    typeSearch(app, QStringLiteral("%"));
    QCOMPARE(app.listed().size(), 3);
    typeSearch(app, QStringLiteral("p_ain"));
    QCOMPARE(app.listed(), QStringList({u"plain"_s}));
    // Emptying the box lists everything; a term that matches nothing keeps it.
    typeSearch(app, QStringLiteral("\\"));
    QCOMPARE(app.listed().size(), 3);
    QVERIFY(app.desktop.boxes.isEmpty());
    QVERIFY(!app.desktop.endStatus());
}

void LibraryTest::detailsAndCopy()
{
    TestApp app;
    app.started();
    select(app, kAllSorted.indexOf(u"更新软件源并升级"_s));
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));
    QCOMPARE(details->blockCount(), 2);
    QCOMPARE(shownTooltip(app), QStringLiteral("更新软件源并升级"));

    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:apt-get update\napt-get upgrade -y"_s}));

    // A search replaces the list but keeps the details.
    typeSearch(app, QStringLiteral("目录"));
    QCOMPARE(details->toPlainText(), QStringLiteral("apt-get update\napt-get upgrade -y"));

    // What the user edited is copied, lines joined by LF.
    details->moveCursor(QTextCursor::End);
    QTest::keyClicks(details, QStringLiteral(" && reboot"));
    QTest::keyClick(details, Qt::Key_Return);
    QTest::keyClicks(details, QStringLiteral("exit"));
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.clipboard, QStringLiteral("apt-get update\napt-get upgrade -y && reboot\nexit"));

    details->clear();
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.log.mid(app.desktop.log.size() - 2), QStringList({u"clear"_s, u"set:"_s}));
}

void LibraryTest::duplicateAndNullRows()
{
    TestApp app({{u"同名"_s, u"first"_s}, {u"同名"_s, u"2nd"_s}});
    addRawRows(app.databasePath(), "insert into u values (null, 'orphan'); insert into u values ('空命令', null);");
    app.started();
    QCOMPARE(app.listed(), QStringList({u"空命令"_s, u"同名"_s, u"同名"_s}));

    select(app, 2);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QStringLiteral("first"));
    select(app, 0);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QString());

    // A command search that only finds the row without a name keeps the list.
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    typeSearch(app, QStringLiteral("orphan"));
    QCOMPARE(app.listed(), QStringList({u"空命令"_s, u"同名"_s, u"同名"_s}));
    QVERIFY(app.desktop.boxes.isEmpty());
}

void LibraryTest::copyNoticeIsCentredAndTimed()
{
    TestApp app;
    Form1 &form = app.started();
    auto *notice = app.find<QWidget>(QStringLiteral("um(7)"));
    auto *timer = app.find<QTimer>(QStringLiteral("Timer2"));
    QCOMPARE(timer->interval(), 400);

    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(notice->isVisible());
    QVERIFY(timer->isActive());
    QVERIFY(qAbs(notice->geometry().center().x() - form.width() / 2) <= 1);
    QVERIFY(qAbs(notice->geometry().center().y() - form.height() / 2) <= 1);
    // In front of every other control of the window.
    QCOMPARE(form.childAt(notice->geometry().center()), notice->childAt(notice->rect().center()) ? notice->childAt(notice->rect().center()) : notice);

    QTRY_VERIFY_WITH_TIMEOUT(!notice->isVisible(), 2000);
    QVERIFY(!timer->isActive());
}

// The copy of the details (Command1) and of the sources (Command3), and the
// sources written to Source.list (Command4), take the box's text character
// for character: a no-break space, U+2028 and U+2029 as they stand.
void LibraryTest::boxesAreTakenAsTheyStand_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("typed"); // at the end, before the press
    QTest::addColumn<QString>("expected");
    const QString special = u"a\u00A0b\u2028c\u2029d\r\ne"_s;
    QTest::newRow("details copied") << u"Text2"_s << u"Command1"_s << special << QString() << special;
    QTest::newRow("details edited, copied") << u"Text2"_s << u"Command1"_s << u"echo a\u00A0b"_s << u"c"_s
                                            << u"echo a\u00A0bc"_s;
    QTest::newRow("sources copied") << u"Text3"_s << u"Command3"_s << special << QString() << special;
    QTest::newRow("sources written") << u"Text3"_s << u"Command4"_s << special << QString() << special + u"\n"_s;
}

void LibraryTest::boxesAreTakenAsTheyStand()
{
    QFETCH(QString, box);
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    TestApp app;
    app.started();
    auto *edit = app.find<MultiLineBox>(box);
    edit->setText(text);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, typed);
    app.find<QPushButton>(button)->click();
    QFile written(QDir(app.appDir()).filePath(u"Source.list"_s));
    if (button == u"Command4"_s) {
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), expected);
    } else {
        QCOMPARE(app.desktop.clipboard, expected);
    }
}

// Enter and the keypad's Enter press a focused button as Space does.
void LibraryTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
}

void LibraryTest::enterPressesTheFocusedButton()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    TestApp app;
    Form1 &form = app.started();
    QApplication::setActiveWindow(&form);
    select(app, 1);
    auto *copy = app.find<QPushButton>(u"Command1"_s);
    copy->setFocus();
    QTest::keyPress(copy, Qt::Key(key), modifiers);
    QVERIFY(app.desktop.log.isEmpty());
    QVERIFY(copy->isDown());
    QTest::keyRelease(copy, Qt::Key(key), modifiers);
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:pwd"_s}));
    QVERIFY(app.find<QWidget>(u"um(7)"_s)->isVisible());
}

void LibraryTest::databaseFailingWhileRunning()
{
    TestApp app;
    app.started();
    QFile file(app.databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x33'));
    file.close();

    select(app, 0);
    QVERIFY(!app.desktop.boxes.isEmpty());
    QVERIFY(app.desktop.boxes.last().text.startsWith(QStringLiteral("数据库读取出错!")));
    QCOMPARE(app.desktop.boxes.last().style, Desktop::Style::Exclamation);
    QVERIFY(!app.desktop.endStatus());
    QCOMPARE(app.listed(), kAllSorted);
    // A search by name answers from the names read at start-up.
    const qsizetype boxes = app.desktop.boxes.size();
    typeSearch(app, QStringLiteral("a"));
    QCOMPARE(app.desktop.boxes.size(), boxes);
}

// Wildcards that once took exponential time answer at once; a search that
// does more work than its budget of steps is stopped with its own box, the
// list kept: the same answers on any machine, under any load.
void LibraryTest::searchesStayBounded()
{
    const QString longCommand(400, QLatin1Char('a'));
    const QString hugeCommand(2'000'000, QLatin1Char('a'));
    TestApp app({{u"长指令"_s, longCommand}, {u"超长指令"_s, hugeCommand}, {u"短"_s, u"b"_s}});
    app.started();
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    auto *search = app.find<QLineEdit>(QStringLiteral("Text1"));
    const QStringList all = app.listed();
    search->setText(QStringLiteral("%a%a%a%a%b"));
    QCOMPARE(app.listed(), all);
    QVERIFY(app.desktop.boxes.isEmpty());

    // Far more steps than the budget against the huge command.
    search->setText(QLatin1Char('%') + QString(30'000, QLatin1Char('a')) + QLatin1Char('c'));
    QCOMPARE(app.desktop.boxes.size(), 1);
    QCOMPARE(app.desktop.boxes[0].text, QString::fromUtf8(LibraryTexts::kSearchTooComplex));
    QCOMPARE(app.listed(), all);
}

void LibraryTest::searchWaitsForWhatIsNotPrepared_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a name") << true << u"apache"_s << QStringList({u"apache日志"_s, u"重启Apache2"_s});
    QTest::newRow("no name, no pinyin term") << true << u"zz1"_s << QStringList();
    QTest::newRow("pinyin") << true << u"cq"_s << QStringList({u"重启Apache2"_s});
    QTest::newRow("command text") << false << u"systemctl"_s << QStringList({u"重启Apache2"_s});
}

// Before the names are laid out for the search, or the pinyin keys or
// command texts made, a search that needs them answers nothing rather than
// a wrong "nothing found"; once they are, it finds what it should.
void LibraryTest::searchWaitsForWhatIsNotPrepared()
{
    QFETCH(bool, byName);
    QFETCH(QString, term);
    QFETCH(QStringList, found);
    TestApp app;
    CommandIndex library;
    QVERIFY(library.open(app.databasePath(), QByteArray(LibraryTexts::kDatabasePassword)));
    QVERIFY(library.readNames());
    const auto column = byName ? CommandIndex::Column::Name : CommandIndex::Column::Code;
    QVERIFY(!library.searchPrepared(column, term));
    QVERIFY(library.prepare(QDeadlineTimer::Forever));
    const std::optional<Result<std::vector<int>>> answer = library.searchPrepared(column, term);
    QVERIFY(answer && *answer);
    QStringList names;
    for (const int row : **answer)
        names.append(library.nameOf(row));
    QCOMPARE(names, found);
}

void LibraryTest::searchTypedAtOnceAnswersOncePrepared_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QString>("term");
    QTest::newRow("pinyin") << true << u"cqfw"_s;
    QTest::newRow("command text") << false << u"restart"_s;
}

// A library too large to prepare within a keystroke: a search typed the
// moment the window shows waits, is tried again as preparing goes on, and
// answers in full once it is done.
void LibraryTest::searchTypedAtOnceAnswersOncePrepared()
{
    QFETCH(bool, byName);
    QFETCH(QString, term);
    constexpr int kCommands = 30000;
    constexpr int kFoundEvery = 1000;
    TestApp::Commands commands;
    QStringList found;
    for (int i = 0; i < kCommands; ++i) {
        const bool sought = i % kFoundEvery == 0;
        commands.append({(sought ? u"重启服务"_s : u"查看系统服务配置命令"_s) + QString::number(i),
                         (sought ? u"systemctl restart unit-"_s : u"echo "_s) + QString::number(i)});
        if (sought)
            found.append(commands.last().name);
    }
    TestApp app(commands);
    // Without the update check, whose wait would let preparing finish.
    QVERIFY(app.window(UpdateSettings{QUrl(), QUrl(), 0, false}).Form_Load());
    if (!byName)
        QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    app.find<QLineEdit>(QStringLiteral("Text1"))->setText(term);
    QTRY_COMPARE(app.listed().size(), found.size());
    const QStringList listed = app.listed();
    QCOMPARE(QSet(listed.begin(), listed.end()), QSet(found.begin(), found.end()));
    QVERIFY(app.desktop.boxes.isEmpty());
}

void LibraryTest::namesThatAreNotText()
{
    TestApp app;
    addRawRows(app.databasePath(), "drop table u; create table u (na, code);"
                                   "insert into u values (42, 'echo number'), (x'626c6f62', 'echo blob'),"
                                   "(cast(x'e4b8ada1' as text), 'echo zh');");
    app.started();
    // Text that is not UTF-8 is listed with U+FFFD, and still finds its command.
    QCOMPARE(app.listed(), QStringList({u"42"_s, u"blob"_s, u"中\uFFFD"_s}));
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));
    select(app, 0);
    QCOMPARE(details->toPlainText(), QStringLiteral("echo number"));
    select(app, 1);
    QCOMPARE(details->toPlainText(), QStringLiteral("echo blob"));
    select(app, 2);
    QCOMPARE(details->toPlainText(), QStringLiteral("echo zh"));
}

void LibraryTest::namesShownAsWritten_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QString markup = QStringLiteral("<b>x</b>  <img src=a.png> &amp;");
    const QString atLimit(LibraryTexts::kShownNameLimit, QLatin1Char('a'));
    const QString cut = QString::fromUtf8(LibraryTexts::kNameCut);
    const QString emoji = QStringLiteral("😀");
    QTest::newRow("markup") << markup << markup;
    QTest::newRow("at the limit") << atLimit << atLimit;
    QTest::newRow("one over") << atLimit + QLatin1Char('b') << atLimit + cut;
    QTest::newRow("huge, Chinese") << QString(100'000, u'中') + u"尾"_s << QString(LibraryTexts::kShownNameLimit, u'中') + cut;
    QTest::newRow("a pair across the cut") << QLatin1Char('a') + emoji.repeated(200)
                                           << QLatin1Char('a') + emoji.repeated(149) + cut;
}

// The list and the tooltip show a name as written, a huge one cut; it is
// searched and looked up whole.
void LibraryTest::namesShownAsWritten()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    TestApp app({{name, u"echo chosen"_s}, {u"other"_s, u"true"_s}});
    app.started();
    typeSearch(app, name.right(2));
    QCOMPARE(app.listed(), QStringList({shown}));
    select(app, 0);
    QCOMPARE(shownTooltip(app), shown);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), u"echo chosen"_s);
}

void LibraryTest::hugeCommandShownInPartCopiedWhole()
{
    const QString huge = QString(150'000, QLatin1Char('x')) + QStringLiteral("%end");
    TestApp app({{u"大"_s, huge}, {u"小"_s, u"pwd"_s}});
    app.started();
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));
    select(app, 0);
    QVERIFY(details->toPlainText().endsWith(QString::fromUtf8(LibraryTexts::kCommandCut)));
    QVERIFY(details->toPlainText().size() < LibraryTexts::kShownCommandLimit + 100);
    QVERIFY(details->isReadOnly());
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.clipboard, Search::shownCommand(huge));

    // A command shown whole is editable again, and copied as shown.
    select(app, 1);
    QVERIFY(!details->isReadOnly());
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.clipboard, QStringLiteral("pwd"));
}

void LibraryTest::choosingNamesByClicksAndKeys()
{
    TestApp app;
    Form1 &form = app.started();
    QApplication::setActiveWindow(&form);
    auto *list = app.find<QListView>(QStringLiteral("List1"));
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));

    // The first Down on the list chooses its first entry.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(shownTooltip(app), kAllSorted.first());

    // A click on the chosen name brings its command back after an edit.
    const int row = kAllSorted.indexOf(u"查看当前目录"_s);
    select(app, row);
    details->setPlainText(QStringLiteral("edited"));
    select(app, row);
    QCOMPARE(details->toPlainText(), QStringLiteral("pwd"));

    // Enter on it copies the command and shows the copy notice.
    app.desktop.log.clear();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:pwd"_s}));
    QVERIFY(app.find<QWidget>(QStringLiteral("um(7)"))->isVisible());

    // Down in the search box leads to the list's first entry.
    auto *search = app.find<QLineEdit>(QStringLiteral("Text1"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), list);
    QCOMPARE(shownTooltip(app), kAllSorted.first());
}

// However an edit comes, every place of a placeholder holds the same value,
// so the paste guard's places carry what the command's carry.
void LibraryTest::placeholdersTypedEveryWay_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");
    const QString both = u"echo '站点 a.com'\nmkdir -p '站点' && ping a.com"_s;
    QTest::newRow("composing is only shown")
        << QStringList{u"F3"_s, u"compose zhan"_s, u"compose zhandian"_s} << kTwoPlaceholders;
    QTest::newRow("composed, committed") << QStringList{u"F3"_s, u"compose zhandian"_s, u"commit 站点"_s, u"F3"_s,
                                                        u"type a.com"_s} << both;
    QTest::newRow("composing ended, the place still chosen")
        << QStringList{u"F3"_s, u"compose zh"_s, u"compose "_s, u"commit 站点"_s, u"F3"_s, u"type a.com"_s} << both;
    QTest::newRow("commit replacing the letter before")
        << QStringList{u"F3"_s, u"commit 站"_s, u"replace 站点"_s, u"F3"_s, u"type a.com"_s} << both;
    QTest::newRow("pasted") << QStringList{u"F3"_s, u"paste 站点"_s, u"F3"_s, u"paste a.com"_s} << both;
    QTest::newRow("undone") << QStringList{u"F3"_s, u"commit 站点"_s, u"F3"_s, u"type a.com"_s, u"undo"_s} << both;
}

void LibraryTest::placeholdersTypedEveryWay()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);
    MultiLineBox box;
    new PlaceholderFiller(&box);
    box.setText(kTwoPlaceholders);
    for (const QString &step : std::as_const(steps)) {
        const QString action = step.section(QLatin1Char(' '), 0, 0);
        const QString text = step.section(QLatin1Char(' '), 1);
        if (action == u"F3"_s)
            QTest::keyClick(&box, Qt::Key_F3);
        else if (action == u"type"_s)
            QTest::keyClicks(&box, text);
        else if (action == u"compose"_s)
            sendInputMethod(&box, text);
        else if (action == u"commit"_s)
            sendInputMethod(&box, QString(), text);
        else if (action == u"replace"_s)
            sendInputMethod(&box, QString(), text, -1, 1);
        else if (action == u"paste"_s)
            QGuiApplication::clipboard()->setText(text), box.paste();
        else if (action == u"undo"_s)
            box.undo();
    }
    QCOMPARE(box.text(), shown);
}

// A value holding a control character shows its picture and is left out of
// the copy, its placeholder standing there, and the box says why instead of
// the notice; the rest of the command keeps its line ends.
void LibraryTest::valueWithAControlIsLeftOut()
{
    TestApp app({{u"看目录"_s, u"cd /tmp%ls <目录> <目录>"_s}});
    app.started();
    select(app, 0);
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));
    details->setFocus();
    QTest::keyClick(details, Qt::Key_F3);
    details->insertPlainText(u"a\x03 touch /tmp/P #"_s);
    QCOMPARE(details->toPlainText(), u"cd /tmp\nls 'a\u2403 touch /tmp/P #' 'a\u2403 touch /tmp/P #'"_s);
    app.desktop.log.clear();
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    const QString why = QString::fromUtf8(PlaceholderTexts::kCopyWithheld) + u"\n“<目录>”:"_s
                        + QString::fromUtf8(PlaceholderTexts::kControlCharacter);
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:cd /tmp\nls <目录> <目录>"_s, u"box:"_s + why}));
    QVERIFY(!app.find<QWidget>(QStringLiteral("um(7)"))->isVisible());
}

QTEST_MAIN(LibraryTest)
#include "test_library.moc"
