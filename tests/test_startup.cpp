// Start-up: the order of its steps, the failures of the command database,
// and the window as it first stands.
#include "TestApp.h"

#include "AppFolder.h"
#include "desktop/QtDesktop.h"
#include "ui/AppTexts.h"
#include "library/SqlCipher.h"
#include "pages/Topics.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsRunInOrder();
    void unopenableDatabaseEndsBeforeTheWindow_data();
    void unopenableDatabaseEndsBeforeTheWindow();
    void emptyTableIsNoFailure();
    void updateCheckLeftOut();
    void windowAsFirstShown();
    void tabOrderFromTheSearchBox();
    void focusChain_data();
    void focusChain();
    void keyboard_data();
    void keyboard();
    void oddFolders_data();
    void oddFolders();
    void desktopEndsThroughTheNormalExit(); // last: the application stays ended
};

void StartupTest::stepsRunInOrder()
{
    TestApp app;
    Form1 &form = app.window();
    QStringList seen;
    app.skin.onCall = [&] {
        seen.append(QStringLiteral("list=%1 visible=%2 brand=%3 icon=%4")
                        .arg(app.find<QListView>(QStringLiteral("List1"))->model()->rowCount())
                        .arg(form.isVisible())
                        .arg(form.brandTitle())
                        .arg(form.windowIcon().isNull()));
    };
    QVERIFY(form.Form_Load());

    const QString skinPath = QDir(app.appDir()).filePath(QStringLiteral("skinh.she"));
    QCOMPARE(app.skin.calls, QStringList({QStringLiteral("attachEx:%1:").arg(skinPath), QStringLiteral("adjustHsv:0,-100,0")}));
    // The skin comes after the list is filled and before the brand title and the window.
    QCOMPARE(seen, QStringList(2, QStringLiteral("list=4 visible=0 brand= icon=1")));
    QVERIFY(form.isVisible());
    QCOMPARE(form.brandTitle(), QStringLiteral("Korvel系列软件"));
    QVERIFY(!app.desktop.endStatus());
}

void StartupTest::unopenableDatabaseEndsBeforeTheWindow_data()
{
    QTest::addColumn<QByteArray>("damage");
    QTest::addColumn<QString>("description");
    QTest::newRow("missing") << QByteArray("missing") << "unable to open database file";
    QTest::newRow("wrong password") << QByteArray("rekey") << "file is encrypted or is not a database";
    QTest::newRow("not a database") << QByteArray("garbage") << "file is encrypted or is not a database";
    QTest::newRow("no table u") << QByteArray("no table") << "no such table: u";
    QTest::newRow("a directory") << QByteArray("directory") << "disk I/O error";
    QTest::newRow("a pipe nobody writes") << QByteArray("pipe") << "unable to open database file";
}

void StartupTest::unopenableDatabaseEndsBeforeTheWindow()
{
    QFETCH(QByteArray, damage);
    QFETCH(QString, description);
    TestApp app;
    const QString path = app.databasePath();
    if (damage == "missing") {
        QFile::remove(path);
    } else if (damage == "rekey") {
        QVERIFY(CommandDatabase::write(path, "another password", TestApp::defaultCommands()));
    } else if (damage == "garbage") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
    } else if (damage == "no table") {
        QFile::remove(path);
        SqlCipher::Database db;
        QVERIFY(db.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, LibraryTexts::kDatabasePassword));
        QVERIFY(db.exec("create table commands (na text, code text)"));
    } else if (damage == "directory") {
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
    } else if (damage == "pipe") {
        QFile::remove(path);
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }

    Form1 &form = app.window();
    QVERIFY(!form.Form_Load());

    QCOMPARE(app.desktop.boxes.size(), 2);
    QCOMPARE(app.desktop.boxes[0].text, description);
    QCOMPARE(app.desktop.boxes[0].style, Desktop::Style::Plain);
    QCOMPARE(app.desktop.boxes[0].title, QString());
    QCOMPARE(app.desktop.boxes[1].text, QStringLiteral("数据库链接出错!请联系管理员QQ:1842057"));
    QCOMPARE(app.desktop.boxes[1].style, Desktop::Style::Information);
    QCOMPARE(app.desktop.boxes[1].title, QStringLiteral("提示"));
    QCOMPARE(app.desktop.endStatus(), std::optional<int>(EXIT_FAILURE));
    QVERIFY(!form.isVisible());
    QVERIFY(app.skin.calls.isEmpty());
    QVERIFY(form.brandTitle().isEmpty());
    QVERIFY2(!QFile::exists(path) || damage != "missing", "a missing database must not be created");
}

void StartupTest::emptyTableIsNoFailure()
{
    TestApp app(TestApp::Commands{});
    app.writeDatabase({});
    Form1 &form = app.started();
    QVERIFY(form.isVisible());
    QCOMPARE(app.find<QListView>(QStringLiteral("List1"))->model()->rowCount(), 0);
    QVERIFY(app.desktop.boxes.isEmpty());
}

// A packager's build without the update check: the window stands and nothing
// is asked of the server (which, refusing, would have brought a warning).
void StartupTest::updateCheckLeftOut()
{
    TestApp app;
    UpdateSettings update = TestApp::refusingUpdate();
    update.checkAtStart = false;
    Form1 &form = app.window(update);
    QVERIFY(form.Form_Load());
    QVERIFY(form.isVisible());
    QCOMPARE(app.desktop.log, QStringList());
}

void StartupTest::windowAsFirstShown()
{
    TestApp app;
    Form1 &form = app.started();

    QCOMPARE(form.windowTitle(), QString::fromUtf8(AppTexts::kCaption));
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form.size(), QSize(617, 542));
    QCOMPARE(form.minimumSize(), form.maximumSize());

    auto *list = app.find<QListView>(QStringLiteral("List1"));
    QCOMPARE(list->geometry(), QRect(16, 120, 305, 244));
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget() : form.focusWidget(), list);
    QCOMPARE(app.find<QLabel>(QStringLiteral("Label3"))->pos(), QPoint(8, 0));
    QCOMPARE(app.find<QWidget>(QStringLiteral("Picture1"))->geometry(), QRect(16, 384, 585, 129));
    QCOMPARE(app.find<QWidget>(QStringLiteral("um(7)"))->size(), QSize(169, 41));

    QVERIFY(app.find<QRadioButton>(QStringLiteral("Option1(1)"))->isChecked());
    QVERIFY(!app.find<QRadioButton>(QStringLiteral("Option1(0)"))->isChecked());
    QVERIFY(app.find<QLineEdit>(QStringLiteral("Text1"))->text().isEmpty());
    QVERIFY(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().isEmpty());
    QVERIFY(!app.find<QWidget>(QStringLiteral("um(7)"))->isVisible());
    QVERIFY(!app.find<QTimer>(QStringLiteral("Timer2"))->isActive());
    QVERIFY(!app.find<QWidget>(QStringLiteral("Text6"))->isVisible());
    for (const char *image : {"Image8", "Image9", "Image10"})
        QVERIFY(!app.find<QWidget>(QString::fromLatin1(image))->isVisible());
    // No page lies in the client area.
    for (int page = 0; page < ControlArrays::kPageCount; ++page) {
        auto *panel = app.find<QWidget>(QStringLiteral("um(%1)").arg(page));
        QVERIFY(!panel->isVisible() || panel->x() >= form.width());
    }

    // The topic bar reads, left to right, top row then bottom row.
    QStringList rows[2];
    QList<QPushButton *> topics;
    for (int i = 0; i < ControlArrays::kTopicCount; ++i)
        topics.append(app.find<QPushButton>(QStringLiteral("Command5(%1)").arg(i)));
    std::sort(topics.begin(), topics.end(), [](auto *a, auto *b) { return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x()); });
    for (int i = 0; i < topics.size(); ++i)
        rows[i / 5].append(topics[i]->text());
    QCOMPARE(rows[0], QStringList({u"Ubuntu系统介绍"_s, u"如何登陆Ubuntu"_s, u"如何安装Apache2"_s, u"如何安装MySQL"_s, u"如何安装phpadmin"_s}));
    QCOMPARE(rows[1], QStringList({u"如何安装PHP5"_s, u"如何绑定子域名"_s, u"如何安装zip解压"_s, u"Tovanu推荐源"_s, u"软件说明"_s}));
}

void StartupTest::tabOrderFromTheSearchBox()
{
    TestApp app;
    Form1 &form = app.started();
    QApplication::setActiveWindow(&form);
    auto *search = app.find<QLineEdit>(QStringLiteral("Text1"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), app.find<QWidget>(QStringLiteral("Command1")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), app.find<QWidget>(QStringLiteral("Text2")));
}

// Tab and Shift+Tab from a few starting points, with a page open or not:
// the visible controls in rising (falling) tab index order, round the end;
// a closed page's controls are never reached, nor, while a page is open,
// the controls it covers; of the two options, the selected one is the stop.
void StartupTest::focusChain_data()
{
    QTest::addColumn<int>("topic"); // clicked first; -1 for none
    QTest::addColumn<bool>("closedAgain");
    QTest::addColumn<QString>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<QStringList>("visited");
    const QStringList firstTopics = {u"Command5(0)"_s, u"Command5(1)"_s, u"Command5(2)"_s, u"Command5(3)"_s,
                                     u"Command5(4)"_s, u"Command5(5)"_s, u"Command5(6)"_s, u"Command5(7)"_s};
    QTest::newRow("no page, Tab round from the list")
        << -1 << false << u"List1"_s << true
        << firstTopics + QStringList{u"Text1"_s, u"Command1"_s, u"Text2"_s, u"Command5(8)"_s, u"Command5(9)"_s,
                                     u"Option1(1)"_s, u"List1"_s};
    QTest::newRow("no page, Shift+Tab round from the list")
        << -1 << false << u"List1"_s << false
        << QStringList{u"Option1(1)"_s, u"Command5(9)"_s, u"Command5(8)"_s, u"Text2"_s};
    QTest::newRow("sources page, Tab from the list")
        << 5 << false << u"List1"_s << true << QStringList{u"Text3"_s, u"Command3"_s, u"Command4"_s, u"Command5(0)"_s};
    QTest::newRow("sources page, Shift+Tab from the first topic")
        << 5 << false << u"Command5(0)"_s << false
        << QStringList{u"Command4"_s, u"Command3"_s, u"Text3"_s, u"Command5(9)"_s, u"Command5(8)"_s};
    QTest::newRow("sources page closed again")
        << 5 << true << u"List1"_s << true << QStringList{u"Command5(0)"_s};
    QTest::newRow("Apache page, Tab from the details")
        << 2 << false << u"Text2"_s << true
        << QStringList{u"Command5(8)"_s, u"Command5(9)"_s, u"Text4(0)"_s, u"Text4(1)"_s, u"Command5(0)"_s};
    QTest::newRow("MySQL page, by tab index, not by place")
        << 4 << false << u"Command5(9)"_s << true << QStringList{u"Text4(3)"_s, u"Text4(2)"_s, u"Command5(0)"_s};
    QTest::newRow("subdomain page, Shift+Tab from the options")
        << 3 << false << u"Option1(1)"_s << false
        << QStringList{u"Text4(10)"_s, u"Text5"_s, u"Command7"_s, u"Command6"_s, u"Text4(11)"_s, u"Command5(9)"_s};
}

void StartupTest::focusChain()
{
    QFETCH(int, topic);
    QFETCH(bool, closedAgain);
    QFETCH(QString, from);
    QFETCH(bool, forward);
    QFETCH(QStringList, visited);
    TestApp app;
    Form1 &form = app.started();
    QApplication::setActiveWindow(&form);
    if (topic >= 0)
        app.find<QPushButton>(u"Command5(%1)"_s.arg(topic))->click();
    if (closedAgain)
        QTest::mouseClick(app.find<QWidget>(u"al(%1)"_s.arg(Topics::pageOf(topic).value())), Qt::LeftButton);
    app.find<QWidget>(from)->setFocus();
    QStringList seen;
    while (seen.size() < visited.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        seen.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(seen, visited);
}

// Keys beyond the design, from a control with a page open or not: where the
// focus lands, what it has selected there (the search text, to be typed
// over; the first placeholder), whether a page is still open, and the last
// message box (empty for none).
void StartupTest::keyboard_data()
{
    QTest::addColumn<int>("topic"); // clicked first; -1 for none
    QTest::addColumn<QString>("from");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("pageOpen");
    QTest::addColumn<QString>("box");
    const QKeyCombination enter(Qt::Key_Return);
    QTest::newRow("Ctrl+F from the list") << -1 << u"List1"_s << (Qt::CTRL | Qt::Key_F) << u"Text1"_s
                                          << u"网站目录"_s << false << QString();
    QTest::newRow("Ctrl+L from the details") << -1 << u"Text2"_s << (Qt::CTRL | Qt::Key_L) << u"Text1"_s
                                             << u"网站目录"_s << false << QString();
    QTest::newRow("Ctrl+F with the sources page open closes it")
        << 5 << u"Command3"_s << (Qt::CTRL | Qt::Key_F) << u"Text1"_s << u"网站目录"_s << false << QString();
    QTest::newRow("F3 from the search box") << -1 << u"Text1"_s << QKeyCombination(Qt::Key_F3) << u"Text2"_s
                                            << u"<网站目录>"_s << false << QString();
    QTest::newRow("Enter in the domain field presses ok")
        << 3 << u"Text4(11)"_s << enter << u"Text4(11)"_s << QString() << true
        << u"你要绑定的域名为：www.example.com\r\n \r\n确定输入正确吗?"_s;
    QTest::newRow("Enter in the path field copies the virtual host")
        << 3 << u"Text5"_s << enter << u"Text5"_s << QString() << true << u"内容已复制,请继续按下方提示操作"_s;
}

void StartupTest::keyboard()
{
    QFETCH(int, topic);
    QFETCH(QString, from);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, focus);
    QFETCH(QString, selected);
    QFETCH(bool, pageOpen);
    QFETCH(QString, box);
    TestApp app({{u"查看网站目录"_s, u"ls -la <网站目录>"_s}});
    Form1 &form = app.started();
    QApplication::setActiveWindow(&form);
    app.find<QLineEdit>(u"Text1"_s)->setText(u"网站目录"_s);
    auto *list = app.find<QListView>(u"List1"_s);
    list->setCurrentIndex(list->model()->index(0, 0));
    app.find<QLineEdit>(u"Text4(11)"_s)->setText(u"www.example.com"_s);
    if (topic >= 0)
        app.find<QPushButton>(u"Command5(%1)"_s.arg(topic))->click();
    app.find<QWidget>(from)->setFocus();

    QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
    QWidget *focused = QApplication::focusWidget();
    QCOMPARE(focused->objectName(), focus);
    if (const auto *line = qobject_cast<QLineEdit *>(focused))
        QCOMPARE(line->selectedText(), selected);
    if (const auto *details = qobject_cast<QPlainTextEdit *>(focused))
        QCOMPARE(details->textCursor().selectedText(), selected);
    QCOMPARE(topic >= 0 && app.find<QWidget>(u"um(%1)"_s.arg(Topics::pageOf(topic).value()))->isVisible(), pageOpen);
    QCOMPARE(app.desktop.boxes.isEmpty() ? QString() : app.desktop.boxes.last().text, box);
}

// The program lies in a folder whose name is GBK bytes, or whose path is
// longer than SQLite takes, or than the system names: the database opens and
// Source.list is written.
void StartupTest::oddFolders_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("depth");
    QTest::newRow("GBK name") << QByteArray("\xb2\xe2\xca\xd4") << 1;
    QTest::newRow("600 bytes deep") << QByteArray(100, 'd') << 6;
    QTest::newRow("deeper than PATH_MAX") << QByteArray(250, 'd') << 20;
}

void StartupTest::oddFolders()
{
    QFETCH(QByteArray, name);
    QFETCH(int, depth);
    QTemporaryDir base;
    QByteArray native = QFile::encodeName(base.path());
    // Made and removed one folder at a time: no path may be too long.
    QList<int> levels = {open(native.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)};
    for (int level = 0; level < depth; ++level) {
        native += '/' + name;
        QCOMPARE(mkdirat(levels.last(), name.constData(), 0700), 0);
        levels.append(openat(levels.last(), name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        QVERIFY(levels.last() >= 0);
    }
    const AppFolder folder(native);
    const auto removeFolders = qScopeGuard([&] {
        QDir(folder.path()).removeRecursively();
        for (qsizetype level = levels.size() - 1; level > 0; --level) {
            close(levels.at(level));
            unlinkat(levels.at(level - 1), name.constData(), AT_REMOVEDIR);
        }
        close(levels.first());
    });
    const QString database = QDir(folder.path()).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile));
    QVERIFY(CommandDatabase::write(database, LibraryTexts::kDatabasePassword, TestApp::defaultCommands()));
    FakeDesktop desktop;
    RecordingSkin skin;
    Form1 form({folder.path(), desktop, skin, TestApp::refusingUpdate()});
    QVERIFY(form.Form_Load());
    QTRY_VERIFY(!form.findChild<UpdateCheck *>()->isRunning());
    QCOMPARE(form.findChild<QListView *>(QStringLiteral("List1"))->model()->rowCount(), 4);

    desktop.boxes.clear();
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Command4")), Qt::LeftButton);
    QCOMPARE(desktop.boxes.size(), 1);
    QCOMPARE(desktop.boxes[0].style, Desktop::Style::Information);
    struct stat written = {};
    QCOMPARE(fstatat(levels.last(), "Source.list", &written, 0), 0);
}

// The real desktop ends the program through the normal exit, so that the
// application object is destroyed and hands the clipboard on: the window
// goes, the wait in progress returns with the status, a loop entered
// afterwards returns at once, and no box comes up.
void StartupTest::desktopEndsThroughTheNormalExit()
{
    QWidget window;
    window.show();
    QtDesktop desktop;
    desktop.setWindow(&window);
    QEventLoop wait;
    QTimer::singleShot(0, &window, [&desktop] { desktop.end(3); });
    QCOMPARE(wait.exec(), 3);
    QVERIFY(!window.isVisible());
    QCOMPARE(desktop.endStatus(), std::optional<int>(3));
    QEventLoop later;
    QTimer::singleShot(0, &window, [&desktop] { desktop.end(4); });
    QCOMPARE(later.exec(), -1);
    QCOMPARE(desktop.messageBox(QStringLiteral("x"), Desktop::Style::Information, QString()), Desktop::Answer::No);
    QCOMPARE(desktop.endStatus(), std::optional<int>(3));
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
