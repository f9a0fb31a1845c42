#pragma once

#include <QAbstractNativeEventFilter>

#include <memory>

class QWidget;

// The desktop's request to close the window while a message box is open.
// Where the platform drops it for a window that a modal box blocks (X11), the
// filter takes it and hands it to the window as a close of its own, which ends
// the program whatever is open. The filter does nothing where the desktop is
// not X11; none is made where the program was built without X11 support.
std::unique_ptr<QAbstractNativeEventFilter> blockedCloseFilter(QWidget *window);
