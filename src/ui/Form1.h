#pragma once

#include "update/HttpTextFetch.h"
#include "update/UpdateSettings.h"

#include <QString>
#include <QWidget>

class CommandLibrary;
class Desktop;
class SkinLayer;
class TopicPages;
class WindowChrome;

// What the window works with, from outside.
struct Form1Environment {
    QString appDir; // the application directory, where the database and skin lie
    Desktop &desktop;
    SkinLayer &skin;
    UpdateSettings update;
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
    // update check. Returns false when the program was ended on the way.
    bool Form_Load();

    // Title of the message boxes of the pages and generators; set at start-up.
    const QString &brandTitle() const { return BrandTitle; }

private:
    void centreOnScreen();
    // Ends the program; start-up goes no further.
    void endProgram(int status);

    // The update check. gx returns false when the program was ended, by the
    // check or from the desktop while it waited or showed its box.
    std::optional<QString> GetBody(const QUrl &url);
    bool gx();

    Desktop &m_desktop;
    SkinLayer &m_skin;
    const QString m_appDir;
    const UpdateSettings m_update;
    HttpTextFetch m_fetch;
    QString BrandTitle;
    bool m_ended = false;

    CommandLibrary *m_library = nullptr;
    TopicPages *m_pages = nullptr;
    WindowChrome *m_chrome = nullptr;
};
