#pragma once

// What the whole program looks like and speaks before its window is built:
// its name and icon for the desktop, its default font, Qt's own style
// whatever the desktop asks for, what screen readers find, and Qt's standard
// buttons and menus in Chinese. Called once, after the application object
// exists; the program's entry and the start-up benchmark both call it.
namespace ProgramLook {
void install();
}
