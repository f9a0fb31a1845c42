#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Everything that leaves the window goes through here: message boxes, the
// clipboard, handing a URL to the browser and ending the program. The program
// uses QtDesktop; the tests use a fake that records every call.
class Desktop
{
public:
    // Message box looks, numbered as the program has always numbered them.
    enum class Style { Plain = 0, Exclamation = 48, Information = 64, InformationYesNo = 68 };
    enum class Answer { Ok = 1, Yes = 6, No = 7 };

    virtual ~Desktop() = default;

    // A modal box; an empty title shows the application's title.
    virtual Answer messageBox(const QString &text, Style style, const QString &title) = 0;
    virtual void clearClipboard() = 0;
    virtual void setClipboardText(const QString &text) = 0;
    // Opens the URL in the user's browser without waiting for it.
    virtual void openUrl(const QUrl &url) = 0;
    // Ends the program with the given status. This is the one record of the
    // program's end: the first call ends it, later calls change nothing, and
    // whoever must not act once the program has ended (a box, the update
    // check's verdict, main's status) asks endStatus(). Every way the
    // program ends comes here, through Form1::endProgram.
    void end(int status)
    {
        if (m_endStatus)
            return;
        m_endStatus = status;
        quit(status);
    }
    // The status the program was ended with; nothing while it runs.
    std::optional<int> endStatus() const { return m_endStatus; }

    // Every copy empties the clipboard first, then puts plain text on it.
    void copy(const QString &text)
    {
        clearClipboard();
        setClipboardText(text);
    }

protected:
    // Ends the program on this desktop through its normal exit: the window
    // goes at once, every event loop returns, nothing is shown after it, and
    // the clipboard stays with the desktop.
    virtual void quit(int status) = 0;

private:
    std::optional<int> m_endStatus;
};
