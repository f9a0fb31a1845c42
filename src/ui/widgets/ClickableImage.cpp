#include "ClickableImage.h"

#include <QApplication>
#include <QMouseEvent>

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
}

// The press is taken here, so that it never reaches the container below.
void ClickableImage::mousePressEvent(QMouseEvent *event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (left)
        m_pressedAt = event->globalPosition().toPoint();
    event->setAccepted(left);
}

// A drag that began here moves nothing and is no click.
void ClickableImage::mouseMoveEvent(QMouseEvent *event)
{
    const bool dragging = event->buttons() & Qt::LeftButton;
    if (dragging && m_pressedAt
        && (event->globalPosition().toPoint() - *m_pressedAt).manhattanLength() >= QApplication::startDragDistance())
        m_pressedAt.reset();
    event->setAccepted(dragging);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_pressedAt && rect().contains(event->position().toPoint());
    m_pressedAt.reset();
    if (click)
        emit clicked();
}
