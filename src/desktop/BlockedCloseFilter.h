#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>

#include <cstdint>

class QWidget;

// The desktop's request to close the window (WM_DELETE_WINDOW, on X11) while
// a message box is open. Qt drops it for a window that a modal box blocks, so
// it is taken here and handed to the window as a close of its own, which ends
// the program whatever is open.
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
