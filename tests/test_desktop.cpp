// The Qt side of the desktop seam: what each message box shows and answers.
#include "desktop/QtDesktop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

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

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
