#pragma once

#include <QIcon>

// What names the program to the desktop.
namespace AppIdentity {

// The design's icon, in its three sizes.
QIcon designIcon();

// Sets the desktop file name (the installed menu entry's, cn.korvel.Tovanu)
// and the application icon (the installed one of that name, else the
// design's), by which the taskbar, the window switcher and a Wayland
// compositor show the program although its window has no icon of its own.
void install();

} // namespace AppIdentity
