#pragma once

#include <xcb/xcb.h>

#include <cstdint>

// The X connection of the application; none where the desktop is not X11.
xcb_connection_t *xcbConnection();

// The X atom of the name, or none.
uint32_t xcbAtom(xcb_connection_t *connection, const char *name);
