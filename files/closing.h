#pragma once

#include "core/platform.h"

namespace numera {

// The main window is asked to close (close box, Alt+F4). Sets cancel to 1 to
// keep it open; every other way out ends the program.
void Form_Unload(Game& g, Integer& cancel);
// Menu "終了".
void 終了_Click(Game& g);

}  // namespace numera
