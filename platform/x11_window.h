// What the game asks of the X server directly, where Qt has no word for it.
// Kept apart: Xlib's headers define macros (KeyPress, None, ...) that clash
// with Qt's names.
#pragma once

namespace numera {
// Whether the key with this X keysym (XK_Return, XK_space, ...) is down on
// the display now, whichever window has the focus.
bool X11KeysymDown(void* display, unsigned long keysym);
// Asks the window manager to leave a window, not yet shown, out of the task
// bar and the pager: it is a dialog of another window.
void X11SkipTaskbar(void* display, unsigned long window);
}  // namespace numera
