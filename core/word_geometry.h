// Where a word lies on a board: across (dir 0, x grows) or down (dir 1, y
// grows) from its first letter, with an end mark in the cell just before
// the first letter and in the cell just after the last. The game's board,
// its placement and the puzzle workshop's boards all write words this way.
#pragma once

namespace numera {

struct BoardCell {
  int X = 0;
  int Y = 0;
};

// The cell of letter k of a word starting at (x, y) in direction dir; k = -1
// and k = the word's length are the cells of its end marks.
constexpr BoardCell LetterCell(int x, int y, int dir, int k) {
  return {x + k * (1 - dir), y + k * dir};
}

// Visits the cells of a word of `length` letters: visit(cell, k) for each
// letter k in order, then for the end mark before it (k = -1) and after it
// (k = length).
template <typename Visit>
void ForEachWordCell(int length, int x, int y, int dir, Visit visit) {
  for (int k = 0; k < length; ++k) visit(LetterCell(x, y, dir, k), k);
  for (const int k : {-1, length}) visit(LetterCell(x, y, dir, k), k);
}

// Writes a word of `length` letters into a grid of cells (indexed
// grid(x, y)): letter(k) into the cell of letter k, `mark` into both
// end-mark cells.
template <typename Grid, typename LetterOf, typename Mark>
void WriteWord(Grid& grid, int length, int x, int y, int dir, LetterOf letter, const Mark& mark) {
  ForEachWordCell(length, x, y, dir, [&](BoardCell c, int k) {
    if (k >= 0 && k < length)
      grid(c.X, c.Y) = letter(k);
    else
      grid(c.X, c.Y) = mark;
  });
}

}  // namespace numera
