#pragma once

#include "core/platform.h"

namespace numera {
// "Cleaｒ" and the menu item "クリア".
void Coc_Click(Game& g);
}  // namespace numera
