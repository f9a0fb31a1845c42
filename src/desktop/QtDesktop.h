#pragma once

#include "Desktop.h"

#include <memory>

class QAbstractNativeEventFilter;
class QWidget;

// The real desktop: QMessageBox, the system clipboard, QDesktopServices.
class QtDesktop final : public Desktop
{
public:
    QtDesktop();
    ~QtDesktop() override;

    // Message boxes are centred over this window once it is set.
    // Closing it from the desktop ends the program, also while a box is open.
    void setWindow(QWidget *window);

    Answer messageBox(const QString &text, Style style, const QString &title) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    void openUrl(const QUrl &url) override;

protected:
    void quit(int status) override;

private:
    QWidget *m_window = nullptr;
    std::unique_ptr<QAbstractNativeEventFilter> m_closeFilter;
};
