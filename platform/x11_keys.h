#pragma once

namespace numera {
// Whether the key with this virtual-key code (13 Enter, 37..40 arrows) is
// down anywhere on the X display, whichever window has the focus.
bool X11KeyDown(void* display, int virtualKey);
}  // namespace numera
