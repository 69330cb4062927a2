#pragma once

#include "core/platform.h"

namespace numera {

// The shift buttons Co(0..3), in their order.
namespace shift_direction {
inline constexpr Integer kLeft = 0;
inline constexpr Integer kRight = 1;
inline constexpr Integer kUp = 2;
inline constexpr Integer kDown = 3;
}  // namespace shift_direction

// Shifts the board one cell in a shift_direction.
void Co_Click(Game& g, Integer index);

}  // namespace numera
