#pragma once

#include <QList>
#include <QPointer>

#include <functional>

class QWidget;

// The window's tab order: the controls that have a tab index, lowest first.
// Tab moves through the visible controls that can take the focus in rising
// tab index order, Shift+Tab in falling order, round from the last to the
// first; a control on a closed page is not visible. Of a group of option
// buttons, Tab reaches the selected one.
class TabChain
{
public:
    void add(int tabIndex, QWidget *control);

    // Where Tab (forward) or Shift+Tab leads from `from`, a control of the
    // chain or something inside one; from anything else, the first (last)
    // control. Only controls that `reachable` lets through are stops.
    // Nothing when no control can take the focus.
    QWidget *next(const QWidget *from, bool forward, const std::function<bool(const QWidget *)> &reachable) const;

    // Links Qt's own focus chain in the same order, for the places where Qt
    // follows it by itself.
    void linkQtChain() const;

private:
    struct Stop {
        int tabIndex;
        QPointer<QWidget> control;
    };
    qsizetype positionOf(const QWidget *from) const;
    QList<Stop> m_stops; // by rising tab index
};
