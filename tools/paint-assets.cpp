// Paints the toolbox's pictures: the frame and button sprites the window
// draws its chrome from, the title banner, the close image of the pages, the
// hand cursor of the command list and the window icon (also the installed
// program's icon, in larger sizes).
//
//   paint-assets DIRECTORY   writes the PNG files into DIRECTORY
//
// The sprites are copied region by region onto the window, so their rows,
// columns and colours are exact; the pictures are written as PNG to keep them
// so. The banner needs the WenQuanYi Micro Hei font for its Chinese text.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstdio>
#include <functional>

namespace {

const QColor kBorder(0x09, 0x09, 0x09);
const QColor kFill(0x12, 0x12, 0x12);
const QColor kHoverFill(0x2f, 0x2f, 0x2f);
const QColor kPressedFill(0x44, 0x44, 0x44);
const QColor kGlyph(Qt::white);
const QColor kCloseDisc(0x3a, 0x3a, 0x3a);

const QString kBannerFont = QStringLiteral("WenQuanYi Micro Hei");
const QString kTitle = QStringLiteral("Tovanu 新手工具箱");
const QString kVersion = QStringLiteral("V1.1");
const QString kSubtitle = QStringLiteral("专为Ubuntu系统新手打造，帮你避开常见的坑");

QImage blank(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Frame sprite, 13 x 101: a one-pixel border around the title fill. The window
// takes its title area from rows 0-99, its side edges from rows 68-95 and its
// bottom edge from rows 96-100.
QImage frameSprite()
{
    QImage image(13, 101, QImage::Format_RGB32);
    image.fill(kBorder);
    QPainter painter(&image);
    painter.fillRect(QRect(1, 1, 11, 99), kFill);
    return image;
}

// Button sprite, 70 x 69: three state bands one below the other, each with the
// minimise bar in columns 9-20 and the close cross right of the separator
// column 29. The glyphs sit at the same rows of every slice the window copies.
QImage buttonSprite()
{
    struct Band {
        int top, height;
        QColor fill;
        int barTop;   // first of the four rows of the minimise bar
        int crossTop; // first of the ten rows of the close cross
    };
    const Band bands[] = {
        {0, 21, kFill, 8, 5},
        {21, 20, kHoverFill, 29, 26},
        {41, 28, kPressedFill, 49, 47},
    };
    constexpr int kWidth = 70;
    constexpr int kSeparator = 29;
    constexpr int kBarLeft = 9, kBarWidth = 12, kBarHeight = 4;
    constexpr int kCrossLeft = 42, kCrossWidth = 16, kCrossHeight = 10;
    constexpr qreal kCrossPen = 1.7;

    QImage image(kWidth, 69, QImage::Format_RGB32);
    QPainter painter(&image);
    for (const Band &band : bands) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRect(0, band.top, kWidth, band.height), band.fill);
        painter.fillRect(QRect(kBarLeft, band.barTop, kBarWidth, kBarHeight), kGlyph);

        painter.save();
        const QRectF cross(kCrossLeft, band.crossTop, kCrossWidth, kCrossHeight);
        painter.setClipRect(cross);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(kGlyph, kCrossPen, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.topRight(), cross.bottomLeft());
        painter.restore();
    }
    painter.fillRect(QRect(kSeparator, 0, 1, image.height()), kGlyph);
    return image;
}

// The round logo: a ring around a shell prompt, white on the dark fill.
void paintLogo(QPainter &painter, const QRectF &box, bool filled)
{
    const qreal size = box.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (filled) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kFill);
        painter.drawEllipse(box);
    }
    const qreal ring = qMax<qreal>(1.0, size / 16);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kGlyph, ring));
    painter.drawEllipse(box.adjusted(ring, ring, -ring, -ring));

    const qreal stroke = qMax<qreal>(1.0, size / 11);
    painter.setPen(QPen(kGlyph, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const QPointF c = box.center();
    const qreal u = size / 8;
    painter.drawPolyline(QPolygonF({c + QPointF(-2.0 * u, -1.4 * u), c + QPointF(-0.6 * u, 0), c + QPointF(-2.0 * u, 1.4 * u)}));
    painter.drawLine(c + QPointF(0.2 * u, 1.4 * u), c + QPointF(2.2 * u, 1.4 * u));
    painter.restore();
}

QFont bannerFont(int pixelSize)
{
    QFont font(kBannerFont);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Title banner, 428 x 70: the logo, the title with its version and a one-line
// subtitle, white on the title fill.
QImage titleBanner()
{
    QImage image(428, 70, QImage::Format_RGB32);
    image.fill(kFill);
    QPainter painter(&image);
    paintLogo(painter, QRectF(4, 7, 56, 56), false);

    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(kGlyph);
    const QFont title = bannerFont(24);
    painter.setFont(title);
    constexpr int kTextLeft = 72;
    constexpr int kTitleBaseline = 34;
    painter.drawText(QPoint(kTextLeft, kTitleBaseline), kTitle);
    const int versionLeft = kTextLeft + QFontMetrics(title).horizontalAdvance(kTitle + QLatin1Char(' '));
    painter.setFont(bannerFont(15));
    painter.drawText(QPoint(versionLeft, kTitleBaseline), kVersion);

    painter.setFont(bannerFont(13));
    painter.setPen(QColor(0xd0, 0xd0, 0xd0));
    painter.drawText(QPoint(kTextLeft, 57), kSubtitle);
    return image;
}

// Close image of the pages, 21 x 21: a white cross on a dark disc.
QImage closeImage()
{
    QImage image = blank(QSize(21, 21));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCloseDisc);
    painter.drawEllipse(QRectF(0.5, 0.5, 20, 20));
    painter.setPen(QPen(kGlyph, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 7), QPointF(14, 14));
    painter.drawLine(QPointF(14, 7), QPointF(7, 14));
    return image;
}

// Hand cursor of the command list, 32 x 32, black on white like a monochrome
// cursor; the tip of the index finger is at (5, 0), the hot spot.
QImage handCursor()
{
    const QPolygon hand({
        {4, 0}, {6, 0}, {7, 1}, {7, 9},                                    // index finger, right side
        {8, 8}, {10, 8}, {11, 9}, {11, 10}, {12, 9}, {14, 9}, {15, 10},    // folded fingers
        {15, 11}, {16, 10}, {18, 10}, {19, 11}, {19, 20},
        {18, 23}, {16, 26}, {16, 29}, {6, 29}, {6, 27},                    // palm and wrist
        {2, 21}, {0, 17}, {0, 15}, {1, 14}, {2, 14}, {3, 15}, {3, 1},      // thumb, index finger left side
    });
    QImage image = blank(QSize(32, 32));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawPolygon(hand);
    painter.drawLine(11, 10, 11, 13);
    painter.drawLine(15, 11, 15, 14);
    return image;
}

// Window icon: the logo on a dark disc.
QImage windowIcon(int size)
{
    QImage image = blank(QSize(size, size));
    QPainter painter(&image);
    paintLogo(painter, QRectF(0, 0, size, size), true);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint-assets DIRECTORY\n");
        return EXIT_FAILURE;
    }
    if (!QFontDatabase::families().contains(kBannerFont)) {
        std::fprintf(stderr, "paint-assets: the font %s is not installed\n", qPrintable(kBannerFont));
        return EXIT_FAILURE;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QList<std::pair<const char *, std::function<QImage()>>> pictures = {
        {"frame-sprite.png", frameSprite},
        {"button-sprite.png", buttonSprite},
        {"title-banner.png", titleBanner},
        {"close-image.png", closeImage},
        {"list-cursor.png", handCursor},
        {"window-icon-16.png", [] { return windowIcon(16); }},
        {"window-icon-32.png", [] { return windowIcon(32); }},
        {"window-icon-48.png", [] { return windowIcon(48); }},
        // The sizes of the installed program's icon beyond the window's own.
        {"window-icon-128.png", [] { return windowIcon(128); }},
        {"window-icon-256.png", [] { return windowIcon(256); }},
    };
    for (const auto &[name, paint] : pictures) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!paint().save(path, "PNG")) {
            std::fprintf(stderr, "paint-assets: cannot write %s\n", qPrintable(path));
            return EXIT_FAILURE;
        }
    }
    return EXIT_SUCCESS;
}
