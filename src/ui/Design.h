#pragma once

#include <span>

// The window's design: every control with its kind, container, place, size,
// look, text and tab index, as tables that the window is built from.
namespace Design {

// Design geometry is in twips; 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;
constexpr int pixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

enum class Kind {
    PictureBox,
    Label,
    TextBox,
    MultiLineTextBox,
    CommandButton,
    OptionButton,
    ListBox,
    Image,
};

enum class Font {
    Default,  // the window's default font
    YaHei105, // "微软雅黑" 10.5 pt
    YaHei12,  // "微软雅黑" 12 pt
    YaHei1425 // "微软雅黑" 14.25 pt
};

// Looks, combined with |.
enum Look : unsigned {
    Plain = 0,
    Hidden = 1u << 0,
    SizedToText = 1u << 1,  // a label that takes the size of its one-line text
    Wraps = 1u << 2,        // a label that wraps inside its fixed box
    WindowColours = 1u << 3, // a flat picture box in the window colours
    NoBorder = 1u << 4,     // a picture box without a border
    Selected = 1u << 5,     // an option button that starts selected
};

inline constexpr int kNoTabStop = -1;

struct Control {
    const char *name;      // the design name, also the widget's objectName
    Kind kind;
    const char *container; // design name of the container; nullptr for the window
    int left, top, width, height; // twips, relative to the container
    Font font = Font::Default;
    unsigned look = Plain;
    const char *text = nullptr;
    int tabIndex = kNoTabStop;
    // What assistive technology reads as the control's name where it shows
    // no text of its own: a page by its title, the close image, a box.
    const char *accessibleName = nullptr;
};

// The controls that sit directly on the window, and the page panels.
std::span<const Control> windowControls();
// The contents of the page panels.
std::span<const Control> pageControls();

} // namespace Design
