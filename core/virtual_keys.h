// The keys the game asks about, by their virtual-key codes (the numbers the
// game has always used for them). No toolkit here: the X11 side includes it
// beside Xlib's macros.
#pragma once

namespace numera {
inline constexpr int kVkReturn = 13;
inline constexpr int kVkLeft = 37;
inline constexpr int kVkUp = 38;
inline constexpr int kVkRight = 39;
inline constexpr int kVkDown = 40;
}  // namespace numera
