// The window's chrome: its pictures, the painted frame, the button row and
// its hover and pressed looks, minimise, close, moving the window and the
// pages, and the copy notice that goes when the pointer moves over it.
#include "TestApp.h"

#include "ui/AppIdentity.h"
#include "ui/chrome/ChromeAssets.h"
#include "ui/chrome/ChromeGeometry.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QWindow>

using namespace Qt::StringLiterals;

using Chrome::Button;
using Chrome::Face;
using Chrome::PressAction;

namespace {

constexpr int W = 617;
const QColor kBorder(0x09, 0x09, 0x09);
const QColor kFill(0x12, 0x12, 0x12);
const QColor kHoverFill(0x2f, 0x2f, 0x2f);
const QColor kPressedFill(0x44, 0x44, 0x44);

// Points of the two buttons that show their look's fill: the top left of
// each slice, away from the glyphs and the separator.
const QPoint kMinimiseFill(W - 78, 4);
const QPoint kCloseFill(W - 48, 4);

QImage picture(const char *path)
{
    return QImage(QString::fromLatin1(path)).convertToFormat(QImage::Format_ARGB32);
}

// What the window shows now: its backing store, as the screen has it.
QImage onScreen(Form1 &form)
{
    return form.screen()->grabWindow(form.winId()).toImage();
}

QColor fillOf(Face face)
{
    switch (face) {
    case Face::Normal:
        return kFill;
    case Face::Hover:
        return kHoverFill;
    case Face::Pressed:
        return kPressedFill;
    }
    return {};
}

bool isFrame(QColor colour)
{
    return colour == kBorder || colour == kFill;
}

// The chrome needs no commands: the window is built on an empty
// application directory and shown as start-up shows it.
class ChromeApp : public TestApp
{
public:
    ChromeApp()
        : TestApp(Commands{})
    {
    }

    // The window shown and exposed, the pointer away from the buttons.
    Form1 &shown()
    {
        Form1 &form = window();
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the window was not exposed");
        QTest::mouseMove(&form, QPoint(300, 90));
        return form;
    }
};

} // namespace

class ChromeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureSizes_data();
    void pictureSizes();
    void spriteLayout_data();
    void spriteLayout();
    void glyphsKeepTheirRowsInEveryLook();
    void picturesInPlace();
    void windowIconRemovedAtStartUp();
    void desktopKnowsTheProgram();

    void hitTesting_data();
    void hitTesting();
    void pressActions_data();
    void pressActions();

    void frameAsPainted_data();
    void frameAsPainted();
    void hoverOnScreen_data();
    void hoverOnScreen();
    void fullPaintShowsButtonsNormal();
    void pressedButtonOnScreen_data();
    void pressedButtonOnScreen();

    void titleBandMovesTheWindow_data();
    void titleBandMovesTheWindow();
    void releaseActions_data();
    void releaseActions();
    void minimiseKeepsPressedImageUntilRestored();

    void pageDragMovesOnlyThePanel();
    void copyNoticeHidesOnPointerMove();

private:
    QImage m_painted; // the whole window as its paint event draws it
};

void ChromeTest::initTestCase()
{
    ChromeApp app;
    m_painted = app.window().grab().toImage();
}

void ChromeTest::pictureSizes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("frame sprite") << ChromeAssets::kFrameSprite << QSize(13, 101);
    QTest::newRow("button sprite") << ChromeAssets::kButtonSprite << QSize(70, 69);
    QTest::newRow("title banner") << ChromeAssets::kTitleBanner << QSize(428, 70);
    QTest::newRow("close image") << ChromeAssets::kCloseImage << QSize(21, 21);
    QTest::newRow("list cursor") << ChromeAssets::kListCursor << QSize(32, 32);
    QTest::newRow("icon 16") << ChromeAssets::kWindowIcon[0] << QSize(16, 16);
    QTest::newRow("icon 32") << ChromeAssets::kWindowIcon[1] << QSize(32, 32);
    QTest::newRow("icon 48") << ChromeAssets::kWindowIcon[2] << QSize(48, 48);
}

void ChromeTest::pictureSizes()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QCOMPARE(QImage(path).size(), size);
}

// The button sprite's bands, bar and separator; the frame sprite is checked
// as the window draws it.
void ChromeTest::spriteLayout_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    const QString buttons = QString::fromLatin1(ChromeAssets::kButtonSprite);
    QTest::newRow("normal band") << buttons << QPoint(2, 0) << kFill;
    QTest::newRow("hover band") << buttons << QPoint(2, 21) << kHoverFill;
    QTest::newRow("pressed band") << buttons << QPoint(2, 41) << kPressedFill;
    QTest::newRow("pressed band last row") << buttons << QPoint(69, 68) << kPressedFill;
    QTest::newRow("minimise bar left top") << buttons << QPoint(9, 8) << QColor(Qt::white);
    QTest::newRow("minimise bar right bottom") << buttons << QPoint(20, 11) << QColor(Qt::white);
    QTest::newRow("below the bar") << buttons << QPoint(9, 12) << kFill;
    QTest::newRow("right of the bar") << buttons << QPoint(21, 11) << kFill;
    QTest::newRow("pressed bar") << buttons << QPoint(20, 52) << QColor(Qt::white);
    QTest::newRow("separator top") << buttons << QPoint(29, 0) << QColor(Qt::white);
    QTest::newRow("separator bottom") << buttons << QPoint(29, 68) << QColor(Qt::white);
    QTest::newRow("right of separator") << buttons << QPoint(30, 30) << kHoverFill;
}

void ChromeTest::spriteLayout()
{
    QFETCH(QString, path);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    QCOMPARE(QImage(path).pixelColor(at), colour);
}

// Each look's slice puts its glyph on the same rows and columns, so the
// button does not jump between normal, hover and pressed; the close cross is
// 10 rows high from slice row 5, the minimise bar 4 rows from slice row 8.
void ChromeTest::glyphsKeepTheirRowsInEveryLook()
{
    const QImage sprite = picture(ChromeAssets::kButtonSprite);
    for (const Button button : {Button::Minimise, Button::Close}) {
        QList<QList<QPoint>> glyphs;
        for (const Face face : {Face::Normal, Face::Hover, Face::Pressed}) {
            const QRect slice = Chrome::buttonCopy(button, face, W).source.toRect();
            QList<QPoint> glyph;
            // Column 0 of the close slice is the separator, not the glyph.
            for (int y = 0; y < slice.height(); ++y)
                for (int x = 1; x < slice.width(); ++x)
                    if (sprite.pixelColor(slice.topLeft() + QPoint(x, y)) != fillOf(face))
                        glyph.append(QPoint(x, y));
            glyphs.append(glyph);
        }
        QCOMPARE(glyphs[1], glyphs[0]);
        QCOMPARE(glyphs[2], glyphs[0]);
        const auto [top, bottom] = std::minmax_element(glyphs[0].cbegin(), glyphs[0].cend(),
                                                       [](QPoint a, QPoint b) { return a.y() < b.y(); });
        QCOMPARE(std::pair(top->y(), bottom->y()), button == Button::Minimise ? std::pair(8, 11) : std::pair(5, 14));
    }
}

void ChromeTest::picturesInPlace()
{
    ChromeApp app;
    app.window();
    const QPair<const char *, QSize> images[] = {
        {"Image8", QSize(428, 70)}, {"Image9", QSize(70, 69)}, {"Image10", QSize(13, 101)}, {"al(0)", QSize(21, 21)}};
    for (const auto &[name, size] : images)
        QCOMPARE(app.find<QLabel>(QString::fromLatin1(name))->pixmap().size(), size);

    const QCursor cursor = app.find<QListView>(QStringLiteral("List1"))->viewport()->cursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(5, 0));
    QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
}

void ChromeTest::windowIconRemovedAtStartUp()
{
    TestApp app;
    Form1 &form = app.window();
    QCOMPARE(form.windowIcon().availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    QVERIFY(form.Form_Load());
    QVERIFY(form.windowIcon().isNull());
}

// The taskbar and the window switcher show the program's icon and find its
// menu entry, while the window holds no icon of its own.
void ChromeTest::desktopKnowsTheProgram()
{
    const auto restore = qScopeGuard([] {
        QGuiApplication::setWindowIcon(QIcon());
        QGuiApplication::setDesktopFileName(QString());
    });
    AppIdentity::install();
    TestApp app;
    Form1 &form = app.window();
    QVERIFY(form.Form_Load());
    QCOMPARE(QGuiApplication::desktopFileName(), u"cn.korvel.Tovanu"_s);
    QCOMPARE(form.windowHandle()->icon().availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    QVERIFY(!form.testAttribute(Qt::WA_SetWindowIcon));
}

void ChromeTest::hitTesting_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("X");
    QTest::addColumn<float>("Y");
    QTest::addColumn<int>("button"); // -1 none
    const int none = -1, minimise = int(Button::Minimise), close = int(Button::Close);
    QTest::newRow("row top") << float(W) << 550.f << 2.f << minimise;
    QTest::newRow("above the row") << float(W) << 550.f << 1.5f << none;
    QTest::newRow("row bottom") << float(W) << 550.f << 22.f << minimise;
    QTest::newRow("below the row") << float(W) << 550.f << 22.5f << none;
    QTest::newRow("left of minimise W-81") << float(W) << 536.f << 10.f << none;
    QTest::newRow("minimise left W-80") << float(W) << 537.f << 10.f << minimise;
    QTest::newRow("shared column W-51") << float(W) << 566.f << 10.f << minimise;
    QTest::newRow("close just right of W-51") << float(W) << 566.5f << 10.f << close;
    QTest::newRow("close image's last column W-11") << float(W) << 606.f << 10.f << close;
    QTest::newRow("close box right W-10") << float(W) << 607.f << 10.f << close;
    QTest::newRow("right of close W-9") << float(W) << 608.f << 10.f << none;
    QTest::newRow("banner") << float(W) << 200.f << 40.f << none;
    QTest::newRow("title area by the buttons") << float(W) << 560.f << 50.f << none;
    QTest::newRow("wider window, W-51") << 800.f << 749.f << 10.f << minimise;
    QTest::newRow("wider window, W-10") << 800.f << 790.f << 22.f << close;
}

void ChromeTest::hitTesting()
{
    QFETCH(float, width);
    QFETCH(float, X);
    QFETCH(float, Y);
    QFETCH(int, button);
    const auto at = Chrome::buttonAt(width, X, Y);
    QCOMPARE(at ? int(*at) : -1, button);
    const Chrome::Faces faces = Chrome::hoverFaces(width, X, Y);
    QCOMPARE(faces.minimise, button == int(Button::Minimise) ? Face::Hover : Face::Normal);
    QCOMPARE(faces.close, button == int(Button::Close) ? Face::Hover : Face::Normal);
}

void ChromeTest::pressActions_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<float>("X");
    QTest::addColumn<float>("Y");
    QTest::addColumn<PressAction>("action");
    const int left = Chrome::kLeftButton, right = Chrome::kRightButton, middle = Chrome::kMiddleButton;
    QTest::newRow("left on minimise") << left << 550.f << 10.f << PressAction::PressMinimise;
    QTest::newRow("left on the shared column") << left << 566.f << 10.f << PressAction::PressMinimise;
    QTest::newRow("left on close") << left << 590.f << 22.f << PressAction::PressClose;
    QTest::newRow("right on minimise") << right << 550.f << 10.f << PressAction::Nothing;
    QTest::newRow("middle on close") << middle << 590.f << 10.f << PressAction::Nothing;
    QTest::newRow("left and right on close") << left + right << 590.f << 10.f << PressAction::Nothing;
    QTest::newRow("right in the title band") << right << 300.f << 30.f << PressAction::Nothing;
    QTest::newRow("left and right in the title band") << left + right << 300.f << 30.f << PressAction::Nothing;
    QTest::newRow("left on the banner") << left << 200.f << 40.f << PressAction::MoveWindow;
    QTest::newRow("left right of the close box") << left << 608.f << 10.f << PressAction::MoveWindow;
    QTest::newRow("left above the buttons") << left << 550.f << 1.f << PressAction::MoveWindow;
    QTest::newRow("left below the buttons") << left << 590.f << 23.f << PressAction::MoveWindow;
    QTest::newRow("left at the band's last row") << left << 300.f << 68.f << PressAction::MoveWindow;
    QTest::newRow("left below the band") << left << 300.f << 69.f << PressAction::Nothing;
    QTest::newRow("left just below the band") << left << 300.f << 68.5f << PressAction::Nothing;
    QTest::newRow("left low in the dark title area") << left << 300.f << 99.f << PressAction::Nothing;
}

void ChromeTest::pressActions()
{
    QFETCH(int, buttons);
    QFETCH(float, X);
    QFETCH(float, Y);
    QFETCH(PressAction, action);
    QCOMPARE(Chrome::pressAction(buttons, W, X, Y), action);
}

void ChromeTest::frameAsPainted_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("expected"); // a colour, or "window" for the window's own background
    const QString border = kBorder.name(), fill = kFill.name(), white = QStringLiteral("#ffffff"),
                  window = QStringLiteral("window");
    QTest::newRow("top left corner") << QPoint(0, 0) << border;
    QTest::newRow("top border, middle") << QPoint(300, 0) << border;
    QTest::newRow("title area") << QPoint(300, 95) << fill;
    QTest::newRow("title area's last row") << QPoint(600, 99) << fill;
    QTest::newRow("below the title area") << QPoint(600, 100) << window;
    QTest::newRow("left edge, border") << QPoint(0, 300) << border;
    QTest::newRow("left edge, fill") << QPoint(1, 300) << fill;
    QTest::newRow("left edge, bottom fill") << QPoint(2, 536) << fill;
    QTest::newRow("inside the left edge") << QPoint(3, 300) << window;
    QTest::newRow("right edge, fill") << QPoint(W - 3, 300) << fill;
    QTest::newRow("right edge, inner fill") << QPoint(W - 2, 300) << fill;
    QTest::newRow("right edge, border") << QPoint(W - 1, 300) << border;
    QTest::newRow("inside the right edge") << QPoint(W - 4, 300) << window;
    QTest::newRow("above the bottom edge") << QPoint(300, 536) << window;
    QTest::newRow("bottom edge top") << QPoint(300, 537) << fill;
    QTest::newRow("bottom edge border") << QPoint(300, 541) << border;
    QTest::newRow("bottom right corner") << QPoint(W - 1, 541) << border;
    QTest::newRow("minimise bar") << QPoint(W - 80 + 9, 2 + 8) << white;
    QTest::newRow("left of the minimise button") << QPoint(W - 81, 10) << fill;
    QTest::newRow("separator top") << QPoint(W - 51, 2) << white;
    QTest::newRow("separator bottom") << QPoint(W - 51, 21) << white;
    QTest::newRow("below the separator") << QPoint(W - 51, 22) << fill;
    QTest::newRow("close button's last column") << QPoint(W - 11, 10) << fill;
}

void ChromeTest::frameAsPainted()
{
    QFETCH(QPoint, at);
    QFETCH(QString, expected);
    const QColor colour = m_painted.pixelColor(at);
    if (expected == QLatin1String("window"))
        QVERIFY2(!isFrame(colour), qPrintable(colour.name()));
    else
        QCOMPARE(colour.name(), expected);
}

void ChromeTest::hoverOnScreen_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<Face>("minimise");
    QTest::addColumn<Face>("close");
    QTest::newRow("minimise") << QPoint(550, 10) << Face::Hover << Face::Normal;
    QTest::newRow("minimise, row top") << QPoint(540, 2) << Face::Hover << Face::Normal;
    QTest::newRow("shared column W-51") << QPoint(W - 51, 10) << Face::Hover << Face::Normal;
    QTest::newRow("close") << QPoint(W - 50, 10) << Face::Normal << Face::Hover;
    QTest::newRow("close box right W-10") << QPoint(W - 10, 10) << Face::Normal << Face::Hover;
    QTest::newRow("right of close W-9") << QPoint(W - 9, 10) << Face::Normal << Face::Normal;
    QTest::newRow("above the row") << QPoint(550, 1) << Face::Normal << Face::Normal;
    QTest::newRow("banner") << QPoint(200, 40) << Face::Normal << Face::Normal;
}

void ChromeTest::hoverOnScreen()
{
    QFETCH(QPoint, pointer);
    QFETCH(Face, minimise);
    QFETCH(Face, close);
    ChromeApp app;
    Form1 &form = app.shown();
    // From a hover of the other button, so that every row changes something.
    QTest::mouseMove(&form, minimise == Face::Hover ? QPoint(590, 10) : QPoint(550, 10));
    QTest::mouseMove(&form, pointer);
    const QImage shown = onScreen(form);
    QCOMPARE(shown.pixelColor(kMinimiseFill), fillOf(minimise));
    QCOMPARE(shown.pixelColor(kCloseFill), fillOf(close));
    // The glyphs stay where they were.
    QCOMPARE(shown.pixelColor(W - 80 + 9, 2 + 8), QColor(Qt::white));
    QCOMPARE(shown.pixelColor(W - 51, 10), QColor(Qt::white));
}

// Covering and uncovering the window repaints it whole: both buttons are
// normal again although the pointer is still over one.
void ChromeTest::fullPaintShowsButtonsNormal()
{
    ChromeApp app;
    Form1 &form = app.shown();
    QTest::mouseMove(&form, QPoint(590, 10));
    QCOMPARE(onScreen(form).pixelColor(kCloseFill), kHoverFill);
    QCOMPARE(form.grab().toImage().pixelColor(kCloseFill), kFill);
    form.repaint();
    QCOMPARE(onScreen(form).pixelColor(kCloseFill), kFill);
    QTest::mouseMove(&form, QPoint(591, 10));
    QCOMPARE(onScreen(form).pixelColor(kCloseFill), kHoverFill);
}

void ChromeTest::pressedButtonOnScreen_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<Face>("minimise");
    QTest::addColumn<Face>("close");
    // The pointer comes from the banner, so both buttons start normal.
    QTest::newRow("left on minimise") << Qt::LeftButton << QPoint(550, 10) << Face::Pressed << Face::Normal;
    QTest::newRow("left on the shared column") << Qt::LeftButton << QPoint(W - 51, 10) << Face::Pressed << Face::Normal;
    QTest::newRow("left on close") << Qt::LeftButton << QPoint(590, 10) << Face::Normal << Face::Pressed;
    QTest::newRow("right on minimise") << Qt::RightButton << QPoint(550, 10) << Face::Normal << Face::Normal;
    QTest::newRow("middle on close") << Qt::MiddleButton << QPoint(590, 10) << Face::Normal << Face::Normal;
}

void ChromeTest::pressedButtonOnScreen()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    QFETCH(Face, minimise);
    QFETCH(Face, close);
    ChromeApp app;
    Form1 &form = app.shown();
    // Pressing without a move first: the pressed look is drawn by the press.
    QTest::mousePress(&form, button, {}, at);
    QImage shown = onScreen(form);
    QCOMPARE(shown.pixelColor(kMinimiseFill), fillOf(minimise));
    QCOMPARE(shown.pixelColor(kCloseFill), fillOf(close));
    QCOMPARE(shown.pixelColor(W - 80 + 20, 2 + 11), QColor(Qt::white));

    // The pressed look lasts until the first move, which draws the hover look.
    QTest::mouseMove(&form, at + QPoint(1, 0));
    shown = onScreen(form);
    QVERIFY(shown.pixelColor(kMinimiseFill) != kPressedFill);
    QVERIFY(shown.pixelColor(kCloseFill) != kPressedFill);
    QTest::mouseRelease(&form, button, {}, QPoint(300, 90));
    QVERIFY(!app.desktop.endStatus());
}

void ChromeTest::titleBandMovesTheWindow_data()
{
    QTest::addColumn<QList<Qt::MouseButton>>("presses");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("moves");
    using Buttons = QList<Qt::MouseButton>;
    QTest::newRow("left on the banner") << Buttons{Qt::LeftButton} << QPoint(200, 40) << true;
    QTest::newRow("left right of the close box") << Buttons{Qt::LeftButton} << QPoint(W - 9, 10) << true;
    QTest::newRow("left below the band") << Buttons{Qt::LeftButton} << QPoint(300, 69) << false;
    QTest::newRow("left on minimise") << Buttons{Qt::LeftButton} << QPoint(550, 10) << false;
    QTest::newRow("right") << Buttons{Qt::RightButton} << QPoint(200, 40) << false;
    QTest::newRow("right, then left too") << Buttons{Qt::RightButton, Qt::LeftButton} << QPoint(200, 40) << false;
}

// With no window manager to move it, the window follows the pointer itself.
void ChromeTest::titleBandMovesTheWindow()
{
    QFETCH(QList<Qt::MouseButton>, presses);
    QFETCH(QPoint, at);
    QFETCH(bool, moves);
    ChromeApp app;
    Form1 &form = app.shown();
    const QPoint before = form.pos();
    for (const Qt::MouseButton button : presses)
        QTest::mousePress(&form, button, {}, at);
    const QPoint travel(25, 30);
    QTest::mouseMove(&form, at + travel);
    QCOMPARE(form.pos(), moves ? before + travel : before);
    for (const Qt::MouseButton button : presses)
        QTest::mouseRelease(&form, button, {}, at + travel - (moves ? travel : QPoint()));
    // The move ends with the left button.
    const QPoint after = form.pos();
    QTest::mouseMove(&form, QPoint(300, 90));
    QCOMPARE(form.pos(), after);
    QVERIFY(!app.desktop.endStatus());
}

void ChromeTest::releaseActions_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<QString>("outcome"); // "end", "minimised" or "nothing"
    QTest::newRow("click on close") << Qt::LeftButton << QPoint(590, 10) << QPoint(590, 10) << "end";
    QTest::newRow("close box right W-10") << Qt::LeftButton << QPoint(W - 10, 10) << QPoint(W - 10, 10) << "end";
    QTest::newRow("right-button click on close") << Qt::RightButton << QPoint(590, 10) << QPoint(590, 10) << "end";
    QTest::newRow("press on minimise, release on close") << Qt::LeftButton << QPoint(550, 10) << QPoint(590, 10) << "end";
    QTest::newRow("press below the band, release on close") << Qt::LeftButton << QPoint(300, 90) << QPoint(590, 22) << "end";
    QTest::newRow("press on close, release elsewhere") << Qt::LeftButton << QPoint(590, 10) << QPoint(300, 90) << "nothing";
    QTest::newRow("press on close, release below the row") << Qt::LeftButton << QPoint(590, 10) << QPoint(590, 23) << "nothing";
    QTest::newRow("press on close, release right of it") << Qt::LeftButton << QPoint(590, 10) << QPoint(W - 9, 10) << "nothing";
    QTest::newRow("click on minimise") << Qt::LeftButton << QPoint(550, 10) << QPoint(550, 10) << "minimised";
    QTest::newRow("click on the shared column") << Qt::LeftButton << QPoint(W - 51, 10) << QPoint(W - 51, 10) << "minimised";
    QTest::newRow("press on close, release on minimise") << Qt::LeftButton << QPoint(590, 10) << QPoint(540, 2) << "minimised";
    QTest::newRow("middle-button click on minimise") << Qt::MiddleButton << QPoint(550, 10) << QPoint(550, 10) << "minimised";
}

void ChromeTest::releaseActions()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, releaseAt);
    QFETCH(QString, outcome);
    ChromeApp app;
    Form1 &form = app.shown();
    QTest::mousePress(&form, button, {}, pressAt);
    if (releaseAt != pressAt)
        QTest::mouseMove(&form, releaseAt);
    QTest::mouseRelease(&form, button, {}, releaseAt);

    QCOMPARE(app.desktop.log, outcome == QLatin1String("end") ? QStringList{QStringLiteral("end:0")} : QStringList());
    QCOMPARE(app.desktop.endStatus().has_value(), outcome == QLatin1String("end"));
    QCOMPARE(form.isMinimized(), outcome == QLatin1String("minimised"));
}

void ChromeTest::minimiseKeepsPressedImageUntilRestored()
{
    ChromeApp app;
    Form1 &form = app.shown();
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(550, 10));
    QVERIFY(form.isMinimized());
    QCOMPARE(onScreen(form).pixelColor(kMinimiseFill), kPressedFill);
    form.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.repaint();
    QCOMPARE(onScreen(form).pixelColor(kMinimiseFill), kFill);
}

void ChromeTest::pageDragMovesOnlyThePanel()
{
    ChromeApp app;
    Form1 &form = app.shown();
    QList<QWidget *> panels;
    for (int Index = 0; Index < ControlArrays::kPanelCount; ++Index)
        panels.append(app.find<QWidget>(QStringLiteral("um(%1)").arg(Index)));
    QWidget *page = panels[1];
    page->move(40, 110);
    page->show();
    page->raise();
    QList<QPoint> places;
    for (QWidget *panel : panels)
        places.append(panel->pos());
    const QPoint windowAt = form.pos();

    // Moving over the page without a button moves and hides nothing.
    QTest::mouseMove(page, QPoint(10, 10));
    QTest::mouseMove(page, QPoint(20, 15));
    QCOMPARE(page->pos(), QPoint(40, 110));
    QVERIFY(page->isVisible());

    QTest::mousePress(page, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(page, QPoint(40, 30));
    QCOMPARE(page->pos(), QPoint(70, 130));
    // The page keeps the pointer where it was grabbed, 10 pixels in.
    QTest::mouseMove(page, QPoint(5, 5));
    QCOMPARE(page->pos(), QPoint(65, 125));
    QTest::mouseRelease(page, Qt::LeftButton, {}, QPoint(10, 10));
    places[1] = QPoint(65, 125);

    // After the release it stays where it was dropped.
    QTest::mouseMove(page, QPoint(50, 50));
    for (int Index = 0; Index < ControlArrays::kPanelCount; ++Index)
        QCOMPARE(panels[Index]->pos(), places[Index]);
    QCOMPARE(form.pos(), windowAt);
    QVERIFY(!app.desktop.endStatus());
}

void ChromeTest::copyNoticeHidesOnPointerMove()
{
    ChromeApp app;
    Form1 &form = app.shown();
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    auto *notice = app.find<QWidget>(QStringLiteral("um(7)"));
    QVERIFY(notice->isVisible());
    const QPoint noticeAt = notice->pos();
    // The pointer passing near it does nothing; over it, the notice goes.
    QTest::mouseMove(&form, noticeAt - QPoint(2, 2));
    QVERIFY(notice->isVisible());
    QTest::mouseMove(notice, QPoint(notice->width() / 2, notice->height() / 2));
    QVERIFY(!notice->isVisible());
    QCOMPARE(notice->pos(), noticeAt);
}

QTEST_MAIN(ChromeTest)
#include "test_chrome.moc"
