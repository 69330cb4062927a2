// The two rules every board is judged by, the fit test of a placement and
// the board check, written once over any grid of cells: the game runs them
// on its grid of texts, the puzzle tool on a compact grid of characters
// (play/letter_grid.h), so what the tool calls complete is exactly what the
// game calls complete.
//
// A grid offers Kind(x, y) for every cell of the board and of its ring
// (-1..n in both directions) and Takes(x, y, word, k), whether letter k of
// the word may go on a cell; flags offer a Byte-like flags(x, y) for the
// cells of the board. The rules are instantiated for both grids in
// board_rules.cpp.
#pragma once

#include <QString>
#include <functional>
#include <limits>

#include "core/game_state.h"

namespace numera {

enum class CellKind { kEmpty, kMark, kLetter };

// The game's own board: "" empty, "×" an end mark, any other text a letter.
struct TextCells {
  const CheckedGrid<QString>& Board;
  CellKind Kind(int x, int y) const;
  bool Takes(int x, int y, const QString& word, int k) const;
};

// The fit test of a word with its first letter on (column, row), stepping
// (dx, dy): every letter must land on the board on a cell that takes it, and
// the cells just before and after the word must hold no letter; cells
// beside the word are left to the board check. Cells beyond the board and
// its ring are never read.
template <typename Grid, typename Word>
bool WordFits(const Grid& grid, int n, const Word& word, int column, int row, int dx, int dy);

// The check's flood fill from (x, y): depth first over letter cells that
// touch by a side, trying right, down, left, up. Marks every cell it reaches
// in flags and returns how many it reached; the starting cell always counts.
template <typename Grid, typename Flags>
int SAIKR(const Grid& grid, int n, Flags& flags, int x, int y);

// Where the run test looks: the first cells of the three-cell windows it
// slides along the rows and columns. By default the whole board.
struct CheckWindow {
  int X0 = -1, Y0 = -1;
  int X1 = std::numeric_limits<int>::max(), Y1 = std::numeric_limits<int>::max();
};

// The run test: a run of two or more letters must not touch an empty cell
// along its row or column (the ring included). Calls open(x, y, dx, dy) for
// every empty cell (x, y) with such a run starting at (x + dx, y + dy) and
// going on in the same direction.
using OpenEnd = std::function<void(int x, int y, int dx, int dy)>;
template <typename Grid>
void ForEachOpenEnd(const Grid& grid, int n, const OpenEnd& open, CheckWindow w = {});

// The board check: every letter reached by the fill from the last letter in
// scan order (bottom row, right-most), and no run open at either end. The
// fill's count goes to *reached.
template <typename Grid, typename Flags>
bool BoardComplete(const Grid& grid, int n, Flags& flags, int* reached);

}  // namespace numera
