#include "ScreenFittedBox.h"

#include <QScreen>

namespace {

// Room kept for the frame and title bar that the window manager adds.
constexpr int kWindowFrameAllowance = 48;
// Stands where the middle of a shortened text was.
constexpr char16_t kElision = u'\u2026';

// The text with only its first and last characters kept, keep in all; a
// pair of surrogates is never split.
QString shortenedInMiddle(const QString &text, qsizetype keep)
{
    qsizetype head = keep / 2;
    qsizetype tail = keep - head;
    if (head > 0 && text.at(head - 1).isHighSurrogate())
        --head;
    if (tail > 0 && text.at(text.size() - tail).isLowSurrogate())
        --tail;
    return text.left(head) + QChar(kElision) + text.right(tail);
}

} // namespace

// The base sizes the box to its text; a box taller than the screen's free
// area is given a share of the text as large as the share of its height that
// fits, at most half as much as before, until it fits.
void ScreenFittedBox::showEvent(QShowEvent *event)
{
    QMessageBox::showEvent(event);
    const QScreen *shownOn = screen();
    if (!shownOn)
        return;
    const int room = shownOn->availableGeometry().height() - kWindowFrameAllowance;
    const QString whole = text();
    for (qsizetype keep = whole.size(); height() > room && keep > 0;) {
        keep = qMin(keep / 2, keep * room / height());
        setText(shortenedInMiddle(whole, keep));
    }
    placeOverWindow();
}

// Over the middle of the window, or of the screen while the window is not
// shown, inside the screen's free area. The place is set before the box is
// mapped, as a place the program asked for, so every window manager keeps
// it; a box left to the window manager may land anywhere on the screen.
// The window's middle is that of its own area, all of the frameless window.
// Qt measures the frame around a window once and keeps it until the window
// moves or changes size; measured while the window manager was still framing
// the window (on a busy machine, for a box at the start) it is a frame of one
// pixel at the window's corner, and a box over it lands at the screen's top
// left.
void ScreenFittedBox::placeOverWindow()
{
    const QWidget *window = parentWidget();
    const bool overWindow = window && window->isVisible() && !window->isMinimized();
    const QScreen *shownOn = overWindow ? window->screen() : screen();
    const QRect free = shownOn->availableGeometry();
    QRect place(QPoint(), frameGeometry().size());
    place.moveCenter(overWindow ? window->geometry().center() : free.center());
    place.moveLeft(qBound(free.left(), place.left(), free.right() - place.width() + 1));
    place.moveTop(qBound(free.top(), place.top(), free.bottom() - place.height() + 1));
    move(place.topLeft());
}
