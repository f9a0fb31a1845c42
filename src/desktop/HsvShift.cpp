#include "HsvShift.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Skin {

namespace {

constexpr float kDegrees = 360;
constexpr float kPercent = 100;

float turned(float hue, int degrees)
{
    // Grey has no hue; it turns from red, as the colour circle starts there.
    const float start = hue < 0 ? 0 : hue;
    const float turnedHue = std::fmod(start + degrees / kDegrees, 1.0f);
    return turnedHue < 0 ? turnedHue + 1 : turnedHue;
}

float moved(float amount, int points)
{
    return std::clamp(amount + points / kPercent, 0.0f, 1.0f);
}

// A colour in a declaration: a hexadecimal one, or rgb()/rgba() with the
// alpha kept as written.
const QRegularExpression &colourPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(#(?:[0-9a-fA-F]{8}|[0-9a-fA-F]{6}|[0-9a-fA-F]{3})\b)"
                       R"(|\b(rgba?)\(\s*(\d{1,3})\s*,\s*(\d{1,3})\s*,\s*(\d{1,3})\s*(,[^)]*)?\))"));
    return pattern;
}

QString shiftedColour(const QRegularExpressionMatch &match, HsvShift shift)
{
    const QString written = match.captured(0);
    if (written.startsWith(QLatin1Char('#'))) {
        const QColor colour = shifted(QColor::fromString(written), shift);
        return colour.name(written.size() == 9 ? QColor::HexArgb : QColor::HexRgb);
    }
    const QColor colour = shifted(QColor(std::min(match.captured(2).toInt(), 255), std::min(match.captured(3).toInt(), 255),
                                         std::min(match.captured(4).toInt(), 255)),
                                  shift);
    return QStringLiteral("%1(%2, %3, %4%5)")
        .arg(match.captured(1))
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(match.captured(5));
}

QString shiftedDeclarations(QStringView declarations, HsvShift shift)
{
    QString result;
    qsizetype done = 0;
    auto matches = colourPattern().globalMatch(declarations);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += declarations.mid(done, match.capturedStart() - done);
        result += shiftedColour(match, shift);
        done = match.capturedEnd();
    }
    result += declarations.mid(done);
    return result;
}

} // namespace

QColor shifted(const QColor &colour, HsvShift shift)
{
    float hue = 0, saturation = 0, value = 0, alpha = 0;
    colour.getHsvF(&hue, &saturation, &value, &alpha);
    return QColor::fromHsvF(turned(hue, shift.hue), moved(saturation, shift.saturation), moved(value, shift.value), alpha)
        .toRgb();
}

QPalette shifted(const QPalette &palette, HsvShift shift)
{
    QPalette result = palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const auto colourRole = QPalette::ColorRole(role);
            QBrush brush = palette.brush(group, colourRole);
            brush.setColor(shifted(brush.color(), shift));
            result.setBrush(group, colourRole, brush);
        }
    }
    return result;
}

QString shiftedStyleSheet(const QString &styleSheet, HsvShift shift)
{
    // Only what lies between braces is a declaration; selectors such as
    // #Form1 are left alone.
    QString result;
    qsizetype start = 0;
    int depth = 0;
    for (qsizetype i = 0; i < styleSheet.size(); ++i) {
        const QChar c = styleSheet.at(i);
        if (c != QLatin1Char('{') && c != QLatin1Char('}'))
            continue;
        const QStringView part = QStringView(styleSheet).mid(start, i - start);
        result += depth > 0 ? shiftedDeclarations(part, shift) : part.toString();
        result += c;
        depth = std::max(0, depth + (c == QLatin1Char('{') ? 1 : -1));
        start = i + 1;
    }
    const QStringView rest = QStringView(styleSheet).mid(start);
    result += depth > 0 ? shiftedDeclarations(rest, shift) : rest.toString();
    return result;
}

} // namespace Skin
