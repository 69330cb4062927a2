// Moving the word selection with the arrow keys.
#pragma once

#include "core/platform.h"

namespace numera {

void SelectPrevWord(Game& g);   // Up
void SelectNextWord(Game& g);   // Down
void SelectLeftWord(Game& g);   // Left
void SelectRightWord(Game& g);  // Right

// One poll of the arrow keys, as the main loop makes it on every pass.
void PollKeys(Game& g);

}  // namespace numera
