#include "Fonts.h"

#include <QStringList>

namespace {

const QStringList &families()
{
    static const QStringList list = {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                                     QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")};
    return list;
}

// Point sizes of the design turned into pixels at the design's 96 dots per
// inch, so that text keeps its size whatever the screen reports.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kDefaultPoints = 9.0;

// Every property is set, so that none is taken from the desktop's font: a
// control keeps the design's font whatever the desktop's settings.
QFont fontOf(double points)
{
    QFont font;
    font.setFamilies(families());
    font.setPixelSize(qRound(points * kPixelsPerPoint));
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setOverline(false);
    font.setStretch(QFont::Unstretched);
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    font.setWordSpacing(0);
    font.setCapitalization(QFont::MixedCase);
    font.setKerning(true);
    font.setFixedPitch(false);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferDefaultHinting);
    return font;
}

} // namespace

namespace Fonts {

QFont defaultFont()
{
    return fontOf(kDefaultPoints);
}

QFont designFont(Design::Font font)
{
    switch (font) {
    case Design::Font::YaHei105:
        return fontOf(10.5);
    case Design::Font::YaHei12:
        return fontOf(12.0);
    case Design::Font::YaHei1425:
        return fontOf(14.25);
    case Design::Font::Default:
        break;
    }
    return defaultFont();
}

} // namespace Fonts
