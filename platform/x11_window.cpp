#include "platform/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace numera {

bool X11KeysymDown(void* display, unsigned long keysym) {
  auto* d = static_cast<Display*>(display);
  const KeyCode code = XKeysymToKeycode(d, keysym);
  char keymap[32] = {};
  XQueryKeymap(d, keymap);
  return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}

void X11SkipTaskbar(void* display, unsigned long window) {
  auto* d = static_cast<Display*>(display);
  // Qt keeps the states already on a window when it maps it and adds its own.
  const Atom states[] = {XInternAtom(d, "_NET_WM_STATE_SKIP_TASKBAR", False),
                         XInternAtom(d, "_NET_WM_STATE_SKIP_PAGER", False)};
  XChangeProperty(d, window, XInternAtom(d, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                  reinterpret_cast<const unsigned char*>(states), 2);
  XFlush(d);
}

}  // namespace numera
