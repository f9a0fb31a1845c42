#pragma once

#include "Design.h"
#include "TabChain.h"

#include <QHash>
#include <QString>
#include <QWidget>

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
    // The built controls that have a tab index, in tab order.
    const TabChain &tabChain() const { return m_tabChain; }

    // A built control by its design name, as the type the window uses it as.
    // A name the design does not hold, or a control of another kind, stops
    // the program: the design and the code that uses it disagree.
    template<typename T> T *control(const char *name) const { return typed<T>(QString::fromLatin1(name)); }
    // Element Index of a control array, as "um(3)".
    template<typename T> T *control(const char *array, int Index) const
    {
        return typed<T>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(Index));
    }

private:
    template<typename T> T *typed(const QString &name) const
    {
        T *widget = qobject_cast<T *>(m_controls.value(name));
        if (!widget)
            qFatal("The design holds no control %s of the kind the window uses", qPrintable(name));
        return widget;
    }

    QWidget *create(const Design::Control &control, const QFont &font, QWidget *container);

    QWidget *m_window;
    QHash<QString, QWidget *> m_controls;
    TabChain m_tabChain;
};
