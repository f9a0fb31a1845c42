// The Qt side of the desktop seam: what each message box shows and answers.
#include "desktop/QtDesktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Desktop::Style)

namespace {

// What the open box showed, taken while it is open.
struct Shown {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows a box through the seam; while it is open, records what it shows and
// presses the given button.
Desktop::Answer showAndPress(const QString &text, Desktop::Style style, const QString &title,
                             QMessageBox::StandardButton press, Shown &shown)
{
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()};
        box->button(press)->click();
    });
    QtDesktop desktop;
    return desktop.messageBox(text, style, title);
}

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName(u"Tovanu"_s); }
    void styles_data();
    void styles();
    void yesAndNo();
    void plainTextAndTitle();
    void boxesBelongToTheWindow();
    void tallTextsFitTheScreen_data();
    void tallTextsFitTheScreen();
};

void DesktopTest::styles_data()
{
    QTest::addColumn<Desktop::Style>("style");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::newRow("0") << Desktop::Style::Plain << QMessageBox::NoIcon << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("48") << Desktop::Style::Exclamation << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("64") << Desktop::Style::Information << QMessageBox::Information
                        << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("68") << Desktop::Style::InformationYesNo << QMessageBox::Information
                        << (QMessageBox::Yes | QMessageBox::No);
}

void DesktopTest::styles()
{
    QFETCH(Desktop::Style, style);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    Shown shown;
    const auto press = style == Desktop::Style::InformationYesNo ? QMessageBox::No : QMessageBox::Ok;
    const Desktop::Answer answer = showAndPress(u"内容已复制!"_s, style, u"Korvel系列软件"_s, press, shown);
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.buttons, buttons);
    QCOMPARE(shown.title, u"Korvel系列软件"_s);
    QCOMPARE(answer, style == Desktop::Style::InformationYesNo ? Desktop::Answer::No : Desktop::Answer::Ok);
}

void DesktopTest::yesAndNo()
{
    Shown shown;
    QCOMPARE(showAndPress(u"确定输入正确吗?"_s, Desktop::Style::InformationYesNo, u"t"_s, QMessageBox::Yes, shown),
             Desktop::Answer::Yes);
    QCOMPARE(showAndPress(u"确定输入正确吗?"_s, Desktop::Style::InformationYesNo, u"t"_s, QMessageBox::No, shown),
             Desktop::Answer::No);
}

// A text that reads like markup (a version sent by the server) is shown as
// written, and a box given no title shows the program's name.
void DesktopTest::plainTextAndTitle()
{
    Shown shown;
    const QString markup = u"发现最新版本![<b>V2</b><img src=x>]"_s;
    showAndPress(markup, Desktop::Style::Information, QString(), QMessageBox::Ok, shown);
    QCOMPARE(shown.format, Qt::PlainText);
    QCOMPARE(shown.text, markup);
    QCOMPARE(shown.title, u"Tovanu"_s);
}

// Every box is the window's: a desktop that places boxes by their window
// (an X window manager, a Wayland compositor) opens it over the window.
void DesktopTest::boxesBelongToTheWindow()
{
    QWidget window;
    window.show();
    QtDesktop desktop;
    desktop.setWindow(&window);
    for (const Desktop::Style style : {Desktop::Style::Information, Desktop::Style::InformationYesNo}) {
        const QWindow *transientParent = nullptr;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            transientParent = box->windowHandle()->transientParent();
            box->buttons().constFirst()->click();
        });
        desktop.messageBox(u"检测更新失败"_s, style, u"Korvel系列软件"_s);
        QCOMPARE(transientParent, window.windowHandle());
    }
}

// A text taller than the screen (a version field sent by the server) is
// shown shortened in its middle: the box and its button stay on the screen.
void DesktopTest::tallTextsFitTheScreen_data()
{
    QTest::addColumn<QString>("text");
    for (const char16_t lineBreak : {u'\n', u'\r', u'\u2028', u'\u2029'})
        QTest::addRow("8,000 lines, U+%04X", unsigned(lineBreak)) << u"发现最新版本![V2"_s + QString(QChar(lineBreak) + u"x"_s).repeated(8000) + u"]"_s;
    QTest::newRow("20,000 Chinese characters") << u"发现最新版本!["_s + u"版"_s.repeated(20000) + u"]"_s;
}

void DesktopTest::tallTextsFitTheScreen()
{
    QFETCH(QString, text);
    QWidget window;
    window.show();
    QRect room;
    QRect box;
    QRect button;
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *open = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(open);
        room = open->screen()->availableGeometry();
        box = open->geometry();
        QAbstractButton *ok = open->button(QMessageBox::Ok);
        button = QRect(ok->mapToGlobal(QPoint()), ok->size());
        shown = open->text();
        ok->click();
    });
    QtDesktop desktop;
    desktop.setWindow(&window);
    desktop.messageBox(text, Desktop::Style::Information, u"Korvel系列软件"_s);
    QVERIFY2(room.contains(box), qPrintable(u"box %1,%2 %3x%4"_s.arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    QVERIFY(room.contains(button));
    QVERIFY(shown.size() < text.size());
    QVERIFY(shown.startsWith(u"发现最新版本!["_s) && shown.endsWith(u"]"_s) && shown.contains(u"\u2026"_s));
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
