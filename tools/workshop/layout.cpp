#include "tools/workshop/layout.h"

#include <algorithm>

namespace numera::workshop {

Layout::Layout(const std::vector<Word>& words, int boardSize)
    : words_(words),
      n_(boardSize),
      grid_(2 * boardSize - 1),
      flags_(2 * boardSize - 1),
      starts_{RingGrid<std::uint8_t>(2 * boardSize - 1), RingGrid<std::uint8_t>(2 * boardSize - 1)},
      placed_(words.size(), 0) {}

bool Layout::CanPlace(const Placement& p) const {
  if (IsPlaced(p.Word)) return false;
  const std::u16string& text = words_[static_cast<std::size_t>(p.Word)].Text;
  const int len = static_cast<int>(text.size());
  const int dx = 1 - p.Dir, dy = p.Dir;
  const int lastX = p.X + (len - 1) * dx, lastY = p.Y + (len - 1) * dy;
  // The frame is big enough for any board-sized figure; keeping the word
  // inside it keeps the fit test on the frame and its ring.
  if (len == 0 || p.X < 0 || p.Y < 0 || lastX >= Frame() || lastY >= Frame()) return false;
  if (!Empty()) {
    const int width = std::max(maxX_, lastX) - std::min(minX_, p.X) + 1;
    const int height = std::max(maxY_, lastY) - std::min(minY_, p.Y) + 1;
    if (width > n_ || height > n_) return false;
  } else if (len > n_) {
    return false;
  }
  if (starts_[p.Dir](p.X, p.Y) != 0) return false;
  auto takes = [&](int x, int y, int k) {
    const char16_t c = grid_(x, y);
    return c == kEmptyCell || c == text[static_cast<std::size_t>(k)];
  };
  return WordFits(grid_, Frame(), len, p.X, p.Y, dx, dy, takes);
}

int Layout::Crossings(const Placement& p) const {
  const std::u16string& text = words_[static_cast<std::size_t>(p.Word)].Text;
  int count = 0;
  for (int k = 0; k < static_cast<int>(text.size()); ++k)
    if (grid_(p.X + k * (1 - p.Dir), p.Y + k * p.Dir) != kEmptyCell) ++count;
  return count;
}

void Layout::Place(const Placement& p) {
  steps_.push_back({changed_.size(), letters_.size(), minX_, maxX_, minY_, maxY_});
  const Word& word = words_[static_cast<std::size_t>(p.Word)];
  const int len = static_cast<int>(word.Text.size());
  const int dx = 1 - p.Dir, dy = p.Dir;
  auto write = [&](int x, int y, char16_t c) {
    if (grid_(x, y) != kEmptyCell) return;
    grid_(x, y) = c;
    changed_.push_back(grid_.Slot(x, y));
    if (c != kMarkCell) {
      letters_.push_back(PackCell(x, y));
      byLetter_[c].push_back(PackCell(x, y));
    }
  };
  for (int k = 0; k < len; ++k)
    write(p.X + k * dx, p.Y + k * dy, word.Text[static_cast<std::size_t>(k)]);
  write(p.X - dx, p.Y - dy, kMarkCell);
  write(p.X + len * dx, p.Y + len * dy, kMarkCell);
  if (Empty()) {
    minX_ = p.X, minY_ = p.Y, maxX_ = p.X + (len - 1) * dx, maxY_ = p.Y + (len - 1) * dy;
  } else {
    minX_ = std::min(minX_, p.X), minY_ = std::min(minY_, p.Y);
    maxX_ = std::max(maxX_, p.X + (len - 1) * dx), maxY_ = std::max(maxY_, p.Y + (len - 1) * dy);
  }
  ++starts_[p.Dir](p.X, p.Y);
  placed_[static_cast<std::size_t>(p.Word)] = 1;
  score_ += word.Points;
  placements_.push_back(p);
}

void Layout::Undo() {
  const Placement p = placements_.back();
  const Step step = steps_.back();
  placements_.pop_back();
  steps_.pop_back();
  for (std::size_t i = letters_.size(); i-- > step.Letters;) {
    const int cell = letters_[i];
    byLetter_[grid_(CellX(cell), CellY(cell))].pop_back();
  }
  letters_.resize(step.Letters);
  for (std::size_t i = step.Cells; i < changed_.size(); ++i) {
    const std::size_t slot = changed_[i];
    const int stride = Frame() + 2;
    grid_(static_cast<int>(slot) % stride - 1, static_cast<int>(slot) / stride - 1) = kEmptyCell;
  }
  changed_.resize(step.Cells);
  minX_ = step.MinX, maxX_ = step.MaxX, minY_ = step.MinY, maxY_ = step.MaxY;
  --starts_[p.Dir](p.X, p.Y);
  placed_[static_cast<std::size_t>(p.Word)] = 0;
  score_ -= words_[static_cast<std::size_t>(p.Word)].Points;
}

void Layout::Clear() {
  while (!placements_.empty()) Undo();
}

bool Layout::RunsClosedAround(const Placement& p) const {
  const int len = static_cast<int>(words_[static_cast<std::size_t>(p.Word)].Text.size());
  const int dx = 1 - p.Dir, dy = p.Dir;
  // Every three-cell window that holds a written cell (the letters and both
  // marks) starts at most two cells before it.
  const CheckWindow window{p.X - dx - 2, p.Y - dy - 2, p.X + len * dx, p.Y + len * dy};
  bool closed = true;
  ForEachOpenEnd(
      grid_, Frame(), [&closed](int, int, int, int) { closed = false; }, window);
  return closed;
}

bool Layout::Complete() const {
  int reached = 0;
  return BoardComplete(grid_, Frame(), flags_, &reached);
}

const std::vector<int>& Layout::CellsWith(char16_t letter) const {
  static const std::vector<int> none;
  const auto it = byLetter_.find(letter);
  return it == byLetter_.end() ? none : it->second;
}

std::vector<Placement> Layout::OnBoard() const {
  std::vector<Placement> out = placements_;
  for (Placement& p : out) {
    p.X -= minX_;
    p.Y -= minY_;
  }
  return out;
}

}  // namespace numera::workshop
