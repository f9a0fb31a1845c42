// What bad input gets: each case ends in the program's own clear message or
// its normal behaviour, never a crash and never a partly written file.
#include "FileAccess.h"
#include "TestApp.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRandomGenerator>

namespace {

const QString kOpenFailed = QStringLiteral("数据库链接出错!请联系管理员QQ:1842057");

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedDatabase_data();
    void damagedDatabase();
    void unreadableDatabase();
    void strangeSearchTexts_data();
    void strangeSearchTexts();
    void hugeDomain();
};

void BadInputTest::damagedDatabase_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated") << QStringLiteral("truncated");
    QTest::newRow("zero-length") << QStringLiteral("empty");
    QTest::newRow("random bytes") << QStringLiteral("random");
    QTest::newRow("a directory") << QStringLiteral("directory");
}

void BadInputTest::damagedDatabase()
{
    QFETCH(QString, damage);
    TestApp app;
    const QString path = app.databasePath();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    if (damage == QLatin1String("truncated")) {
        writeBytes(path, whole.left(whole.size() / 2));
    } else if (damage == QLatin1String("empty")) {
        writeBytes(path, {});
    } else if (damage == QLatin1String("random")) {
        QByteArray noise(whole.size(), Qt::Uninitialized);
        QRandomGenerator generator(2052);
        for (char &byte : noise)
            byte = char(generator.bounded(256));
        writeBytes(path, noise);
    } else {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    }

    Form1 &form = app.window();
    QVERIFY(!form.Form_Load());
    QCOMPARE(app.desktop.boxes.size(), 2);
    QVERIFY(!app.desktop.boxes[0].text.isEmpty());
    QCOMPARE(app.desktop.boxes[1].text, kOpenFailed);
    QCOMPARE(app.desktop.endStatus(), std::optional<int>(EXIT_FAILURE));
    QVERIFY(!form.isVisible());
}

void BadInputTest::unreadableDatabase()
{
    TestApp app;
    Form1 &form = app.window();
    {
        RestrictedPath unreadable(app.databasePath(), {});
        QVERIFY(!form.Form_Load());
    }
    QCOMPARE(app.desktop.boxes.size(), 2);
    QCOMPARE(app.desktop.boxes[0].text, QStringLiteral("unable to open database file"));
    QCOMPARE(app.desktop.boxes[1].text, kOpenFailed);
    QVERIFY(!form.isVisible());
}

void BadInputTest::strangeSearchTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // entries listed afterwards
    const int all = int(TestApp::defaultCommands().size());
    QTest::newRow("100,000 characters") << QString(100000, QLatin1Char('x')) << all;
    QTest::newRow("control characters") << QStringLiteral("\x01\x02\x1b[31m\x7f") << all;
    QTest::newRow("emoji") << QStringLiteral("😀🚀") << all;
    QTest::newRow("quotes") << QStringLiteral("'\"`';--") << all;
    QTest::newRow("percent") << QStringLiteral("%") << all;
    QTest::newRow("underscore") << QStringLiteral("_") << all;
    QTest::newRow("backslash") << QStringLiteral("\\") << all;
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << all;
}

void BadInputTest::strangeSearchTexts()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    TestApp app;
    app.started();
    auto *search = app.find<QLineEdit>(QStringLiteral("Text1"));
    // Past the box's own limit, as a paste from another program could be.
    search->setMaxLength(std::numeric_limits<int>::max());
    for (const char *option : {"Option1(1)", "Option1(0)"}) {
        QTest::mouseClick(app.find<QWidget>(QString::fromLatin1(option)), Qt::LeftButton);
        search->setText(text);
        QCOMPARE(search->text().size(), text.size());
        QCOMPARE(app.listed().size(), expected);
        search->clear();
    }
    QVERIFY(app.desktop.boxes.isEmpty());
    QVERIFY(!app.desktop.endStatus());
}

void BadInputTest::hugeDomain()
{
    TestApp app;
    app.started();
    auto *domain = app.find<QLineEdit>(QStringLiteral("Text4(11)"));
    domain->setMaxLength(std::numeric_limits<int>::max());
    const QString huge = QString(10000 - 4, QLatin1Char('a')) + QStringLiteral(".com");
    domain->setText(huge);
    app.desktop.answers.enqueue(Desktop::Answer::Yes);
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command6")), Qt::LeftButton);
    QCOMPARE(app.desktop.clipboard, QStringLiteral("cd /etc/apache2/sites-enabled\nln -f -s ../sites-available/%1 %1.conf").arg(huge));

    domain->setText(QString(10000, QLatin1Char(';')) + QStringLiteral(".com"));
    app.desktop.clipboard = QStringLiteral("untouched");
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command6")), Qt::LeftButton);
    QCOMPARE(app.desktop.boxes.last().text, QStringLiteral("域名不对,检查一下!"));
    QCOMPARE(app.desktop.clipboard, QStringLiteral("untouched"));
    QVERIFY(!app.desktop.endStatus());
}

QTEST_MAIN(BadInputTest)
#include "test_badinput.moc"
