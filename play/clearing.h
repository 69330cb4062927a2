#pragma once

#include "platform/platform.h"

namespace numera {
// "Cleaｒ" and the menu item "クリア".
void Coc_Click(Game& g);
}  // namespace numera
