#pragma once

// The program's own identity texts.
namespace AppTexts {
inline constexpr char kCaption[] = "Tovanu 新手工具箱 V1.1";
// The program's name: the application name, and the title of a message box
// that is given no title of its own.
inline constexpr char kApplicationTitle[] = "Tovanu";
// Title of the message boxes of the pages, the generators and the update check.
inline constexpr char kBrandTitle[] = "Korvel系列软件";
// The Qt style under the skin, whatever the desktop asks for.
inline constexpr char kStyle[] = "Fusion";
// The skin file, beside the program.
inline constexpr char kSkinFile[] = "skinh.she";
// Skin adjustment applied at start-up: hue, saturation, value.
inline constexpr int kSkinHue = 0;
inline constexpr int kSkinSaturation = -100;
inline constexpr int kSkinValue = 0;
}
