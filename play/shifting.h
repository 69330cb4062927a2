#pragma once

#include "core/platform.h"

namespace numera {
// Shifts the board one cell: 0 left, 1 right, 2 up, 3 down.
void Co_Click(Game& g, Integer index);
}  // namespace numera
