#include "WindowChrome.h"

#include "ui/AccessTexts.h"
#include "ui/Accessibility.h"
#include "ChromeAssets.h"
#include "ui/DesignBuilder.h"
#include "ui/widgets/PictureBox.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

using Chrome::Face;

namespace {

int buttonState(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? Chrome::kLeftButton : 0) | (buttons & Qt::RightButton ? Chrome::kRightButton : 0)
         | (buttons & Qt::MiddleButton ? Chrome::kMiddleButton : 0);
}

QPixmap asset(const char *path)
{
    return QPixmap(QString::fromLatin1(path));
}

bool isMouse(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove
        || type == QEvent::MouseButtonRelease;
}

// The program opens no media device, so ending it has none to close.
void closeAllMedia()
{
}

} // namespace

WindowChrome::Controls WindowChrome::Controls::of(QWidget *window, const DesignBuilder &design)
{
    Controls controls{window, design.control<QLabel>("Image8"), design.control<QLabel>("Image9"),
                      design.control<QLabel>("Image10"), {}};
    for (int Index = 0; Index < ControlArrays::kPanelCount; ++Index)
        controls.um[Index] = design.control<QWidget>("um", Index);
    return controls;
}

WindowChrome::WindowChrome(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    c.Image8->setPixmap(asset(ChromeAssets::kTitleBanner));
    c.Image9->setPixmap(asset(ChromeAssets::kButtonSprite));
    c.Image10->setPixmap(asset(ChromeAssets::kFrameSprite));

    c.window->installEventFilter(this);
    c.window->setMouseTracking(true);
    // Shown again (restored, uncovered), the window paints its frame anew
    // instead of showing what it last drew, a hover or pressed button.
    QWindow *handle = c.window->windowHandle();
    if (!handle)
        qFatal("The chrome needs the window's native window, made before it");
    handle->installEventFilter(this);

    // A screen reader finds the painted buttons as push buttons and can
    // press them.
    const float W = c.window->width();
    auto *minimise = new PaintedButtonStandIn(QString::fromUtf8(AccessTexts::kMinimise),
                                              Chrome::buttonCopy(Chrome::Button::Minimise, Face::Normal, W).target.toRect(), c.window);
    connect(minimise, &PaintedButtonStandIn::pressed, c.window, &QWidget::showMinimized);
    auto *close = new PaintedButtonStandIn(QString::fromUtf8(AccessTexts::kClose),
                                           Chrome::buttonCopy(Chrome::Button::Close, Face::Normal, W).target.toRect(), c.window);
    connect(close, &PaintedButtonStandIn::pressed, this, &WindowChrome::closeProgram);

    for (QWidget *panel : c.um) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }
    // Every control that is a window of its own keeps the pointer to itself:
    // the window and the page panels hear only what happens over their own
    // surface (labels and images are part of it).
    for (QWidget *child : c.window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        child->setAttribute(Qt::WA_NoMousePropagation);
    for (PictureBox *box : c.window->findChildren<PictureBox *>())
        box->setAttribute(Qt::WA_NoMousePropagation);
}

bool WindowChrome::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == c.window)
        return windowEvent(event);
    if (watched == c.window->windowHandle() && event->type() == QEvent::Expose)
        c.window->update();
    const int Index = panelIndex(watched);
    if (Index >= 0 && isMouse(event->type()))
        panelEvent(Index, static_cast<const QMouseEvent *>(event));
    return QObject::eventFilter(watched, event);
}

// The window's own paint and pointer events end here; a close goes on to
// close the window.
bool WindowChrome::windowEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
        Form_Paint();
        if (!m_buttonSlices.isEmpty())
            paintCopies(m_buttonSlices);
        return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        windowMouseEvent(static_cast<const QMouseEvent *>(event));
        return true;
    case QEvent::Close:
        // Closed by the desktop (its close command, the taskbar): the same
        // end as the close box, also while start-up waits for the update
        // server.
        closeProgram();
        return false;
    default:
        return false;
    }
}

// A second press of a double click is a press.
void WindowChrome::windowMouseEvent(const QMouseEvent *mouse)
{
    const float X = mouse->position().x();
    const float Y = mouse->position().y();
    switch (mouse->type()) {
    case QEvent::MouseMove:
        if (m_windowDrag.active()) {
            if (mouse->buttons() & Qt::LeftButton)
                c.window->move(m_windowDrag.follow(mouse->globalPosition().toPoint()));
            else
                m_windowDrag.release();
        }
        return Form_MouseMove(buttonState(mouse->buttons()), X, Y);
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::LeftButton)
            m_windowDrag.release();
        return Form_MouseUp(buttonState(mouse->buttons() | mouse->button()), X, Y);
    default:
        return Form_MouseDown(buttonState(mouse->buttons()), X, Y);
    }
}

void WindowChrome::panelEvent(int Index, const QMouseEvent *mouse)
{
    const bool left = mouse->button() == Qt::LeftButton;
    if (mouse->type() == QEvent::MouseButtonPress && left)
        m_panelDrag.grab(mouse->globalPosition().toPoint(), c.um[Index]->pos());
    else if (mouse->type() == QEvent::MouseButtonRelease && left)
        m_panelDrag.release();
    else if (mouse->type() == QEvent::MouseMove)
        um_MouseMove(Index, buttonState(mouse->buttons()), mouse->position().x(), mouse->position().y());
}

int WindowChrome::panelIndex(const QObject *object) const
{
    for (int Index = 0; Index < ControlArrays::kPanelCount; ++Index) {
        if (c.um[Index] == object)
            return Index;
    }
    return -1;
}

QPixmap WindowChrome::pictureOf(Chrome::Picture picture) const
{
    switch (picture) {
    case Chrome::Picture::FrameSprite:
        return c.Image10->pixmap();
    case Chrome::Picture::ButtonSprite:
        return c.Image9->pixmap();
    case Chrome::Picture::TitleBanner:
        return c.Image8->pixmap();
    }
    qFatal("The chrome has no picture %d", int(picture));
}

// Only inside a paint event of the window.
void WindowChrome::paintCopies(const QList<Chrome::Copy> &copies)
{
    QPainter painter(c.window);
    for (const Chrome::Copy &copy : copies) {
        // The sprites are copied pixel for pixel, so their colours and edges
        // stay exact at any screen scale; the banner's artwork is smoothed
        // when the screen scales it.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, copy.picture == Chrome::Picture::TitleBanner);
        painter.drawPixmap(copy.target, pictureOf(copy.picture), copy.source);
    }
}

// The window draws only in its paint events: the slices are painted over the
// frame by an immediate repaint of their places and forgotten at once, so the
// next paint of the window shows both buttons normal again.
void WindowChrome::drawButtons(const QList<Chrome::Copy> &slices)
{
    QRegion places;
    for (const Chrome::Copy &slice : slices)
        places += slice.target.toAlignedRect();
    m_buttonSlices = slices;
    c.window->repaint(places);
    m_buttonSlices.clear();
}

void WindowChrome::Form_Paint()
{
    paintCopies(Chrome::frameCopies(c.window->width(), c.window->height()));
}

void WindowChrome::Form_MouseMove(int, float X, float Y)
{
    const float W = c.window->width();
    const Chrome::Faces faces = Chrome::hoverFaces(W, X, Y);
    drawButtons({Chrome::buttonCopy(Chrome::Button::Minimise, faces.minimise, W), Chrome::buttonCopy(Chrome::Button::Close, faces.close, W)});
}

void WindowChrome::Form_MouseDown(int Button, float X, float Y)
{
    const float W = c.window->width();
    switch (Chrome::pressAction(Button, W, X, Y)) {
    case Chrome::PressAction::Nothing:
        break;
    case Chrome::PressAction::PressMinimise:
        drawButtons({Chrome::buttonCopy(Chrome::Button::Minimise, Face::Pressed, W)});
        break;
    case Chrome::PressAction::PressClose:
        drawButtons({Chrome::buttonCopy(Chrome::Button::Close, Face::Pressed, W)});
        break;
    case Chrome::PressAction::MoveWindow:
        moveWithPointer(QPointF(X, Y));
        break;
    }
}

// The platform moves the window with the pointer until the left button is
// released; where it will not (no window manager), the window follows the
// pointer by itself.
void WindowChrome::moveWithPointer(QPointF pointer)
{
    QWindow *window = c.window->windowHandle();
    if (window && window->startSystemMove())
        return;
    m_windowDrag.grab(c.window->mapToGlobal(pointer).toPoint(), c.window->pos());
}

void WindowChrome::Form_MouseUp(int, float X, float Y)
{
    const auto released = Chrome::buttonAt(c.window->width(), X, Y);
    if (released == Chrome::Button::Minimise) {
        c.window->showMinimized();
    } else if (released == Chrome::Button::Close) {
        closeProgram();
    }
}

void WindowChrome::closeProgram()
{
    closeAllMedia();
    emit closed();
}

// A panel follows the pointer while the left button is held; the copy notice
// goes as soon as the pointer moves over it. X and Y are pixels of the panel.
void WindowChrome::um_MouseMove(int Index, int Button, float X, float Y)
{
    QWidget *panel = c.um[Index];
    if (Button & Chrome::kLeftButton) {
        const QPoint pointer = panel->mapToGlobal(QPointF(X, Y)).toPoint();
        if (!m_panelDrag.active())
            m_panelDrag.grab(pointer, panel->pos());
        panel->move(m_panelDrag.follow(pointer));
    } else {
        m_panelDrag.release();
    }
    if (Index == ControlArrays::kCopyNotice)
        panel->hide();
}
