#pragma once

#include "Desktop.h"

class QWidget;

// The real desktop: QMessageBox, the system clipboard, QDesktopServices.
class QtDesktop final : public Desktop
{
public:
    // Message boxes are centred over this window once it is set.
    void setWindow(QWidget *window) { m_window = window; }

    Answer messageBox(const QString &text, Style style, const QString &title) override;
    void clearClipboard() override;
    void setClipboardText(const QString &text) override;
    void openUrl(const QUrl &url) override;

protected:
    void quit(int status) override;

private:
    QWidget *m_window = nullptr;
};
