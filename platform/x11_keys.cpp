// Kept apart: Xlib's headers define macros (KeyPress, None, ...) that clash
// with Qt's names.
#include "platform/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace numera {

namespace {
// Virtual-key codes: 13 Enter, 37 Left, 38 Up, 39 Right, 40 Down.
KeySym KeysymOf(int vk) {
  switch (vk) {
    case 13:
      return XK_Return;
    case 37:
      return XK_Left;
    case 38:
      return XK_Up;
    case 39:
      return XK_Right;
    case 40:
      return XK_Down;
    default:
      return 0;
  }
}
}  // namespace

void X11QueryKeymap(void* display, char keymap[32]) {
  XQueryKeymap(static_cast<Display*>(display), keymap);
}

bool X11KeyDown(void* display, const char keymap[32], int virtualKey) {
  const KeySym sym = KeysymOf(virtualKey);
  if (sym == 0) return false;
  const KeyCode code = XKeysymToKeycode(static_cast<Display*>(display), sym);
  return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}

}  // namespace numera
