#include "QtDesktop.h"

#include "ScreenFittedBox.h"
#include "platform/BlockedClose.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>

QtDesktop::QtDesktop() = default;
QtDesktop::~QtDesktop() = default;

void QtDesktop::setWindow(QWidget *window)
{
    m_window = window;
    m_closeFilter = blockedCloseFilter(window);
}

Desktop::Answer QtDesktop::messageBox(const QString &text, Style style, const QString &title)
{
    // Nothing comes up once the program has ended.
    if (endStatus())
        return Answer::No;
    ScreenFittedBox box(m_window);
    box.setWindowTitle(title.isEmpty() ? QCoreApplication::applicationName() : title);
    // Texts are shown as written; one that reads like markup (a version from
    // the update server) is not rendered.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (style) {
    case Style::Plain:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Style::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Style::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Style::InformationYesNo:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

void QtDesktop::clearClipboard()
{
    QGuiApplication::clipboard()->clear();
}

void QtDesktop::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtDesktop::openUrl(const QUrl &url)
{
    // Nothing leaves the program once it has ended.
    if (endStatus())
        return;
    QDesktopServices::openUrl(url);
}

// The window goes and every event loop returns: a wait or a box in progress
// returns to its caller, a loop entered afterwards returns at once, and main
// returns the status. Destroying the application then hands the clipboard to
// the desktop's clipboard manager.
void QtDesktop::quit(int status)
{
    if (m_window)
        m_window->hide();
    QCoreApplication::exit(status);
}
