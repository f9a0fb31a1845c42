#pragma once

#include "ChromeGeometry.h"
#include "library/CommandStore.h"
#include "library/PinyinIndex.h"
#include "pages/TopicTexts.h"
#include "update/HttpTextFetch.h"
#include "update/UpdateSettings.h"

#include <QString>
#include <QWidget>

class Desktop;
class SkinLayer;
class MultiLineBox;
class NameListModel;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QTimer;

// What the window works with, from outside.
struct Form1Environment {
    QString appDir; // the application directory, where the database and skin lie
    Desktop &desktop;
    SkinLayer &skin;
    UpdateSettings update;
};

// The toolbox's one window: a frameless 617 x 542 window that paints its own
// frame and holds the command library, the topic bar and the tutorial pages.
// Controls and handlers keep the names of the window's design.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // The control arrays: the page panels, and with them the copy notice as
    // the last panel; the topic buttons; the command boxes and domain field.
    static constexpr int kPageCount = 7;
    static constexpr int kPanelCount = 8;
    static constexpr int kCopyNotice = 7;
    static constexpr int kTopicCount = TopicTexts::kTopicCount;
    static constexpr int kCommandBoxCount = 12;

    explicit Form1(const Form1Environment &environment, QWidget *parent = nullptr);
    ~Form1() override;

    // The start-up sequence: database, icon, list, skin, brand title, show,
    // update check. Returns false when the program was ended on the way.
    bool Form_Load();

    // Title of the message boxes of the pages and generators; set at start-up.
    const QString &brandTitle() const { return BrandTitle; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template<typename T> T *control(const QString &name) const;
    template<typename T> T *control(const char *array, int index) const;
    void bindLibrary();
    void bindPages();
    void bindChrome();
    void bindKeys();
    void centreOnScreen();
    // Ends the program; start-up goes no further.
    void endProgram(int status);

    // Command library.
    bool data();
    void read();
    void fillList(const QStringList &names);
    void reportQueryFailure();
    void Text1_Change();
    void List1_Click();
    void showCommand(const QString &command);
    void Command1_Click();
    void Timer2_Timer();
    bool m_listPressChose = false; // the press in progress on List1 chose a name

    // Keys beyond the design.
    bool keyPressed(QObject *watched, const QKeyEvent *key);
    void chooseFirstName();

    // Tutorial pages, sources page and subdomain tool.
    void Command5_Click(int Index);
    void al_Click(int Index);
    void Command3_Click();
    void Command4_Click();
    void Command6_Click();
    void Command7_Click();
    void showPage(int page);
    void tell(const QString &text);

    // Window chrome.
    void Form_Paint();
    void Form_MouseMove(int Button, float X, float Y);
    void Form_MouseDown(int Button, float X, float Y);
    void Form_MouseUp(int Button, float X, float Y);
    void um_MouseMove(int Index, int Button, float X, float Y);
    void closeProgram();
    void paintCopies(const QList<Chrome::Copy> &copies);
    QPixmap pictureOf(Chrome::Picture picture) const;
    void drawButtons(const QList<Chrome::Copy> &slices);
    void moveWithPointer(QPointF pointer);
    int panelIndex(const QObject *object) const;
    QList<Chrome::Copy> m_buttonSlices; // what the repaint in progress draws over the frame
    Chrome::PointerDrag m_windowDrag;   // a move of the window that the platform left to us
    Chrome::PointerDrag m_panelDrag;    // a page panel following the pointer

    // Update check. gx returns false when it ended the program.
    std::optional<QString> GetBody(const QUrl &url);
    bool gx();

    Desktop &m_desktop;
    SkinLayer &m_skin;
    const QString m_appDir;
    const UpdateSettings m_update;
    HttpTextFetch m_fetch;
    QString BrandTitle;
    bool m_ended = false;

    CommandStore conn;
    QString m_cutCommand; // the whole command while Text2 shows only its start
    NameListModel *m_names = nullptr;
    PinyinIndex m_pinyin; // the pinyin keys of every command's name

    QListView *List1 = nullptr;
    QRadioButton *Option1[2] = {};
    QLineEdit *Text1 = nullptr;
    MultiLineBox *Text2 = nullptr;
    QPushButton *Command1 = nullptr;
    QTimer *Timer2 = nullptr;
    QWidget *um[kPanelCount] = {};
    QLabel *al[kPageCount] = {};
    QPushButton *Command5[kTopicCount] = {};
    MultiLineBox *Text3 = nullptr;
    MultiLineBox *Text6 = nullptr;
    QLineEdit *Text4[kCommandBoxCount] = {};
    QLineEdit *Text5 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    QLabel *Image8 = nullptr;
    QLabel *Image9 = nullptr;
    QLabel *Image10 = nullptr;
};

template<typename T>
T *Form1::control(const QString &name) const
{
    T *widget = findChild<T *>(name);
    Q_ASSERT_X(widget, qPrintable(name), "control missing from the design");
    return widget;
}

template<typename T>
T *Form1::control(const char *array, int index) const
{
    return control<T>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index));
}
