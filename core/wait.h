#pragma once

#include "core/platform.h"

namespace numera {

// Pauses for more than ms milliseconds while every window keeps handling its
// events. Blocks in the event loop rather than spinning.
void Wait(Game& g, Long ms);

}  // namespace numera
