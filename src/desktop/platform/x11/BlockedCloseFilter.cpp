#include "platform/BlockedClose.h"

#include "XcbAtom.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace {

constexpr char kXcbEvent[] = "xcb_generic_event_t";
// The top bit of an event's type tells that another client sent it.
constexpr uint8_t kSentEventBit = 0x80;

// WM_DELETE_WINDOW, which Qt drops for a window that a modal box blocks.
class BlockedCloseFilter final : public QAbstractNativeEventFilter
{
public:
    explicit BlockedCloseFilter(QWidget *window);
    ~BlockedCloseFilter() override;
    BlockedCloseFilter(const BlockedCloseFilter &) = delete;
    BlockedCloseFilter &operator=(const BlockedCloseFilter &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QPointer<QWidget> m_window;
    // The X atoms of the request; none where the desktop is not X11.
    uint32_t m_protocols = 0;
    uint32_t m_deleteWindow = 0;
};

} // namespace

BlockedCloseFilter::BlockedCloseFilter(QWidget *window)
    : m_window(window)
{
    xcb_connection_t *connection = xcbConnection();
    if (!connection)
        return;
    m_protocols = xcbAtom(connection, "WM_PROTOCOLS");
    m_deleteWindow = xcbAtom(connection, "WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

BlockedCloseFilter::~BlockedCloseFilter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool BlockedCloseFilter::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != kXcbEvent || !m_window || !QGuiApplication::modalWindow())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~kSentEventBit) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *request = static_cast<const xcb_client_message_event_t *>(message);
    if (request->window != m_window->internalWinId() || request->type != m_protocols
        || request->data.data32[0] != m_deleteWindow)
        return false;
    // Closed from the event loop, outside the platform's handling of the
    // request: QWidget::close sends the close to the window itself.
    QMetaObject::invokeMethod(m_window, [window = m_window] { if (window) window->close(); }, Qt::QueuedConnection);
    return true;
}

std::unique_ptr<QAbstractNativeEventFilter> blockedCloseFilter(QWidget *window)
{
    return std::make_unique<BlockedCloseFilter>(window);
}
