#include "workshop/solver_places.h"

#include <algorithm>

namespace numera::workshop {

Places::Places(const Layout& layout)
    : frame_(layout.Frame()),
      items_(layout.Words().size()),
      slot_(layout.Words().size(),
            std::vector<int>(static_cast<std::size_t>(2 * frame_ * frame_), -1)),
      sizes_(layout.Words().size(), 0) {}

void Places::Fill(const Layout& layout) {
  trail_.clear();
  marks_.clear();
  boxes_.assign(1, Box(layout));
  for (int w = 0; w < static_cast<int>(items_.size()); ++w) {
    std::vector<Placement>& items = items_[static_cast<std::size_t>(w)];
    std::vector<int>& where = slot_[static_cast<std::size_t>(w)];
    for (const Placement& p : items) where[Key(p)] = -1;
    items.clear();
    const int len = static_cast<int>(layout.Words()[static_cast<std::size_t>(w)].Text.size());
    // Only where the figure's box still allows.
    const int n = layout.BoardSize();
    const int x0 = layout.Empty() ? 0 : std::max(0, layout.MaxX() - n + 1);
    const int y0 = layout.Empty() ? 0 : std::max(0, layout.MaxY() - n + 1);
    const int x1 = layout.Empty() ? frame_ - 1 : std::min(frame_ - 1, layout.MinX() + n - 1);
    const int y1 = layout.Empty() ? frame_ - 1 : std::min(frame_ - 1, layout.MinY() + n - 1);
    for (int dir = 0; dir < 2 && !layout.IsPlaced(w); ++dir) {
      for (int y = y0; y <= y1 - (len - 1) * dir; ++y) {
        for (int x = x0; x <= x1 - (len - 1) * (1 - dir); ++x) {
          const Placement p{w, x, y, dir};
          if (!layout.CanPlace(p)) continue;
          where[Key(p)] = static_cast<int>(items.size());
          items.push_back(p);
        }
      }
    }
    sizes_[static_cast<std::size_t>(w)] = static_cast<int>(items.size());
  }
}

bool Places::Has(const Placement& p) const {
  if (p.X < 0 || p.Y < 0 || p.X >= frame_ || p.Y >= frame_) return false;
  const int i = slot_[static_cast<std::size_t>(p.Word)][Key(p)];
  return i >= 0 && i < sizes_[static_cast<std::size_t>(p.Word)];
}

void Places::Drop(int word, std::size_t key) {
  const std::size_t w = static_cast<std::size_t>(word);
  const int i = slot_[w][key];
  if (i < 0 || i >= sizes_[w]) return;
  const int last = --sizes_[w];
  std::swap(items_[w][static_cast<std::size_t>(i)], items_[w][static_cast<std::size_t>(last)]);
  slot_[w][Key(items_[w][static_cast<std::size_t>(i)])] = i;
  slot_[w][key] = last;
  trail_.push_back(word);
}

Places::BoxOf Places::Box(const Layout& layout) {
  return {layout.MinX(), layout.MaxX(), layout.MinY(), layout.MaxY()};
}

void Places::Narrow(const Layout& layout, const Placement& p) {
  marks_.push_back(trail_.size());
  const BoxOf box = Box(layout);
  const bool shrank = !(box == boxes_.back());
  boxes_.push_back(box);
  const int words = static_cast<int>(items_.size());
  if (shrank) {
    // The box moved: any place may have left it.
    for (int w = 0; w < words; ++w) {
      if (layout.IsPlaced(w)) continue;
      for (int i = sizes_[static_cast<std::size_t>(w)]; i-- > 0;) {
        const Placement& q = items_[static_cast<std::size_t>(w)][static_cast<std::size_t>(i)];
        if (!layout.CanPlace(q)) Drop(w, Key(q));
      }
    }
    return;
  }
  // Otherwise only the places over or next to what p wrote: its letters and
  // its two end marks.
  const int len = static_cast<int>(layout.Words()[static_cast<std::size_t>(p.Word)].Text.size());
  const int dx = 1 - p.Dir, dy = p.Dir;
  auto test = [&](int w, int x, int y, int dir) {
    const Placement q{w, x, y, dir};
    if (Has(q) && !layout.CanPlace(q)) Drop(w, Key(q));
  };
  for (int w = 0; w < words; ++w) {
    if (layout.IsPlaced(w)) continue;
    const int wlen = static_cast<int>(layout.Words()[static_cast<std::size_t>(w)].Text.size());
    // Along p's line: placements whose cells and end cells meet p's.
    for (int s = -1 - wlen; s <= len + 1; ++s) test(w, p.X + s * dx, p.Y + s * dy, p.Dir);
    // Across it: through each cell p wrote.
    for (int k = -1; k <= len; ++k) {
      const int cx = p.X + k * dx, cy = p.Y + k * dy;
      for (int s = -wlen; s <= 1; ++s) test(w, cx + s * dy, cy + s * dx, 1 - p.Dir);
    }
  }
}

void Places::DropCrossing(const Layout& layout, int word) {
  marks_.push_back(trail_.size());
  boxes_.push_back(boxes_.back());
  for (int i = sizes_[static_cast<std::size_t>(word)]; i-- > 0;) {
    const Placement& q = items_[static_cast<std::size_t>(word)][static_cast<std::size_t>(i)];
    if (layout.Crossings(q) > 0) Drop(word, Key(q));
  }
}

void Places::Widen() {
  for (std::size_t i = trail_.size(); i-- > marks_.back();)
    ++sizes_[static_cast<std::size_t>(trail_[i])];
  trail_.resize(marks_.back());
  marks_.pop_back();
  boxes_.pop_back();
}

}  // namespace numera::workshop
