#include "platform/BlockedClose.h"
#include "platform/ClipboardKeeper.h"

#include <cstdlib>

// Built without X11 support: the other platforms deliver the close request to
// a window while a box is open, and keep a copied text in the desktop itself.

std::unique_ptr<QAbstractNativeEventFilter> blockedCloseFilter(QWidget *)
{
    return nullptr;
}

namespace ClipboardKeeper {

void handOver()
{
}

int serve(int, char *[])
{
    return EXIT_FAILURE;
}

} // namespace ClipboardKeeper
