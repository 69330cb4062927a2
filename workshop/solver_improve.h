// Improving a complete board by taking part of it off and filling the hole
// again with a small exact search.
//
// A step takes off the words that would stand in the way of one word left
// out at a place in the figure's box chosen by chance, and a few words near
// it (or, now and then, the words nearest a word on the board), and
// searches for
// the complete board of the highest weight that grows from what is left:
// every word off the board is tried at each place where it crosses the
// figure, or later; a run left open must be closed by some word still to
// come; a branch ends when its weight plus the weight of the words that
// still have a place cannot beat the board it started from. A board of equal
// weight is taken too, so the figure keeps moving.
//
// Where the figure does not fill the board's box, and now and then
// elsewhere, a step is the builder's greedy rebuild instead (builder.h):
// cheap, and on a roomy board it does most of the work.
//
// Weights start at the points; a word left out gains weight at every step,
// so a board that holds it becomes worth giving up some points for. This
// lets the search leave a figure that no single step improves.
#pragma once

#include <cstdint>
#include <vector>

#include "workshop/builder.h"
#include "workshop/layout.h"
#include "workshop/solver_places.h"

namespace numera::workshop {

class Improver {
 public:
  Improver(const std::vector<Word>& words, int boardSize, std::uint64_t seed);

  // The first step builds a greedy board; every later step improves it.
  // Counts each board tried in *nodes.
  void Step(std::uint64_t* nodes);

  // The figure now (frame coordinates) and its points.
  const std::vector<Placement>& Figure() const { return figure_; }
  Long Score() const { return score_; }
  // The figure moved onto the board, as Layout::OnBoard.
  std::vector<Placement> OnBoard();

 private:
  void Fresh(std::uint64_t* nodes);
  // Which words of the figure to take off for this step.
  std::vector<char> TakeOff();
  std::vector<char> Clashing(const Placement& q) const;
  void Search();
  Long Weight() const;
  void GainWeight();
  bool Roomy() const;
  void Widen(CheckWindow* window, const Placement& p) const;

  const std::vector<Word>& words_;
  Layout layout_;
  Places places_;
  Rng rng_;
  std::vector<int> wanted_;  // the words worth placing: with letters and points
  std::vector<Long> weight_;
  std::vector<Placement> figure_;
  Long score_ = -1;
  // The search of one step.
  std::vector<int> off_;  // the words it may place
  Long floor_ = 0;        // the weight it must beat
  std::vector<Placement> found_;
  long nodes_ = 0;
  std::size_t kept_ = 0;  // the placements left on the board
  CheckWindow changed_;   // where runs may have been opened
};

}  // namespace numera::workshop
