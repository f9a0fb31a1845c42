#pragma once

#include "library/CommandIndex.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

class DesignBuilder;
class Desktop;
class LibraryLoad;
class MultiLineBox;
class NameListModel;
class PlaceholderFiller;
class QKeyEvent;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

// The command library of the window: the list of names (List1), the search
// box (Text1) with its options (Option1), the details box (Text2), the copy
// button (Command1) and the copy notice that Timer2 takes away again. It
// owns the command library in memory and the list's model, whose entries are
// rows of the library.
class CommandLibrary : public QObject
{
    Q_OBJECT
public:
    struct Controls {
        QListView *List1;
        QRadioButton *Option1[2];
        QLineEdit *Text1;
        MultiLineBox *Text2;
        QPushButton *Command1;
        QWidget *notice; // um(7), centred on the window when shown

        static Controls of(const DesignBuilder &design);
    };

    // load: the library's loading, started early by the program; without
    // one, the library is loaded when start-up opens the database.
    CommandLibrary(const Controls &controls, Desktop &desktop, const QString &appDir, LibraryLoad *load,
                   QObject *parent);

    // Opens the command database and reads its names. When it cannot be
    // opened, the user is told and false is returned: the program cannot go on.
    bool data();
    // Lists every command; the names are read from the database the first
    // time, and the rest of the library is then read while the window idles.
    void read();
    // Start-up leaves the focus in the list.
    void focusList();
    // The focus in the search box, its text selected to be typed over.
    void focusSearch();
    // Beyond the design: searches by name for the entry and chooses the first
    // name found, which shows its command.
    void showEntry(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reportOpenFailure(const QString &reason);
    void fillList(const std::vector<int> &rows);
    void prepareSlice();
    void reportQueryFailure(const QString &text);
    void Text1_Change();
    // Searches for the box's term, preparing what it needs for at most
    // prepareFor; what is still missing then is waited for.
    void search(std::chrono::milliseconds prepareFor);
    void List1_Click();
    void showCommand(const QString &command);
    void Command1_Click();
    void Timer2_Timer();

    // Keys beyond the design.
    bool keyPressed(QObject *watched, const QKeyEvent *key);
    void chooseFirstName();

    Desktop &m_desktop;
    const QString m_appDir;
    LibraryLoad *m_load;
    CommandIndex conn;
    // How reading the names went while the library was opened, until the
    // list is first filled.
    std::optional<Result<void>> m_namesReadAtStart;
    bool m_namesRead = false;
    bool m_prepareAfterPaint = false; // preparing starts when the list is first painted
    bool m_searchWaiting = false; // a search waits for what is not yet prepared
    CommandIndex::Column m_searchColumn = CommandIndex::Column::Name; // searched last
    QString m_cutCommand;      // the whole command while Text2 shows only its start
    bool m_listPressChose = false; // the press in progress on List1 chose a name

    Controls c; // the controls of the part, by their design names
    QTimer *Timer2;
    QTimer *m_preparing; // reads the rest of the library, a slice at a time
    NameListModel *m_names;
    PlaceholderFiller *m_filler; // the placeholders of Text2
};
