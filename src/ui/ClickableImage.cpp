#include "ClickableImage.h"

#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
}

// The press is taken here, so that it never reaches the container below.
void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
