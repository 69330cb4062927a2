#pragma once

#include "core/platform.h"

namespace numera {

// Pauses for more than ms milliseconds while every window keeps handling its
// events. Blocks in the event loop rather than spinning. The main window is
// brought up to date first, so the pause shows what came before it.
void Wait(Game& g, Long ms);

}  // namespace numera
