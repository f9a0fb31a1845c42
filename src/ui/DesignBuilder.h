#pragma once

#include "Design.h"

#include <QHash>
#include <QString>

class QWidget;

// Builds the controls of design tables onto the window, each with its design
// name as objectName, and chains the tab order by tab index.
class DesignBuilder
{
public:
    explicit DesignBuilder(QWidget *window);

    // Containers must come before what they hold.
    void build(std::span<const Design::Control> controls);
    // Chains every built control that has a tab index, lowest first.
    void applyTabOrder();

private:
    QWidget *create(const Design::Control &control, QWidget *container);

    QWidget *m_window;
    QHash<QString, QWidget *> m_controls;
    QList<QPair<int, QWidget *>> m_tabStops;
};
