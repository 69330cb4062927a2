#include "play/board_rules.h"

#include <algorithm>

#include "play/letter_grid.h"

namespace numera {

CellKind TextCells::Kind(int x, int y) const {
  const QString& cell = Board(x, y);
  if (cell.isEmpty()) return CellKind::kEmpty;
  return cell == kCross ? CellKind::kMark : CellKind::kLetter;
}

bool TextCells::Takes(int x, int y, const QString& word, int k) const {
  const QString& cell = Board(x, y);
  return cell.isEmpty() || cell == word.mid(k, 1);
}

template <typename Grid, typename Word>
bool WordFits(const Grid& grid, int n, const Word& word, int column, int row, int dx, int dy) {
  const int len = static_cast<int>(word.size());
  int count = 0;
  for (int k = 0; k < len; ++k) {
    const int px = column + k * dx;
    const int py = row + k * dy;
    if (px < n && py < n && grid.Takes(px, py, word, k)) ++count;
  }
  if (grid.Kind(column - dx, row - dy) != CellKind::kLetter) ++count;
  const int ax = column + len * dx;
  const int ay = row + len * dy;
  if (ax <= n && ay <= n && grid.Kind(ax, ay) != CellKind::kLetter) ++count;
  return count == len + 2;
}

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

template <typename Grid>
void ForEachOpenEnd(const Grid& grid, int n, const OpenEnd& open, CheckWindow w) {
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

// The game's board of texts and the tool's compact board.
template bool WordFits(const TextCells&, int, const QString&, int, int, int, int);
template bool WordFits(const LetterGrid&, int, const std::u16string&, int, int, int, int);
template void ForEachOpenEnd(const TextCells&, int, const OpenEnd&, CheckWindow);
template void ForEachOpenEnd(const LetterGrid&, int, const OpenEnd&, CheckWindow);
template bool BoardComplete(const TextCells&, int, CheckedGrid<Byte>&, int*);
template bool BoardComplete(const LetterGrid&, int, FlagGrid&, int*);

}  // namespace numera
