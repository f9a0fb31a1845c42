#include "platform/BlockedClose.h"

// Built without X11 support: the other platforms deliver the close request
// to a window while a box is open.
std::unique_ptr<QAbstractNativeEventFilter> blockedCloseFilter(QWidget *)
{
    return nullptr;
}
