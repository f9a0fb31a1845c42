#pragma once

#include <QPushButton>

// A command button of the window's design. Enter and the keypad's Enter press
// it as Space does: down while the key is held, a click when it is released.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    CommandButton(const QString &text, QWidget *parent);

protected:
    bool event(QEvent *event) override;
};
