#include "ChromeGeometry.h"

namespace Chrome {

namespace {

// Frame sprite: the title area is rows 0-99, the bottom edge rows 96-100;
// columns 0-5 are the left part, column 6 is stretched, 7-12 the right part.
// The side edges are rows 68-95 of the outer three columns.
constexpr float kTitleHeight = 100;
constexpr float kCornerWidth = 6;
constexpr float kMiddleColumn = 6;
constexpr float kRightPart = 7;
constexpr float kEdgeTop = 68;
constexpr float kEdgeRows = 28;
constexpr float kEdgeWidth = 3;
constexpr float kRightEdgeColumn = 10;
constexpr float kBottomTop = 96;
constexpr float kBottomHeight = 5;
// The side edges run from their top down to the bottom edge.
constexpr float kEdgeShortfall = kEdgeTop + kBottomHeight;

// The banner is drawn whole, at its own size.
constexpr QPointF kBannerAt(10, 16);
constexpr QSizeF kBannerSize(428, 70);

// Button sprite slices and places. The minimise button is 29 pixels wide at
// source X 0, the close button 41 wide at source X 29 (its separator
// column), both 20 high. The slices of the three looks start at these rows.
constexpr float kButtonTop = 2;
constexpr float kButtonHeight = 20;
constexpr float kMinimiseWidth = 29;
constexpr float kCloseSourceX = 29;
constexpr float kCloseWidth = 41;
constexpr float kMinimiseFromRight = 80;
constexpr float kCloseFromRight = 51;

constexpr float kNormalRow = 0;
constexpr float kHoverRow = 21;
constexpr float kPressedMinimiseRow = 41;
constexpr float kPressedCloseRow = 42;

float sourceRow(Button button, Face face)
{
    switch (face) {
    case Face::Normal:
        return kNormalRow;
    case Face::Hover:
        return kHoverRow;
    case Face::Pressed:
        return button == Button::Minimise ? kPressedMinimiseRow : kPressedCloseRow;
    }
    qFatal("A button has no face %d", int(face));
}

// Hot regions: the button row, the two boxes (measured from the right edge)
// and the band that moves the window.
constexpr float kRowTop = 2;
constexpr float kRowBottom = 22;
constexpr float kMinimiseBoxLeft = 80;
constexpr float kMinimiseBoxRight = 51;
constexpr float kCloseBoxLeft = 51;
constexpr float kCloseBoxRight = 10;
constexpr float kTitleBandBottom = 68;

Copy frame(QRectF source, QRectF target)
{
    return {Picture::FrameSprite, source, target};
}

} // namespace

QList<Copy> frameCopies(float W, float H)
{
    const float middle = W - 2 * kCornerWidth;
    const float edge = H - kEdgeShortfall;
    const float bottom = H - kBottomHeight;
    return {
        frame({0, 0, kCornerWidth, kTitleHeight}, {0, 0, kCornerWidth, kTitleHeight}),
        frame({kMiddleColumn, 0, 1, kTitleHeight}, {kCornerWidth, 0, middle, kTitleHeight}),
        frame({kRightPart, 0, kCornerWidth, kTitleHeight}, {W - kCornerWidth, 0, kCornerWidth, kTitleHeight}),
        frame({0, kEdgeTop, kEdgeWidth, kEdgeRows}, {0, kEdgeTop, kEdgeWidth, edge}),
        frame({kRightEdgeColumn, kEdgeTop, kEdgeWidth, kEdgeRows}, {W - kEdgeWidth, kEdgeTop, kEdgeWidth, edge}),
        frame({0, kBottomTop, kCornerWidth, kBottomHeight}, {0, bottom, kCornerWidth, kBottomHeight}),
        frame({kMiddleColumn, kBottomTop, 1, kBottomHeight}, {kCornerWidth, bottom, middle, kBottomHeight}),
        frame({kRightPart, kBottomTop, kCornerWidth, kBottomHeight}, {W - kCornerWidth, bottom, kCornerWidth, kBottomHeight}),
        buttonCopy(Button::Minimise, Face::Normal, W),
        buttonCopy(Button::Close, Face::Normal, W),
        {Picture::TitleBanner, QRectF(QPointF(), kBannerSize), QRectF(kBannerAt, kBannerSize)},
    };
}

Copy buttonCopy(Button button, Face face, float W)
{
    const float row = sourceRow(button, face);
    if (button == Button::Minimise)
        return {Picture::ButtonSprite, {0, row, kMinimiseWidth, kButtonHeight},
                {W - kMinimiseFromRight, kButtonTop, kMinimiseWidth, kButtonHeight}};
    return {Picture::ButtonSprite, {kCloseSourceX, row, kCloseWidth, kButtonHeight},
            {W - kCloseFromRight, kButtonTop, kCloseWidth, kButtonHeight}};
}

bool inButtonRow(float Y)
{
    return Y >= kRowTop && Y <= kRowBottom;
}

bool inTitleBand(float Y)
{
    return Y <= kTitleBandBottom;
}

std::optional<Button> buttonAt(float W, float X, float Y)
{
    if (!inButtonRow(Y))
        return std::nullopt;
    if (X >= W - kMinimiseBoxLeft && X <= W - kMinimiseBoxRight)
        return Button::Minimise;
    if (X >= W - kCloseBoxLeft && X <= W - kCloseBoxRight)
        return Button::Close;
    return std::nullopt;
}

Faces hoverFaces(float W, float X, float Y)
{
    const auto hovered = buttonAt(W, X, Y);
    return {hovered == Button::Minimise ? Face::Hover : Face::Normal,
            hovered == Button::Close ? Face::Hover : Face::Normal};
}

PressAction pressAction(int buttonState, float W, float X, float Y)
{
    if (buttonState != kLeftButton || !inTitleBand(Y))
        return PressAction::Nothing;
    const auto pressed = buttonAt(W, X, Y);
    if (!pressed)
        return PressAction::MoveWindow;
    return *pressed == Button::Minimise ? PressAction::PressMinimise : PressAction::PressClose;
}

} // namespace Chrome
