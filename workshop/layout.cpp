#include "workshop/layout.h"

#include <algorithm>

#include "core/word_geometry.h"

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
  const BoardCell last = LetterCell(p.X, p.Y, p.Dir, len - 1);
  const int lastX = last.X, lastY = last.Y;
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
  return WordFits(grid_, Frame(), text, p.X, p.Y, 1 - p.Dir, p.Dir);
}

int Layout::Crossings(const Placement& p) const {
  const std::u16string& text = words_[static_cast<std::size_t>(p.Word)].Text;
  int count = 0;
  for (int k = 0; k < static_cast<int>(text.size()); ++k) {
    const BoardCell c = LetterCell(p.X, p.Y, p.Dir, k);
    if (grid_(c.X, c.Y) != kEmptyCell) ++count;
  }
  return count;
}

void Layout::Place(const Placement& p) {
  steps_.push_back({changed_.size(), letters_.size(), minX_, maxX_, minY_, maxY_});
  const Word& word = words_[static_cast<std::size_t>(p.Word)];
  const int len = static_cast<int>(word.Text.size());
  // A cell already written (a crossing, a shared end mark) stays as it is.
  ForEachWordCell(len, p.X, p.Y, p.Dir, [&](BoardCell c, int k) {
    if (grid_(c.X, c.Y) != kEmptyCell) return;
    const char16_t letter = k >= 0 && k < len ? word.Text[static_cast<std::size_t>(k)] : kMarkCell;
    grid_(c.X, c.Y) = letter;
    changed_.push_back(grid_.Slot(c.X, c.Y));
    if (letter != kMarkCell) {
      letters_.push_back(PackCell(c.X, c.Y));
      byLetter_[letter].push_back(PackCell(c.X, c.Y));
    }
  });
  const BoardCell last = LetterCell(p.X, p.Y, p.Dir, len - 1);
  if (Empty()) {
    minX_ = p.X, minY_ = p.Y, maxX_ = last.X, maxY_ = last.Y;
  } else {
    minX_ = std::min(minX_, p.X), minY_ = std::min(minY_, p.Y);
    maxX_ = std::max(maxX_, last.X), maxY_ = std::max(maxY_, last.Y);
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
  // Every three-cell window that holds a written cell (the letters and both
  // marks) starts at most two cells before it.
  const BoardCell before = LetterCell(p.X, p.Y, p.Dir, -1),
                  after = LetterCell(p.X, p.Y, p.Dir, len);
  const CheckWindow window{before.X - 2, before.Y - 2, after.X, after.Y};
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
