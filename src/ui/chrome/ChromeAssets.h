#pragma once

#include <QPoint>

// The window's pictures, compiled into the program (painted by
// tools/paint-assets.cpp).
namespace ChromeAssets {
inline constexpr char kFrameSprite[] = ":/assets/frame-sprite.png";
inline constexpr char kButtonSprite[] = ":/assets/button-sprite.png";
inline constexpr char kTitleBanner[] = ":/assets/title-banner.png";
// The close image of every page.
inline constexpr char kCloseImage[] = ":/assets/close-image.png";
// The hand cursor over the command list; its hot spot is the fingertip.
inline constexpr char kListCursor[] = ":/assets/list-cursor.png";
inline constexpr QPoint kListCursorHotSpot(5, 0);
// The window icon of the design, in its three sizes.
inline constexpr const char *kWindowIcon[] = {
    ":/assets/window-icon-16.png",
    ":/assets/window-icon-32.png",
    ":/assets/window-icon-48.png",
};
}
