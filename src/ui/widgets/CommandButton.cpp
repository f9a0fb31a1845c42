#include "CommandButton.h"

#include <QKeyEvent>

CommandButton::CommandButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
}

bool CommandButton::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QPushButton::event(event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QPushButton::event(event);
    QKeyEvent space(type, Qt::Key_Space, key->modifiers() & ~Qt::KeypadModifier, QStringLiteral(" "),
                    key->isAutoRepeat(), ushort(key->count()));
    const bool handled = QPushButton::event(&space);
    event->setAccepted(space.isAccepted());
    return handled;
}
