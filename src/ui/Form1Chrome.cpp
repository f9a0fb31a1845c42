// The window's own chrome: the painted frame and buttons, moving the window
// and the pages, minimising and closing.
#include "Form1.h"

#include "ChromeAssets.h"
#include "PictureBox.h"
#include "desktop/Desktop.h"

#include <QIcon>
#include <QLabel>
#include <QListView>
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

// The program opens no media device, so ending it has none to close.
void closeAllMedia()
{
}

} // namespace

void Form1::bindChrome()
{
    Image8 = control<QLabel>(QStringLiteral("Image8"));
    Image9 = control<QLabel>(QStringLiteral("Image9"));
    Image10 = control<QLabel>(QStringLiteral("Image10"));
    Image8->setPixmap(asset(ChromeAssets::kTitleBanner));
    Image9->setPixmap(asset(ChromeAssets::kButtonSprite));
    Image10->setPixmap(asset(ChromeAssets::kFrameSprite));

    // The close images of the pages that the design holds, and the list's cursor.
    const QPixmap closeImage = asset(ChromeAssets::kCloseImage);
    for (QLabel *image : al)
        image->setPixmap(closeImage);
    List1->viewport()->setCursor(QCursor(asset(ChromeAssets::kListCursor), ChromeAssets::kListCursorHotSpot.x(),
                                         ChromeAssets::kListCursorHotSpot.y()));

    // The design's icon, which start-up takes away again.
    QIcon icon;
    for (const char *size : ChromeAssets::kWindowIcon)
        icon.addFile(QString::fromLatin1(size));
    setWindowIcon(icon);

    // Shown again (restored, uncovered), the window paints its frame anew
    // instead of showing what it last drew, a hover or pressed button.
    create();
    windowHandle()->installEventFilter(this);

    setMouseTracking(true);
    for (QWidget *panel : um) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }
    // Every control that is a window of its own keeps the pointer to itself:
    // the window and the page panels hear only what happens over their own
    // surface (labels and images are part of it).
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        child->setAttribute(Qt::WA_NoMousePropagation);
    for (PictureBox *box : findChildren<PictureBox *>())
        box->setAttribute(Qt::WA_NoMousePropagation);
}

void Form1::paintEvent(QPaintEvent *)
{
    Form_Paint();
    if (!m_buttonSlices.isEmpty())
        paintCopies(m_buttonSlices);
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    if (m_windowDrag.active()) {
        if (event->buttons() & Qt::LeftButton)
            move(m_windowDrag.follow(event->globalPosition().toPoint()));
        else
            m_windowDrag.release();
    }
    const QPointF at = event->position();
    Form_MouseMove(buttonState(event->buttons()), at.x(), at.y());
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    Form_MouseDown(buttonState(event->buttons()), at.x(), at.y());
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_windowDrag.release();
    const QPointF at = event->position();
    Form_MouseUp(buttonState(event->buttons() | event->button()), at.x(), at.y());
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && keyPressed(watched, static_cast<const QKeyEvent *>(event)))
        return true;
    if (type == QEvent::MouseButtonPress && watched == List1->viewport())
        m_listPressChose = false;
    if (type == QEvent::Expose && watched == windowHandle())
        update();
    const int Index = panelIndex(watched);
    if (Index < 0 || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return QWidget::eventFilter(watched, event);

    const auto *mouse = static_cast<const QMouseEvent *>(event);
    const bool left = mouse->button() == Qt::LeftButton;
    if (type == QEvent::MouseButtonPress && left)
        m_panelDrag.grab(mouse->globalPosition().toPoint(), um[Index]->pos());
    else if (type == QEvent::MouseButtonRelease && left)
        m_panelDrag.release();
    else if (type == QEvent::MouseMove)
        um_MouseMove(Index, buttonState(mouse->buttons()), mouse->position().x(), mouse->position().y());
    return QWidget::eventFilter(watched, event);
}

int Form1::panelIndex(const QObject *object) const
{
    for (int Index = 0; Index < kPanelCount; ++Index) {
        if (um[Index] == object)
            return Index;
    }
    return -1;
}

QPixmap Form1::pictureOf(Chrome::Picture picture) const
{
    switch (picture) {
    case Chrome::Picture::FrameSprite:
        return Image10->pixmap();
    case Chrome::Picture::ButtonSprite:
        return Image9->pixmap();
    case Chrome::Picture::TitleBanner:
        return Image8->pixmap();
    }
    Q_UNREACHABLE();
}

// Only inside a paint event of the window.
void Form1::paintCopies(const QList<Chrome::Copy> &copies)
{
    QPainter painter(this);
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
void Form1::drawButtons(const QList<Chrome::Copy> &slices)
{
    QRegion places;
    for (const Chrome::Copy &slice : slices)
        places += slice.target.toAlignedRect();
    m_buttonSlices = slices;
    repaint(places);
    m_buttonSlices.clear();
}

void Form1::Form_Paint()
{
    paintCopies(Chrome::frameCopies(width(), height()));
}

void Form1::Form_MouseMove(int, float X, float Y)
{
    const float W = width();
    const Chrome::Faces faces = Chrome::hoverFaces(W, X, Y);
    drawButtons({Chrome::buttonCopy(Chrome::Button::Minimise, faces.minimise, W), Chrome::buttonCopy(Chrome::Button::Close, faces.close, W)});
}

void Form1::Form_MouseDown(int Button, float X, float Y)
{
    const float W = width();
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
void Form1::moveWithPointer(QPointF pointer)
{
    QWindow *window = windowHandle();
    if (window && window->startSystemMove())
        return;
    m_windowDrag.grab(mapToGlobal(pointer).toPoint(), pos());
}

void Form1::Form_MouseUp(int, float X, float Y)
{
    const auto released = Chrome::buttonAt(width(), X, Y);
    if (released == Chrome::Button::Minimise) {
        showMinimized();
    } else if (released == Chrome::Button::Close) {
        closeProgram();
    }
}

// Closed by the desktop (its close command, the taskbar): the same end as the
// close box, also while start-up waits for the update server.
void Form1::closeEvent(QCloseEvent *)
{
    closeProgram();
}

void Form1::closeProgram()
{
    closeAllMedia();
    endProgram(EXIT_SUCCESS);
}

// A panel follows the pointer while the left button is held; the copy notice
// goes as soon as the pointer moves over it. X and Y are pixels of the panel.
void Form1::um_MouseMove(int Index, int Button, float X, float Y)
{
    QWidget *panel = um[Index];
    if (Button & Chrome::kLeftButton) {
        const QPoint pointer = panel->mapToGlobal(QPointF(X, Y)).toPoint();
        if (!m_panelDrag.active())
            m_panelDrag.grab(pointer, panel->pos());
        panel->move(m_panelDrag.follow(pointer));
    } else {
        m_panelDrag.release();
    }
    if (Index == kCopyNotice)
        panel->hide();
}
