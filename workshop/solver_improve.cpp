#include "workshop/solver_improve.h"

#include <algorithm>
#include <cstdlib>

namespace numera::workshop {

namespace {

// Boards one step may try: enough to fill a small hole, few enough that
// many holes are tried.
constexpr long kStepNodes = 250;
// An open end with at most this many ways to close it is decided first.
constexpr int kFewSupports = 6;
// Steps in a hundred that make room for a word left out; the others take
// off the words nearest a word on the board.
constexpr int kRoomShare = 90;
// Words taken off near the hole besides the ones in the way, at most.
constexpr int kMostNearby = 4;
// Words nearest a word on the board taken off, at least and at most.
constexpr int kFewestNearest = 2, kMostNearest = 11;
// A word's weight is its points this many times; a word left out gains
// kGain at every step.
constexpr Long kScale = 16, kGain = 4;
// Steps in a hundred that are the builder's greedy rebuild instead, and the
// most leaves it takes off.
constexpr int kGreedyShare = 15;
constexpr int kMostLeaves = 30;

}  // namespace

Improver::Improver(const std::vector<Word>& words, int boardSize, std::uint64_t seed)
    : words_(words), layout_(words, boardSize), places_(layout_), rng_(seed) {
  for (int w = 0; w < static_cast<int>(words.size()); ++w) {
    const Word& word = words[static_cast<std::size_t>(w)];
    weight_.push_back(word.Points * kScale);
    if (word.Points > 0 && !word.Text.empty()) wanted_.push_back(w);
  }
}

Long Improver::Weight() const {
  Long sum = 0;
  for (const Placement& p : layout_.Placed()) sum += weight_[static_cast<std::size_t>(p.Word)];
  return sum;
}

std::vector<Placement> Improver::OnBoard() {
  layout_.Clear();
  for (const Placement& p : figure_) layout_.Place(p);
  return layout_.OnBoard();
}

void Improver::Fresh(std::uint64_t* nodes) {
  Long top = 1;
  for (const Word& w : words_) top = std::max(top, w.Points);
  std::vector<std::pair<Long, int>> keyed;
  for (const int w : wanted_)
    keyed.push_back({-(words_[static_cast<std::size_t>(w)].Points * 4 +
                       rng_.Below(static_cast<int>(std::min<Long>(top, 1 << 30)))),
                     w});
  std::sort(keyed.begin(), keyed.end());
  std::vector<int> order;
  for (const auto& [key, w] : keyed) order.push_back(w);
  layout_.Clear();
  BuildGreedily(layout_, order, rng_, nodes);
  figure_ = layout_.Placed();
  score_ = layout_.Score();
}

// The words of the figure that a word at q would run into: a letter on a
// different letter or on an end mark, an end mark on a letter, or the same
// first cell and direction.
std::vector<char> Improver::Clashing(const Placement& q) const {
  std::vector<char> clash(figure_.size(), 0);
  const std::u16string& text = words_[static_cast<std::size_t>(q.Word)].Text;
  const int len = static_cast<int>(text.size());
  for (std::size_t i = 0; i < figure_.size(); ++i) {
    const Placement& p = figure_[i];
    const std::u16string& other = words_[static_cast<std::size_t>(p.Word)].Text;
    const int olen = static_cast<int>(other.size());
    bool hit = q.X == p.X && q.Y == p.Y && q.Dir == p.Dir;
    for (int a = -1; a <= len && !hit; ++a) {
      for (int b = -1; b <= olen && !hit; ++b) {
        if (q.X + a * (1 - q.Dir) != p.X + b * (1 - p.Dir) || q.Y + a * q.Dir != p.Y + b * p.Dir)
          continue;
        const bool letter = a >= 0 && a < len, otherLetter = b >= 0 && b < olen;
        if (letter && otherLetter) {
          hit = text[static_cast<std::size_t>(a)] != other[static_cast<std::size_t>(b)];
        } else {
          hit = letter || otherLetter;
        }
      }
    }
    clash[i] = hit ? 1 : 0;
  }
  return clash;
}

std::vector<char> Improver::TakeOff() {
  std::vector<int> left;
  std::vector<char> on(words_.size(), 0);
  for (const Placement& p : figure_) on[static_cast<std::size_t>(p.Word)] = 1;
  for (const int w : wanted_)
    if (!on[static_cast<std::size_t>(w)]) left.push_back(w);
  std::vector<char> off(figure_.size(), 0);
  int cx = 0, cy = 0, more = 0;  // centre (in half cells) and how many near it
  if (!left.empty() && rng_.Below(100) < kRoomShare) {
    const int w = left[static_cast<std::size_t>(rng_.Below(static_cast<int>(left.size())))];
    const int len = static_cast<int>(words_[static_cast<std::size_t>(w)].Text.size());
    const int n = layout_.BoardSize(), dir = rng_.Below(2);
    const int x0 = std::max(0, layout_.MaxX() - n + 1), y0 = std::max(0, layout_.MaxY() - n + 1);
    const Placement room{w, x0 + rng_.Below(n - (len - 1) * (1 - dir)),
                         y0 + rng_.Below(n - (len - 1) * dir), dir};
    off = Clashing(room);
    cx = 2 * room.X + (len - 1) * (1 - dir);
    cy = 2 * room.Y + (len - 1) * dir;
    more = rng_.Below(kMostNearby + 1);
  } else {
    const Placement& centre =
        figure_[static_cast<std::size_t>(rng_.Below(static_cast<int>(figure_.size())))];
    cx = 2 * centre.X;
    cy = 2 * centre.Y;
    more = kFewestNearest + rng_.Below(kMostNearest - kFewestNearest + 1);
  }
  std::vector<std::pair<long, std::size_t>> near;
  for (std::size_t i = 0; i < figure_.size(); ++i) {
    if (off[i]) continue;
    const Placement& p = figure_[i];
    const int len = static_cast<int>(words_[static_cast<std::size_t>(p.Word)].Text.size());
    const long distance = std::abs(2 * p.X + (len - 1) * (1 - p.Dir) - cx) +
                          std::abs(2 * p.Y + (len - 1) * p.Dir - cy);
    near.push_back({distance * 64 + rng_.Below(64), i});
  }
  std::sort(near.begin(), near.end());
  // One word always stays, so the figure has somewhere to grow from.
  for (int i = 0; i < more && i + 1 < static_cast<int>(near.size()); ++i)
    off[near[static_cast<std::size_t>(i)].second] = 1;
  if (near.empty()) off[0] = 0;
  return off;
}

// Widens the window of the open-run test by the three-cell windows that
// meet the word's cells and end marks.
void Improver::Widen(CheckWindow* window, const Placement& p) const {
  const int len = static_cast<int>(words_[static_cast<std::size_t>(p.Word)].Text.size());
  const int dx = 1 - p.Dir, dy = p.Dir;
  window->X0 = std::min(window->X0, p.X - dx - 3);
  window->Y0 = std::min(window->Y0, p.Y - dy - 3);
  window->X1 = std::max(window->X1, p.X + len * dx + 1);
  window->Y1 = std::max(window->Y1, p.Y + len * dy + 1);
}

void Improver::Step(std::uint64_t* nodes) {
  if (score_ < 0 || figure_.empty()) {
    Fresh(nodes);
    return;
  }
  if (rng_.Below(100) < kGreedyShare || Roomy()) {
    // The builder's own rebuild: leaves off, every word off the board placed
    // greedily again. Cheap, and on a roomy board it does most of the work.
    Long before = 0;
    for (const Placement& p : figure_) before += weight_[static_cast<std::size_t>(p.Word)];
    Rebuild(layout_, figure_, kMostLeaves, rng_, nodes);
    if (Weight() >= before && layout_.Complete()) {
      figure_ = layout_.Placed();
      score_ = layout_.Score();
    }
    GainWeight();
    return;
  }
  const std::vector<char> off = TakeOff();
  layout_.Clear();
  for (std::size_t i = 0; i < figure_.size(); ++i)
    if (!off[i]) layout_.Place(figure_[i]);
  kept_ = layout_.Placed().size();
  // The figure was complete: runs can be open only next to what changes.
  changed_ = {layout_.Frame(), layout_.Frame(), -1, -1};
  for (std::size_t i = 0; i < figure_.size(); ++i)
    if (off[i]) Widen(&changed_, figure_[i]);
  floor_ = 0;
  for (const Placement& p : figure_) floor_ += weight_[static_cast<std::size_t>(p.Word)];
  --floor_;  // a board of equal weight is taken too
  off_.clear();
  for (const int w : wanted_)
    if (!layout_.IsPlaced(w)) off_.push_back(w);
  places_.Fill(layout_);
  found_.clear();
  nodes_ = 0;
  Search();
  *nodes += static_cast<std::uint64_t>(std::min(nodes_, kStepNodes));
  if (!found_.empty()) {
    figure_ = found_;
    score_ = 0;
    for (const Placement& p : figure_) score_ += words_[static_cast<std::size_t>(p.Word)].Points;
  }
  GainWeight();
}

// A figure that does not fill the board's box both ways leaves room to
// grow: the greedy rebuild suffices there, and the exact fill would keep
// testing every place again as the box moves.
bool Improver::Roomy() const {
  int minX = layout_.Frame(), minY = layout_.Frame(), maxX = -1, maxY = -1;
  for (const Placement& p : figure_) {
    const int len = static_cast<int>(words_[static_cast<std::size_t>(p.Word)].Text.size());
    minX = std::min(minX, p.X);
    minY = std::min(minY, p.Y);
    maxX = std::max(maxX, p.X + (len - 1) * (1 - p.Dir));
    maxY = std::max(maxY, p.Y + (len - 1) * p.Dir);
  }
  return maxX - minX + 1 < layout_.BoardSize() || maxY - minY + 1 < layout_.BoardSize();
}

void Improver::GainWeight() {
  std::vector<char> on(words_.size(), 0);
  for (const Placement& p : figure_) on[static_cast<std::size_t>(p.Word)] = 1;
  for (const int w : wanted_)
    if (!on[static_cast<std::size_t>(w)]) weight_[static_cast<std::size_t>(w)] += kGain;
}

void Improver::Search() {
  if (++nodes_ > kStepNodes) return;
  Long bound = Weight();
  for (const int w : off_)
    if (!layout_.IsPlaced(w) && places_.Count(w) > 0) bound += weight_[static_cast<std::size_t>(w)];
  if (bound <= floor_) return;

  // Every open end must be closed by a place still open: the one with the
  // fewest such places.
  std::vector<Placement> closing;
  bool dead = false, open = false;
  CheckWindow window = changed_;
  for (std::size_t i = kept_; i < layout_.Placed().size(); ++i) Widen(&window, layout_.Placed()[i]);
  ForEachOpenEnd(
      layout_.Grid(), layout_.Frame(),
      [&](int ex, int ey, int, int) {
        if (dead) return;
        std::vector<Placement> here;
        for (const int w : off_) {
          if (layout_.IsPlaced(w)) continue;
          const int len = static_cast<int>(words_[static_cast<std::size_t>(w)].Text.size());
          for (int dir = 0; dir < 2; ++dir) {
            for (int s = -len; s <= 1; ++s) {
              const Placement q{w, ex + s * (1 - dir), ey + s * dir, dir};
              if (places_.Has(q)) here.push_back(q);
            }
          }
        }
        dead = here.empty();
        if (!open || here.size() < closing.size()) closing = here;
        open = true;
      },
      window);
  if (dead) return;

  // The word with the fewest places that cross the figure.
  int best = -1;
  long bestKey = 0;
  for (const int w : off_) {
    if (layout_.IsPlaced(w)) continue;
    long crossing = 0;
    for (int i = 0; i < places_.Count(w); ++i)
      if (layout_.Crossings(places_.At(w, i)) > 0) ++crossing;
    if (crossing == 0) continue;
    const long key = (crossing * 100000 + places_.Count(w)) * 64 + rng_.Below(64);
    if (best < 0 || key < bestKey) {
      best = w;
      bestKey = key;
    }
  }
  // A complete board on the way counts as well as one at the end.
  if (!open && Weight() > floor_ && layout_.Complete()) {
    floor_ = Weight();
    found_ = layout_.Placed();
  }
  if (best < 0 && !open) return;
  std::vector<std::pair<long, Placement>> moves;
  const bool byEnd = open && (best < 0 || static_cast<int>(closing.size()) <= kFewSupports);
  if (byEnd) {
    for (const Placement& q : closing) moves.push_back({0, q});
  } else {
    for (int i = 0; i < places_.Count(best); ++i)
      if (layout_.Crossings(places_.At(best, i)) > 0) moves.push_back({0, places_.At(best, i)});
  }
  for (auto& [key, q] : moves) key = -layout_.Crossings(q) * (1L << 20) + rng_.Below(1 << 20);
  std::sort(moves.begin(), moves.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [key, q] : moves) {
    layout_.Place(q);
    places_.Narrow(layout_, q);
    Search();
    places_.Widen();
    layout_.Undo();
    if (nodes_ > kStepNodes) return;
  }
  if (!byEnd) {
    // The word goes somewhere that crosses a letter not yet on the board.
    places_.DropCrossing(layout_, best);
    Search();
    places_.Widen();
  }
}

}  // namespace numera::workshop
