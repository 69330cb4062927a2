// The board check: are all letters connected through their sides, and is
// every run of two or more letters closed at both ends? Sets NoRecord to 0
// for a complete board, 1 for an incomplete one.
#pragma once

#include "core/game_state.h"

namespace numera {

// The fill's work (CheckFlag, CheckCount) is left in the state as the game
// always left it.
void BCheck(GameState& s);

}  // namespace numera
