#pragma once

#include "ChromeGeometry.h"
#include "ui/ControlArrays.h"

#include <QList>
#include <QObject>
#include <QPixmap>

class DesignBuilder;
class QLabel;
class QMouseEvent;
class QWidget;

// The window's own chrome: the painted frame with its minimise and close
// buttons, moving the window by its title and the page panels by their
// surface, minimising and closing.
class WindowChrome : public QObject
{
    Q_OBJECT
public:
    struct Controls {
        QWidget *window;
        QLabel *Image8;  // the title banner
        QLabel *Image9;  // the sprite of the two buttons
        QLabel *Image10; // the sprite of the frame
        QWidget *um[ControlArrays::kPanelCount];

        static Controls of(QWidget *window, const DesignBuilder &design);
    };

    WindowChrome(const Controls &controls, QObject *parent);

signals:
    // The close button or the desktop closed the window: the program ends.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool windowEvent(QEvent *event);
    void windowMouseEvent(const QMouseEvent *mouse);
    void panelEvent(int Index, const QMouseEvent *mouse);

    void Form_Paint();
    void Form_MouseMove(int Button, float X, float Y);
    void Form_MouseDown(int Button, float X, float Y);
    void Form_MouseUp(int Button, float X, float Y);
    void um_MouseMove(int Index, int Button, float X, float Y);
    void closeProgram();

    void paintCopies(const QList<Chrome::Copy> &copies);
    QPixmap pictureOf(Chrome::Picture picture) const;
    void drawButtons(const QList<Chrome::Copy> &slices);
    void moveWithPointer(QPointF pointer);
    int panelIndex(const QObject *object) const;

    Controls c; // the controls of the part, by their design names
    QList<Chrome::Copy> m_buttonSlices; // what the repaint in progress draws over the frame
    Chrome::PointerDrag m_windowDrag;   // a move of the window that the platform left to us
    Chrome::PointerDrag m_panelDrag;    // a page panel following the pointer
};
