// Kept apart: Xlib's headers define macros (KeyPress, None, ...) that clash
// with Qt's names.
#include "platform/x11_keys.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include "core/virtual_keys.h"

namespace numera {

namespace {
KeySym KeysymOf(int vk) {
  switch (vk) {
    case kVkReturn:
      return XK_Return;
    case kVkLeft:
      return XK_Left;
    case kVkUp:
      return XK_Up;
    case kVkRight:
      return XK_Right;
    case kVkDown:
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
