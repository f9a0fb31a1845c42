#pragma once

#include <QString>
#include <QWidget>

#include <optional>

class QListView;

// The window's command list as the design builds it, with its font, to tell
// whether a command name shows whole in it. Needs a QApplication.
class ListWidth
{
public:
    ListWidth();

    // Width in pixels that the list's text has: the list's inside, less the
    // vertical scroll bar that a full library always shows.
    int room() const;
    // Width in pixels of the name's row as the list lays it out.
    int widthOf(const QString &name) const;
    // Why the name does not show whole, or nullopt when it does.
    std::optional<QString> problemOf(const QString &name) const;

private:
    QWidget m_window;
    QListView *m_list = nullptr;
};
