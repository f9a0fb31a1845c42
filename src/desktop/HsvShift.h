#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

// Shifting colours in hue, saturation and value, the way the skin's colours
// are adjusted: the hue turns by whole degrees around the colour circle,
// saturation and value move by percentage points and stop at 0 and 100.
// Saturation -100 turns every colour grey.
namespace Skin {

struct HsvShift {
    int hue = 0;        // degrees
    int saturation = 0; // percentage points
    int value = 0;      // percentage points
};

QColor shifted(const QColor &colour, HsvShift shift);
// Every colour of every group and role; the alpha is kept.
QPalette shifted(const QPalette &palette, HsvShift shift);
// Every colour written as #rgb, #rrggbb, #aarrggbb, rgb(r, g, b) or
// rgba(r, g, b, a) in the declarations of a style sheet; selectors, names
// and everything else stay as they are.
QString shiftedStyleSheet(const QString &styleSheet, HsvShift shift);

} // namespace Skin
