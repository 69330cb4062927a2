// Where each word not on the board can still go.
//
// A word's places are the placements that pass the fit test on the frame
// as it stands and keep the figure within a board-sized box. Cells only
// fill and the box only shrinks as words are placed, so a place lost stays
// lost down the branch: after each placement the sets are narrowed (only
// the placements over or next to the cells it wrote, or all of them when
// the box shrank, are tested again), and undoing it widens them back.
#pragma once

#include <vector>

#include "workshop/layout.h"

namespace numera::workshop {

class Places {
 public:
  explicit Places(const Layout& layout);

  // Every place of every word not on the layout, from scratch.
  void Fill(const Layout& layout);
  // After layout.Place(p): drops what p took away. Each call is taken back
  // by one Widen, last first.
  void Narrow(const Layout& layout, const Placement& p);
  void Widen();
  // Drops the word's places that would cross a letter on the board; taken
  // back by one Widen.
  void DropCrossing(const Layout& layout, int word);

  int Count(int word) const { return sizes_[static_cast<std::size_t>(word)]; }
  const Placement& At(int word, int i) const {
    return items_[static_cast<std::size_t>(word)][static_cast<std::size_t>(i)];
  }
  bool Has(const Placement& p) const;

 private:
  std::size_t Key(const Placement& p) const {
    return static_cast<std::size_t>((p.Dir * frame_ + p.Y) * frame_ + p.X);
  }
  void Drop(int word, std::size_t key);
  struct BoxOf {
    int MinX, MaxX, MinY, MaxY;
    bool operator==(const BoxOf&) const = default;
  };
  static BoxOf Box(const Layout& layout);

  int frame_;
  std::vector<std::vector<Placement>> items_;  // a word's places first, the dropped after them
  std::vector<std::vector<int>> slot_;         // where each placement stands in items_, or -1
  std::vector<int> sizes_;
  std::vector<int> trail_;  // words that lost a place, to give it back
  std::vector<std::size_t> marks_;
  std::vector<BoxOf> boxes_;  // the figure's box after each placement
};

}  // namespace numera::workshop
