#pragma once

// What assistive technology reads for the controls that show no text of
// their own; never shown on screen. Controls that show a text (buttons,
// options, page titles) are read by it.
namespace AccessTexts {
// List1, the names of the commands.
inline constexpr char kCommandList[] = "指令名称";
// Text2, the text of the chosen command.
inline constexpr char kCommandText[] = "指令内容";
// The window's painted buttons, and the close image of every page.
inline constexpr char kMinimise[] = "最小化";
inline constexpr char kClose[] = "关闭";
} // namespace AccessTexts
