#pragma once

#include <QFrame>

// A container control with a background of its own.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    enum class Look { Default, NoBorder, WindowColours };
    PictureBox(Look look, QWidget *parent);
};
