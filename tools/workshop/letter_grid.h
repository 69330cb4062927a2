// Compact boards for the search: one UTF-16 unit a cell, with the ring
// around the board, so the game's rules (play/board_rules.h) run on them
// without a text per cell.
#pragma once

#include <cstdint>
#include <vector>

#include "play/board_rules.h"

namespace numera::workshop {

inline constexpr char16_t kEmptyCell = 0;
inline constexpr char16_t kMarkCell = u'×';

// A square grid of side n with its ring: cells -1..n in both directions.
template <typename T>
class RingGrid {
 public:
  explicit RingGrid(int n = 0)
      : n_(n), stride_(n + 2), cells_(static_cast<std::size_t>(stride_ * stride_)) {}
  int Size() const { return n_; }
  T& operator()(int x, int y) { return cells_[Slot(x, y)]; }
  const T& operator()(int x, int y) const { return cells_[Slot(x, y)]; }
  std::size_t Slot(int x, int y) const {
    return static_cast<std::size_t>((y + 1) * stride_ + x + 1);
  }

 private:
  int n_;
  int stride_;
  std::vector<T> cells_;
};

// Letters as the game's cells hold them: 0 empty, "×" an end mark.
class LetterGrid : public RingGrid<char16_t> {
 public:
  using RingGrid::RingGrid;
  CellKind Kind(int x, int y) const {
    const char16_t c = (*this)(x, y);
    return c == kEmptyCell  ? CellKind::kEmpty
           : c == kMarkCell ? CellKind::kMark
                            : CellKind::kLetter;
  }
};

using FlagGrid = RingGrid<std::uint8_t>;

}  // namespace numera::workshop
