#pragma once

#include <QWidget>

// What assistive technology (a screen reader) finds in the window beyond what
// Qt tells it by itself: the window as a window, a picture box as a pane, a
// page's close image and the painted window buttons as push buttons that a
// screen reader can press.
namespace Accessibility {
// Installs the interfaces of the window's own kinds of control; once is
// enough, more does no harm.
void install();
}

// An invisible stand-in for a button that the window paints itself: it lies
// over the painted button, draws nothing, takes neither the pointer nor the
// focus, and is found by assistive technology as a push button of its name.
// A press by assistive technology emits pressed().
class PaintedButtonStandIn : public QWidget
{
    Q_OBJECT
public:
    PaintedButtonStandIn(const QString &name, const QRect &place, QWidget *window);

signals:
    void pressed();
};
