#pragma once

#include "TabChain.h"
#include "update/UpdateSettings.h"
#include "update/VersionCheck.h"

#include <QString>
#include <QWidget>

class CommandLibrary;
class Desktop;
class LibraryLoad;
class SkinLayer;
class TopicPages;
class UpdateCheck;
class WindowChrome;

// What the window works with, from outside.
struct Form1Environment {
    QString appDir; // the application directory, where the database and skin lie
    Desktop &desktop;
    SkinLayer &skin;
    UpdateSettings update;
    // The command library's loading, started by the program before the
    // window; null: start-up loads it when it opens the database.
    LibraryLoad *libraryLoad = nullptr;
};

// The toolbox's one window: a frameless 617 x 542 window that paints its own
// frame. It is the frame of three parts, each with its own controls and
// handlers: the command library, the topic pages and the window chrome. The
// window builds the design, hands each part its controls and runs start-up.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(const Form1Environment &environment, QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up sequence: database, icon, list, skin, brand title, show,
    // and the start of the update check, whose verdict comes while the
    // program runs. Returns false when the program could not start (its
    // database cannot be opened) and has been ended.
    bool Form_Load();

    // Title of the message boxes of the pages and generators; set at start-up.
    const QString &brandTitle() const { return BrandTitle; }

protected:
    // Tab and Shift+Tab, from whichever control has the focus.
    bool focusNextPrevChild(bool next) override;

private:
    void centreOnScreen();
    // The search box, from anywhere in the window, its text to be typed over.
    void goToSearch();
    // The one way the program ends (the close box, the desktop's close, no
    // database, a new version): the update check stops, so that nothing of
    // the program runs after its end, and the desktop ends the program and
    // keeps the record of it (Desktop::endStatus).
    void endProgram(int status);

    // The update check: gx starts it; its verdict is acted on when it comes.
    void gx();
    void gx_Answered(const VersionCheck::Verdict &verdict);

    Desktop &m_desktop;
    SkinLayer &m_skin;
    const QString m_appDir;
    const QUrl m_forumUrl;
    const bool m_checkAtStart;
    QString BrandTitle;
    TabChain m_tabChain;

    UpdateCheck *m_update = nullptr;
    CommandLibrary *m_library = nullptr;
    TopicPages *m_pages = nullptr;
    WindowChrome *m_chrome = nullptr;
};
