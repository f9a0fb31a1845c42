#pragma once

#include "Design.h"

#include <QFont>

// The window's fonts: "微软雅黑" where it exists, otherwise a font with the
// same role on this system, so that every Chinese text renders.
namespace Fonts {
// The default font: Chinese characters 12 pixels high.
QFont defaultFont();
QFont designFont(Design::Font font);
}
