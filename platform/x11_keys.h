#pragma once

namespace numera {
// The state of every key on the X display, whichever window has the focus.
void X11QueryKeymap(void* display, char keymap[32]);
// Whether the key with this virtual-key code (13 Enter, 37..40 arrows) is
// down in a keymap read by X11QueryKeymap.
bool X11KeyDown(void* display, const char keymap[32], int virtualKey);
}  // namespace numera
