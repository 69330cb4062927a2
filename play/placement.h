// The mouse on the board: placing the selected word, or highlighting the
// words that share a cell's letter.
#pragma once

#include "core/platform.h"
#include "play/mouse.h"

namespace numera {

// The tests of a press on cell (column, row) with word i selected, dir 0
// across and 1 down: the word is not placed yet, it fits the board as it
// stands, and no placed word starts there in that direction. Changes nothing.
bool CanPlaceWord(const GameState& s, int i, int column, int row, int dir);

// Records word i as placed there: its flags and colour, the placed count and
// the score, its letters and both end marks on the board; ends the selection.
void PlaceWord(GameState& s, int i, int column, int row, int dir);

void Pimain_MouseDown(Game& g, Integer button, float x, float y);
void Pimain_MouseUp(Game& g);

}  // namespace numera
