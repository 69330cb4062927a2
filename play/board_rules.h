// The two rules every board is judged by, the fit test of a placement and
// the board check, written once over any grid of cells: the game runs them
// on its grid of texts, the puzzle tool on a compact grid of characters, so
// what the tool calls complete is exactly what the game calls complete.
//
// A grid offers Kind(x, y) for every cell of the board and of its ring
// (-1..n in both directions); Flags offer a Byte-like flags(x, y) for the
// cells of the board.
#pragma once

#include <QString>
#include <algorithm>
#include <limits>

#include "core/game_state.h"

namespace numera {

enum class CellKind { kEmpty, kMark, kLetter };

// The game's own board: "" empty, "×" an end mark, any other text a letter.
struct TextCells {
  const CheckedGrid<QString>& Board;
  CellKind Kind(int x, int y) const {
    const QString& cell = Board(x, y);
    if (cell.isEmpty()) return CellKind::kEmpty;
    return cell == QStringLiteral("×") ? CellKind::kMark : CellKind::kLetter;
  }
};

// The fit test of a word of len letters with its first letter on (column,
// row), stepping (dx, dy). takes(x, y, k) tells whether cell (x, y) is empty
// or holds letter k of the word. Every letter must land on the board on such
// a cell and the cells just before and after the word must hold no letter;
// cells beside the word are left to the board check. Cells beyond the board
// and its ring are never read.
template <typename Grid, typename Takes>
bool WordFits(const Grid& grid, int n, int len, int column, int row, int dx, int dy, Takes takes) {
  int count = 0;
  for (int k = 0; k < len; ++k) {
    const int px = column + k * dx;
    const int py = row + k * dy;
    if (px < n && py < n && takes(px, py, k)) ++count;
  }
  if (grid.Kind(column - dx, row - dy) != CellKind::kLetter) ++count;
  const int ax = column + len * dx;
  const int ay = row + len * dy;
  if (ax <= n && ay <= n && grid.Kind(ax, ay) != CellKind::kLetter) ++count;
  return count == len + 2;
}

// The check's flood fill from (x, y): depth first over letter cells that
// touch by a side, trying right, down, left, up. Marks every cell it reaches
// in flags and returns how many it reached; the starting cell always counts.
template <typename Grid, typename Flags>
int SAIKR(const Grid& grid, int n, Flags& flags, int x, int y) {
  flags(x, y) = 1;
  int count = 1;
  auto visit = [&](int nx, int ny) {
    if (flags(nx, ny) == 0 && grid.Kind(nx, ny) == CellKind::kLetter)
      count += SAIKR(grid, n, flags, nx, ny);
  };
  if (x + 1 <= n - 1) visit(x + 1, y);
  if (y + 1 <= n - 1) visit(x, y + 1);
  if (x != 0) visit(x - 1, y);
  if (y != 0) visit(x, y - 1);
  return count;
}

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
template <typename Grid, typename Open>
void ForEachOpenEnd(const Grid& grid, int n, Open open, CheckWindow w = {}) {
  auto judge = [&](int ax, int ay, int dx, int dy) {
    const CellKind a = grid.Kind(ax, ay);
    const CellKind b = grid.Kind(ax + dx, ay + dy);
    const CellKind c = grid.Kind(ax + 2 * dx, ay + 2 * dy);
    if (b != CellKind::kLetter) return;
    if (a == CellKind::kEmpty && c == CellKind::kLetter) open(ax, ay, dx, dy);
    if (a == CellKind::kLetter && c == CellKind::kEmpty) open(ax + 2 * dx, ay + 2 * dy, -dx, -dy);
  };
  for (int y = std::max(0, w.Y0); y <= std::min(n - 1, w.Y1); ++y)
    for (int x = std::max(-1, w.X0); x <= std::min(n - 2, w.X1); ++x) judge(x, y, 1, 0);
  for (int x = std::max(0, w.X0); x <= std::min(n - 1, w.X1); ++x)
    for (int y = std::max(-1, w.Y0); y <= std::min(n - 2, w.Y1); ++y) judge(x, y, 0, 1);
}

// The board check: every letter reached by the fill from the last letter in
// scan order (bottom row, right-most), and no run open at either end. The
// fill's count goes to *reached.
template <typename Grid, typename Flags>
bool BoardComplete(const Grid& grid, int n, Flags& flags, int* reached) {
  int letters = 0;
  int lastX = 0, lastY = 0;
  for (int y = 0; y <= n - 1; ++y) {
    for (int x = 0; x <= n - 1; ++x) {
      flags(x, y) = 0;
      if (grid.Kind(x, y) == CellKind::kLetter) {
        ++letters;
        lastX = x;
        lastY = y;
      }
    }
  }
  *reached = n > 0 ? SAIKR(grid, n, flags, lastX, lastY) : 0;
  bool complete = *reached >= letters;
  ForEachOpenEnd(grid, n, [&complete](int, int, int, int) { complete = false; });
  return complete;
}

}  // namespace numera
