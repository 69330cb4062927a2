#pragma once

#include "core/platform.h"

namespace numera {
// A click on the main window's free background.
void Form_Click(Game& g);
}  // namespace numera
