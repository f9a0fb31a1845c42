// The command library: search, details, copy and the list's order.
#include "TestApp.h"

#include "library/ListOrder.h"
#include "library/SearchTerm.h"
#include "library/SqlCipher.h"
#include "ui/NameListModel.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

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

// Adds rows that the database tool would never write.
void addRawRows(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_key(db, LibraryTexts::kDatabasePassword, int(strlen(LibraryTexts::kDatabasePassword)));
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

const QStringList kAllSorted = {"apache日志", "查看当前目录", "更新软件源并升级", "重启Apache2"};

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void listOrder();
    void searchTerm_data();
    void searchTerm();
    void searchByNameAndByCommand();
    void searchKeepsOrRefillsTheList();
    void quotesAndWildcards();
    void detailsAndCopy();
    void duplicateAndNullRows();
    void copyNoticeIsCentredAndTimed();
    void databaseFailingWhileRunning();
    void choosingNamesByClicksAndKeys();
};

void LibraryTest::listOrder()
{
    NameListModel model;
    model.addItem(QStringLiteral("b"));
    model.addItem(QStringLiteral("a"));
    QCOMPARE(model.names(), QStringList({"a", "b"}));

    // Case-insensitive, Chinese in pinyin order, equal names kept.
    model.setNames({"重启", "Zip", "北京", "apache", "安装", "Apache", "北京"});
    QCOMPARE(model.names(), QStringList({"apache", "Apache", "Zip", "安装", "北京", "北京", "重启"}));
    model.addItem(QStringLiteral("APACHE"));
    QCOMPARE(model.names().mid(0, 3), QStringList({"apache", "Apache", "APACHE"}));
}

void LibraryTest::searchTerm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("term");
    QTest::newRow("outer blanks") << "  a b  " << "a b";
    QTest::newRow("blanks only") << "   " << "";
    QTest::newRow("tabs stay") << "\tx\t" << "\tx\t";
    QTest::newRow("ends at NUL") << QString::fromUtf16(u"ab\0cd", 5) << "ab";
}

void LibraryTest::searchTerm()
{
    QFETCH(QString, text);
    QFETCH(QString, term);
    QCOMPARE(Search::termOf(text), term);
}

void LibraryTest::searchByNameAndByCommand()
{
    TestApp app;
    app.started();
    QCOMPARE(app.listed(), kAllSorted);

    typeSearch(app, QStringLiteral("apache"));
    QCOMPARE(app.listed(), QStringList({"apache日志", "重启Apache2"}));

    // Switching the option changes nothing until the next keystroke.
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    QCOMPARE(app.listed(), QStringList({"apache日志", "重启Apache2"}));
    typeSearch(app, QStringLiteral("systemctl"));
    QCOMPARE(app.listed(), QStringList({"重启Apache2"}));
    // The stored "%" between command lines is searched as stored.
    typeSearch(app, QStringLiteral("update%apt"));
    QCOMPARE(app.listed(), QStringList({"更新软件源并升级"}));
}

void LibraryTest::searchKeepsOrRefillsTheList()
{
    TestApp app;
    app.started();
    typeSearch(app, QStringLiteral("目录"));
    QCOMPARE(app.listed(), QStringList({"查看当前目录"}));
    QTest::keyClicks(app.find<QLineEdit>(QStringLiteral("Text1")), "zzz");
    QCOMPARE(app.listed(), QStringList({"查看当前目录"}));

    app.find<QLineEdit>(QStringLiteral("Text1"))->clear();
    QCOMPARE(app.listed(), kAllSorted);

    typeSearch(app, QStringLiteral("目录"));
    typeSearch(app, QStringLiteral("   "));
    QCOMPARE(app.listed(), kAllSorted);
    typeSearch(app, QStringLiteral("  当前 "));
    QCOMPARE(app.listed(), QStringList({"查看当前目录"}));
}

void LibraryTest::quotesAndWildcards()
{
    TestApp app({{"it's me", "echo 'hi'"}, {"50% off", "echo 50"}, {"plain", "true"}});
    app.started();

    typeSearch(app, QStringLiteral("'"));
    QCOMPARE(app.listed(), QStringList({"it's me"}));
    QVERIFY(app.desktop.boxes.isEmpty());
    select(app, 0);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QStringLiteral("echo 'hi'"));

    typeSearch(app, QStringLiteral("' or '1'='1"));
    QCOMPARE(app.listed(), QStringList({"it's me"}));
    typeSearch(app, QStringLiteral("%"));
    QCOMPARE(app.listed().size(), 3);
    typeSearch(app, QStringLiteral("p_ain"));
    QCOMPARE(app.listed(), QStringList({"plain"}));
    // Emptying the box lists everything; a term that matches nothing keeps it.
    typeSearch(app, QStringLiteral("\\"));
    QCOMPARE(app.listed().size(), 3);
    QVERIFY(app.desktop.boxes.isEmpty());
    QVERIFY(!app.desktop.endStatus);
}

void LibraryTest::detailsAndCopy()
{
    TestApp app;
    app.started();
    select(app, kAllSorted.indexOf("更新软件源并升级"));
    auto *details = app.find<QPlainTextEdit>(QStringLiteral("Text2"));
    QCOMPARE(details->blockCount(), 2);
    QCOMPARE(app.find<QListView>(QStringLiteral("List1"))->toolTip(), QStringLiteral("更新软件源并升级"));

    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.log, QStringList({"clear", "set:apt-get update\r\napt-get upgrade -y"}));

    // A search replaces the list but keeps the details.
    typeSearch(app, QStringLiteral("目录"));
    QCOMPARE(details->toPlainText(), QStringLiteral("apt-get update\napt-get upgrade -y"));

    // What the user edited is copied, lines joined by CR LF.
    details->moveCursor(QTextCursor::End);
    QTest::keyClicks(details, QStringLiteral(" && reboot"));
    QTest::keyClick(details, Qt::Key_Return);
    QTest::keyClicks(details, QStringLiteral("exit"));
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.clipboard, QStringLiteral("apt-get update\r\napt-get upgrade -y && reboot\r\nexit"));

    details->clear();
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(app.desktop.log.mid(app.desktop.log.size() - 2), QStringList({"clear", "set:"}));
}

void LibraryTest::duplicateAndNullRows()
{
    TestApp app({{"同名", "first"}, {"同名", "2nd"}});
    addRawRows(app.databasePath(), "insert into u values (null, 'orphan'); insert into u values ('空命令', null);");
    app.started();
    QCOMPARE(app.listed(), QStringList({"空命令", "同名", "同名"}));

    select(app, 2);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QStringLiteral("first"));
    select(app, 0);
    QCOMPARE(app.find<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText(), QString());

    // A command search that only finds the row without a name keeps the list.
    QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
    typeSearch(app, QStringLiteral("orphan"));
    QCOMPARE(app.listed(), QStringList({"空命令", "同名", "同名"}));
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

void LibraryTest::databaseFailingWhileRunning()
{
    TestApp app;
    app.started();
    QFile file(app.databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x33'));
    file.close();

    typeSearch(app, QStringLiteral("a"));
    QVERIFY(!app.desktop.boxes.isEmpty());
    QVERIFY(app.desktop.boxes.last().text.startsWith(QStringLiteral("数据库读取出错!")));
    QCOMPARE(app.desktop.boxes.last().style, Desktop::Style::Exclamation);
    QVERIFY(!app.desktop.endStatus);
    QCOMPARE(app.listed(), kAllSorted);
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
    QCOMPARE(list->toolTip(), kAllSorted.first());

    // A click on the chosen name brings its command back after an edit.
    const int row = kAllSorted.indexOf("查看当前目录");
    select(app, row);
    details->setPlainText(QStringLiteral("edited"));
    select(app, row);
    QCOMPARE(details->toPlainText(), QStringLiteral("pwd"));

    // Enter on it copies the command and shows the copy notice.
    app.desktop.log.clear();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(app.desktop.log, QStringList({"clear", "set:pwd"}));
    QVERIFY(app.find<QWidget>(QStringLiteral("um(7)"))->isVisible());

    // Down in the search box leads to the list's first entry.
    auto *search = app.find<QLineEdit>(QStringLiteral("Text1"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), list);
    QCOMPARE(list->toolTip(), kAllSorted.first());
}

QTEST_MAIN(LibraryTest)
#include "test_library.moc"
