// The window's own chrome: the painted frame and buttons, moving the window
// and the pages, minimising and closing.
#include "Form1.h"

#include <QMouseEvent>

void Form1::bindChrome()
{
}

void Form1::paintEvent(QPaintEvent *)
{
    Form_Paint();
}

void Form1::mouseMoveEvent(QMouseEvent *)
{
}

void Form1::mousePressEvent(QMouseEvent *)
{
}

void Form1::mouseReleaseEvent(QMouseEvent *)
{
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}

void Form1::Form_Paint()
{
}

void Form1::Form_MouseMove(int, int, float, float)
{
}

void Form1::Form_MouseDown(int, int, float, float)
{
}

void Form1::Form_MouseUp(int, int, float, float)
{
}

void Form1::um_MouseMove(int, int, int, float, float)
{
}
