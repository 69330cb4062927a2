#pragma once

#include "core/platform.h"

namespace numera {
// One of the 32 joke events, chosen at random.
void RandomEvent(Game& g);
}  // namespace numera
