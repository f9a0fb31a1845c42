// The skin: shifting colours in hue, saturation and value, attaching the skin
// file, and the shipped skin under the window's painted frame.
#include "TestApp.h"

#include "desktop/HsvShift.h"
#include "desktop/StyleSheetSkin.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

const QColor kTitleFill(0x12, 0x12, 0x12);

// The colours of a style sheet written as #rrggbb, rgb() or rgba().
QList<QColor> coloursIn(const QString &styleSheet)
{
    QList<QColor> colours;
    static const QRegularExpression hex(QStringLiteral(R"(#[0-9a-fA-F]{6}\b)"));
    static const QRegularExpression rgb(QStringLiteral(R"(rgba?\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+))"));
    for (const auto &match : hex.globalMatch(styleSheet))
        colours.append(QColor::fromString(match.captured(0)));
    for (const auto &match : rgb.globalMatch(styleSheet))
        colours.append(QColor(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()));
    return colours;
}

bool isGrey(const QColor &colour)
{
    return colour.red() == colour.green() && colour.green() == colour.blue();
}

} // namespace

class SkinTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shiftsKnownColours_data();
    void shiftsKnownColours();
    void shiftsStyleSheetColoursOnly();
    void shiftsEveryPaletteColour();

    void unreadableSkinFileLeavesTheDefaultLook_data();
    void unreadableSkinFileLeavesTheDefaultLook();
    void adjustingStartsFromTheAttachedSkin();
    void shippedSkinTurnsGreyUnderTheFrame();

private:
    QPalette m_defaultPalette;
};

void SkinTest::init()
{
    m_defaultPalette = QApplication::palette();
}

// The skin belongs to the whole application: each test starts without one.
void SkinTest::cleanup()
{
    qApp->setStyleSheet(QString());
    QApplication::setPalette(m_defaultPalette);
}

void SkinTest::shiftsKnownColours_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("saturation");
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("grey keeps its brightness") << QColor(0x3a, 0x6e, 0xa5) << 0 << -100 << 0 << QColor(0xa5, 0xa5, 0xa5);
    QTest::newRow("red turns white") << QColor(Qt::red) << 0 << -100 << 0 << QColor(Qt::white);
    QTest::newRow("a quarter less saturated") << QColor(0x80, 0x40, 0x40) << 0 << -25 << 0 << QColor(0x80, 0x60, 0x60);
    QTest::newRow("hue +120") << QColor(Qt::red) << 120 << 0 << 0 << QColor(Qt::green);
    QTest::newRow("hue +180 wraps") << QColor(Qt::blue) << 180 << 0 << 0 << QColor(Qt::yellow);
    QTest::newRow("hue -120 wraps") << QColor(Qt::red) << -120 << 0 << 0 << QColor(Qt::blue);
    QTest::newRow("hue of grey") << QColor(0x80, 0x80, 0x80) << 90 << 0 << 0 << QColor(0x80, 0x80, 0x80);
    QTest::newRow("grey saturated turns red") << QColor(0x80, 0x80, 0x80) << 0 << 100 << 0 << QColor(0x80, 0, 0);
    QTest::newRow("value -40") << QColor(Qt::white) << 0 << 0 << -40 << QColor(0x99, 0x99, 0x99);
    QTest::newRow("value stops at 100") << QColor(0xcc, 0, 0) << 0 << 0 << 50 << QColor(Qt::red);
    QTest::newRow("value stops at 0") << QColor(0x33, 0, 0) << 0 << 0 << -50 << QColor(Qt::black);
    QTest::newRow("saturation stops at 100") << QColor(0xcc, 0x33, 0x33) << 0 << 50 << 0 << QColor(0xcc, 0, 0);
    QTest::newRow("alpha kept") << QColor(255, 0, 0, 128) << 0 << -100 << 0 << QColor(255, 255, 255, 128);
    QTest::newRow("nothing") << QColor(0x12, 0x34, 0x56) << 0 << 0 << 0 << QColor(0x12, 0x34, 0x56);
}

void SkinTest::shiftsKnownColours()
{
    QFETCH(QColor, colour);
    QFETCH(int, hue);
    QFETCH(int, saturation);
    QFETCH(int, value);
    QFETCH(QColor, expected);
    QCOMPARE(Skin::shifted(colour, {hue, saturation, value}).name(QColor::HexArgb), expected.name(QColor::HexArgb));
}

void SkinTest::shiftsStyleSheetColoursOnly()
{
    const QString sheet = QStringLiteral(
        "/* greys */\n"
        "Form1, QLabel#abc, QLabel#Bad { color: #f00; background: #3A6EA5 }\n"
        "QPushButton:hover { border: 1px solid rgb(58,110,165); background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, "
        "stop: 0 rgba(255, 0, 0, 128), stop: 1 #80ff0000); }\n"
        "QListView { selection-color: #fffa; color: white }\n");
    const QString expected = QStringLiteral(
        "/* greys */\n"
        "Form1, QLabel#abc, QLabel#Bad { color: #ffffff; background: #a5a5a5 }\n"
        "QPushButton:hover { border: 1px solid rgb(165, 165, 165); background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, "
        "stop: 0 rgba(255, 255, 255, 128), stop: 1 #80ffffff); }\n"
        "QListView { selection-color: #fffa; color: white }\n");
    QCOMPARE(Skin::shiftedStyleSheet(sheet, {0, -100, 0}), expected);
}

void SkinTest::shiftsEveryPaletteColour()
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    palette.setColor(QPalette::Disabled, QPalette::Link, QColor(0, 0, 0xff, 0x80));
    palette.setColor(QPalette::Inactive, QPalette::Window, QColor(0xef, 0xef, 0xef));
    const QPalette grey = Skin::shifted(palette, {0, -100, 0});
    QCOMPARE(grey.color(QPalette::Active, QPalette::Highlight), QColor(0xc6, 0xc6, 0xc6));
    QCOMPARE(grey.color(QPalette::Disabled, QPalette::Link), QColor(0xff, 0xff, 0xff, 0x80));
    QCOMPARE(grey.color(QPalette::Inactive, QPalette::Window), QColor(0xef, 0xef, 0xef));
}

void SkinTest::unreadableSkinFileLeavesTheDefaultLook_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("missing") << QByteArray("missing");
    QTest::newRow("a directory") << QByteArray("directory");
    QTest::newRow("a pipe nobody writes") << QByteArray("pipe");
}

// Start-up goes on with the default look and shows the window.
void SkinTest::unreadableSkinFileLeavesTheDefaultLook()
{
    QFETCH(QByteArray, kind);
    TestApp app;
    const QString path = QDir(app.appDir()).filePath(QStringLiteral("skinh.she"));
    if (kind == "directory")
        QVERIFY(QDir().mkdir(path));
    else if (kind == "pipe")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    StyleSheetSkin skin;
    Form1 form({app.appDir(), app.desktop, skin, TestApp::refusingUpdate()});
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);

    QVERIFY(form.Form_Load());
    QVERIFY(form.isVisible());
    QVERIFY(qApp->styleSheet().isEmpty());
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), highlight);
    QVERIFY(!isGrey(highlight));
    QVERIFY(!app.desktop.endStatus());
}

void SkinTest::adjustingStartsFromTheAttachedSkin()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("skinh.she"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("QLabel { color: #ff0000; }");
    file.close();

    StyleSheetSkin skin;
    skin.attachEx(path, QString());
    // Applied as attached once the program handles its events.
    QCoreApplication::processEvents();
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: #ff0000; }"));
    skin.adjustHsv(120, 0, 0);
    skin.adjustHsv(120, 0, 0);
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: #00ff00; }"));
    skin.adjustHsv(0, 0, 0);
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: #ff0000; }"));
}

// The skin beside the program, attached and turned grey at start-up: every
// colour it sets is grey, the window takes its background from it, and the
// frame is still painted over it.
void SkinTest::shippedSkinTurnsGreyUnderTheFrame()
{
    QFile shipped(QStringLiteral(TOVANU_SKIN_SOURCE));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QList<QColor> written = coloursIn(QString::fromUtf8(shipped.readAll()));
    QVERIFY(!std::all_of(written.cbegin(), written.cend(), isGrey));
    TestApp app;
    QVERIFY(shipped.copy(QDir(app.appDir()).filePath(QStringLiteral("skinh.she"))));
    StyleSheetSkin skin;
    Form1 form({app.appDir(), app.desktop, skin, TestApp::refusingUpdate()});
    QVERIFY(form.Form_Load());

    const QList<QColor> colours = coloursIn(qApp->styleSheet());
    QCOMPARE(colours.size(), written.size());
    for (const QColor &colour : colours)
        QVERIFY2(isGrey(colour), qPrintable(colour.name()));
    QVERIFY(isGrey(QApplication::palette().color(QPalette::Highlight)));

    const QImage shown = form.grab().toImage();
    QCOMPARE(shown.pixelColor(300, 95), kTitleFill);
    QCOMPARE(shown.pixelColor(300, 102), QColor(0xdc, 0xdc, 0xdc));
    QCOMPARE(shown.pixelColor(1, 300), kTitleFill);
}

QTEST_MAIN(SkinTest)
#include "test_skin.moc"
