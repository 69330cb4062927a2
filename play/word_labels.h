// The two labels of a word in the list show its state by their text colour
// (black, light blue, white, orange, and the green/yellow highlights of the
// board). Helpers shared by the mouse handlers of the list and the board.
#pragma once

#include "core/game_state.h"

namespace numera {

// Both labels of word i get the same colour.
inline void SetWordColour(GameState& s, int i, Colour c) {
  s.Formain.La(i).ForeColor = c;
  s.Formain.La2(i).ForeColor = c;
}

// A selection only counts while it names a word of the current list: a
// number left over from a longer list (opening a shorter puzzle keeps
// SelectedIndex) is treated as no selection, so no step can leave 1..90.
inline bool HasSelection(const GameState& s) {
  return s.SelectedIndex >= 1 && s.SelectedIndex <= s.WordCount;
}

// Removes every cell highlight of the board (green and orange).
inline void ClearCellFlags(GameState& s) {
  s.CellFlag.Fill(0);
}

}  // namespace numera
