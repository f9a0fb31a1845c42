// Keys beyond the window's design, changing nothing it defines: Enter on a
// chosen name copies its command, Down leads from the search box into the
// list and onto its first entry, Esc closes the page on top.
#include "Form1.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>

void Form1::bindKeys()
{
    List1->installEventFilter(this);
    Text1->installEventFilter(this);
}

bool Form1::keyPressed(QObject *watched, const QKeyEvent *key)
{
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    if (watched == List1 && enter && List1->selectionModel()->hasSelection()) {
        Command1_Click();
        return true;
    }
    if ((watched == List1 && down && !List1->selectionModel()->hasSelection()) || (watched == Text1 && down)) {
        chooseFirstName();
        return true;
    }
    return false;
}

void Form1::chooseFirstName()
{
    List1->setFocus();
    List1->setCurrentIndex(List1->model()->index(0, 0));
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(event);
    // Children are kept bottom first: the last shown page is the one on top.
    const QObjectList stack = children();
    for (auto it = stack.crbegin(); it != stack.crend(); ++it) {
        const int Index = panelIndex(*it);
        if (Index >= 0 && Index < kPageCount && um[Index]->isVisible())
            return al_Click(Index);
    }
}
