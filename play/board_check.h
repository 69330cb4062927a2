// The board check: are all letters connected through their sides, and is
// every run of two or more letters closed at both ends? Sets NoRecord to 0
// for a complete board, 1 for an incomplete one.
#pragma once

#include "core/game_state.h"

namespace numera {

void BCheck(GameState& s);
// Flood fill from (x, y) over letter cells; adds to CheckCount and CheckFlag.
void SAIKR(GameState& s, int x, int y);

}  // namespace numera
