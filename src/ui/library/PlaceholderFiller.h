#pragma once

#include "placeholders/CommandFill.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class MultiLineBox;
class QCompleter;
class QInputMethodEvent;
class QKeyEvent;
class QStringListModel;

// The placeholders of the command in a details box, beyond the window's
// design and changing nothing it shows or copies but a value that must not
// reach a terminal: each "<中文说明>" is tinted
// and tells in its tooltip what to put there; a click selects it whole;
// what is typed into it fills every place of it, written for where it stands
// so that the shell reads exactly what was typed, and marked where it does
// not fit; an input method's text being composed is only shown, and what it
// commits goes in as typed text does; F3 and Shift+F3 go to the next and
// previous placeholder; the values typed for a placeholder are offered again
// in later commands of the run. The box's text is always what the command
// and its values make, so every place of a placeholder holds the same value.
class PlaceholderFiller : public QObject
{
    Q_OBJECT
public:
    explicit PlaceholderFiller(MultiLineBox *box);

    // What 复制 takes from the box: its text with its line ends, but no value
    // that would leave its place (CommandFill::copy).
    CommandFill::Copy copy() const;
    // Selects the command's first placeholder; false when it has none.
    bool chooseFirstPlace();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString boxText() const;
    void boxChanged(int position, int removed, int added);
    void show(qsizetype caret, int place);
    void markPlaces();
    int drawnAt(qsizetype position, bool end) const;
    void choose(int place);
    void chooseClickedPlace();
    bool keyPressed(const QKeyEvent *key);
    bool inputMethod(const QInputMethodEvent *event);
    void keepSelectionToCompose();
    void commit(const QInputMethodEvent *event);
    bool showTooltip(const QEvent *event);
    void offerValues();
    void takeOffer(const QString &value);
    void keepValues(const QHash<QString, QString> &values);

    MultiLineBox *m_box;
    QWidget *m_viewport; // the box's, kept: the filter still hears it while the box is being destroyed
    CommandFill m_fill;
    QString m_shown;     // the box's text as the fill last left it
    int m_active = -1;   // the place the user is typing into
    bool m_showing = false; // the box is being changed to the fill's text
    // What an input method's composing replaces when it commits: the box's
    // selection when composing began, or after the last commit. The
    // composing text is drawn at its start.
    qsizetype m_composeFrom = 0;
    qsizetype m_composeTo = 0;
    QString m_preedit;      // the text being composed
    bool m_passing = false; // an input method event is being passed on to the box
    QCompleter *m_completer;
    QStringListModel *m_offers;
    QHash<QString, QStringList> m_typed; // values typed in this run, by placeholder, newest first
};
