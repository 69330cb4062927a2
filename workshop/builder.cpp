#include "workshop/builder.h"

#include <algorithm>
#include <cstdlib>

#include "core/word_geometry.h"

namespace numera::workshop {

bool BestCrossing(Layout& layout, int word, Rng& rng, Placement* out, std::uint64_t* nodes) {
  const std::u16string& text = layout.Words()[static_cast<std::size_t>(word)].Text;
  const int len = static_cast<int>(text.size());
  const int span = (layout.MaxX() - layout.MinX()) + (layout.MaxY() - layout.MinY());
  bool found = false;
  long best = 0;
  for (int k = 0; k < len; ++k) {
    const char16_t letter = text[static_cast<std::size_t>(k)];
    // By index: trying a place grows the list and takes the growth back.
    const std::size_t count = layout.CellsWith(letter).size();
    for (std::size_t i = 0; i < count; ++i) {
      const int cell = layout.CellsWith(letter)[i];
      for (int dir = 0; dir < 2; ++dir) {
        const Placement p{word, CellX(cell) - k * (1 - dir), CellY(cell) - k * dir, dir};
        if (!layout.CanPlace(p)) continue;
        const int crossings = layout.Crossings(p);
        layout.Place(p);
        ++*nodes;
        const bool closed = layout.RunsClosedAround(p);
        const int growth = (layout.MaxX() - layout.MinX()) + (layout.MaxY() - layout.MinY()) - span;
        layout.Undo();
        if (!closed) continue;
        const long value = (crossings * 8L - growth) * 64 + rng.Below(64);
        if (!found || value > best) {
          found = true;
          best = value;
          *out = p;
        }
      }
    }
  }
  return found;
}

void BuildGreedily(Layout& layout, const std::vector<int>& order, Rng& rng, std::uint64_t* nodes) {
  std::vector<int> waiting;
  for (const int w : order)
    if (!layout.IsPlaced(w)) waiting.push_back(w);
  if (layout.Empty() && !waiting.empty()) {
    const Placement root = layout.Root(waiting.front());
    if (layout.CanPlace(root)) {
      layout.Place(root);
      ++*nodes;
    }
    waiting.erase(waiting.begin());
  }
  for (bool progress = true; progress && !waiting.empty();) {
    progress = false;
    std::vector<int> left;
    for (const int w : waiting) {
      Placement p;
      if (BestCrossing(layout, w, rng, &p, nodes)) {
        layout.Place(p);
        progress = true;
      } else {
        left.push_back(w);
      }
    }
    waiting.swap(left);
  }
}

namespace {

// How many other words cross each placement of the figure.
std::vector<int> CrossingCounts(const Layout& layout, const std::vector<Placement>& figure) {
  RingGrid<std::uint8_t> cover(layout.Frame());
  auto cells = [&layout](const Placement& p, auto visit) {
    const int len = static_cast<int>(layout.Words()[static_cast<std::size_t>(p.Word)].Text.size());
    for (int k = 0; k < len; ++k) {
      const BoardCell c = LetterCell(p.X, p.Y, p.Dir, k);
      visit(c.X, c.Y);
    }
  };
  for (const Placement& p : figure) cells(p, [&cover](int x, int y) { ++cover(x, y); });
  std::vector<int> counts;
  for (const Placement& p : figure) {
    int crossings = 0;
    cells(p, [&](int x, int y) { crossings += cover(x, y) > 1 ? 1 : 0; });
    counts.push_back(crossings);
  }
  return counts;
}

}  // namespace

void Rebuild(Layout& layout, const std::vector<Placement>& figure, int most, Rng& rng,
             std::uint64_t* nodes) {
  std::vector<Placement> kept = figure;
  std::vector<int> takenOff;
  if (!kept.empty()) {
    const Placement centre =
        kept[static_cast<std::size_t>(rng.Below(static_cast<int>(kept.size())))];
    const int count = 1 + rng.Below(most);
    for (int r = 0; r < count; ++r) {
      const std::vector<int> crossings = CrossingCounts(layout, kept);
      std::size_t nearest = kept.size();
      int distance = 0;
      for (std::size_t i = 0; i < kept.size(); ++i) {
        const int d = std::abs(kept[i].X - centre.X) + std::abs(kept[i].Y - centre.Y);
        if (crossings[i] <= 1 && (nearest == kept.size() || d < distance)) {
          nearest = i;
          distance = d;
        }
      }
      if (nearest == kept.size()) break;
      takenOff.push_back(kept[nearest].Word);
      kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(nearest));
    }
  }
  layout.Clear();
  for (const Placement& p : kept) layout.Place(p);
  std::vector<int> order;
  for (int w = 0; w < static_cast<int>(layout.Words().size()); ++w)
    if (!layout.IsPlaced(w) && std::find(takenOff.begin(), takenOff.end(), w) == takenOff.end())
      order.push_back(w);
  rng.Shuffle(order);
  rng.Shuffle(takenOff);
  order.insert(order.end(), takenOff.begin(), takenOff.end());
  BuildGreedily(layout, order, rng, nodes);
}

}  // namespace numera::workshop
