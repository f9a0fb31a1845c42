#pragma once

#include <QList>
#include <QPoint>
#include <QRectF>

#include <optional>

// The geometry of the window's painted chrome, in client pixels with the
// origin at the top left: what the frame, the banner and the two window
// buttons are drawn from and to, and what a pointer position is over. W and H
// are the client width and height; every bound below is included.
namespace Chrome {

// Mouse-button state of the window's mouse handlers: the pressed buttons added.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// The pictures the chrome is drawn from.
enum class Picture { FrameSprite, ButtonSprite, TitleBanner };

// One copy of a region of a picture onto the window, stretched to the target.
struct Copy {
    Picture picture;
    QRectF source;
    QRectF target;
};

// The whole frame in the order it is drawn: the title area with its corners,
// the side edges, the bottom edge with its corners, both buttons in their
// normal look and last the banner.
QList<Copy> frameCopies(float W, float H);

enum class Button { Minimise, Close };
enum class Face { Normal, Hover, Pressed };
// The slice of the button sprite that shows the button in that look, and
// where it goes. All three looks put the glyph on the same window rows.
Copy buttonCopy(Button button, Face face, float W);

// The button row: 2 <= Y <= 22.
bool inButtonRow(float Y);
// The band a press in which moves the window: Y <= 68.
bool inTitleBand(float Y);
// The button box under the pointer. The boxes share the column W - 51, which
// belongs to the minimise button because its box is tested first.
std::optional<Button> buttonAt(float W, float X, float Y);

// What the two buttons show while the pointer is at (X, Y).
struct Faces {
    Face minimise;
    Face close;
};
Faces hoverFaces(float W, float X, float Y);

// What a press of the window does: only the left button alone in the title
// band does anything, a pressed button on a window button and a move of the
// window everywhere else in the band.
enum class PressAction { Nothing, PressMinimise, PressClose, MoveWindow };
PressAction pressAction(int buttonState, float W, float X, float Y);

// Something dragged with the pointer: it keeps the offset from the pointer it
// had when it was grabbed.
class PointerDrag
{
public:
    void grab(QPoint pointer, QPoint topLeft) { m_grab = {pointer, topLeft}; }
    void release() { m_grab.reset(); }
    bool active() const { return m_grab.has_value(); }
    // Where the dragged thing's top left goes with the pointer at `pointer`;
    // only while active.
    QPoint follow(QPoint pointer) const { return m_grab->topLeft + (pointer - m_grab->pointer); }

private:
    struct Grab {
        QPoint pointer;
        QPoint topLeft;
    };
    std::optional<Grab> m_grab;
};

} // namespace Chrome
