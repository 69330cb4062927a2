// DrawBoard: rebuilds the letter board from the placed-word records and
// paints the board picture and the three score labels.
#pragma once

#include "core/platform.h"

namespace numera {

// Board(x, y) for every cell of the board and its ring, from the placed words.
void RebuildBoard(GameState& s);

// The text and colour a cell is printed with (after the cross-mark setting
// and the rainbow font are applied). Fills BoardShown(x, y).
struct CellPrint {
  QString Text;
  Colour Color = colour::kBlack;
};
CellPrint ShownCell(GameState& s, int x, int y);

void DrawBoard(Game& g);

}  // namespace numera
