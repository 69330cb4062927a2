// A board under construction for the search and the maker.
//
// The figure is built in a frame twice the board's side, starting from a
// first word across in its middle, and is kept within a board-sized box; it
// is moved onto the real board only when it is done. So one figure is never
// tried again merely shifted, and the first word never runs into an edge.
// Every placement passes the game's own fit test on the frame as it stands.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/game_state.h"
#include "play/letter_grid.h"

namespace numera::workshop {

// A word of the puzzle as the search sees it.
struct Word {
  std::u16string Text;
  Long Points = 0;
};

// Word (0-based in the puzzle's list) with its first letter on (X, Y); Dir 0
// across, 1 down.
struct Placement {
  int Word = 0;
  int X = 0;
  int Y = 0;
  int Dir = 0;
  bool operator==(const Placement&) const = default;
};

class Layout {
 public:
  Layout(const std::vector<Word>& words, int boardSize);

  const std::vector<Word>& Words() const { return words_; }
  int BoardSize() const { return n_; }
  int Frame() const { return grid_.Size(); }

  // Where the first word goes: across, in the middle of the frame.
  Placement Root(int word) const { return {word, n_ - 1, n_ - 1, 0}; }

  // The word is not placed yet, passes the fit test and the same-place test,
  // and the figure stays within a board-sized box.
  bool CanPlace(const Placement& p) const;
  // How many of its letters are already on the board.
  int Crossings(const Placement& p) const;
  void Place(const Placement& p);
  void Undo();
  void Clear();

  // Whether the runs near the last placement are closed: a complete board
  // stays complete when a word crossing it passes this.
  bool RunsClosedAround(const Placement& p) const;
  // The game's whole board check.
  bool Complete() const;

  bool IsPlaced(int word) const { return placed_[static_cast<std::size_t>(word)] != 0; }
  const std::vector<Placement>& Placed() const { return placements_; }
  Long Score() const { return score_; }
  const LetterGrid& Grid() const { return grid_; }
  // Cells (x, y packed as y * 256 + x) holding this letter.
  const std::vector<int>& CellsWith(char16_t letter) const;
  // The letter cells, in the order they were written.
  const std::vector<int>& LetterCells() const { return letters_; }
  // The box the letters fill; empty while nothing is placed.
  int MinX() const { return minX_; }
  int MaxX() const { return maxX_; }
  int MinY() const { return minY_; }
  int MaxY() const { return maxY_; }
  bool Empty() const { return placements_.empty(); }

  // The placements moved onto the board: the figure's top left letter at the
  // top left corner, in the order they were made.
  std::vector<Placement> OnBoard() const;

 private:
  struct Step {
    std::size_t Cells;    // size of changed_ before the step
    std::size_t Letters;  // size of letters_ before the step
    int MinX, MaxX, MinY, MaxY;
  };

  std::vector<Word> words_;
  int n_;
  LetterGrid grid_;
  mutable FlagGrid flags_;
  RingGrid<std::uint8_t> starts_[2];
  std::vector<char> placed_;
  std::vector<Placement> placements_;
  std::vector<Step> steps_;
  std::vector<std::size_t> changed_;  // slots written, to be emptied by Undo
  std::vector<int> letters_;
  std::unordered_map<char16_t, std::vector<int>> byLetter_;
  Long score_ = 0;
  int minX_ = 0, maxX_ = -1, minY_ = 0, maxY_ = -1;
};

inline int PackCell(int x, int y) {
  return y * 256 + x;
}
inline int CellX(int packed) {
  return packed % 256;
}
inline int CellY(int packed) {
  return packed / 256;
}

}  // namespace numera::workshop
