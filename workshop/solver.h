// The solver: the complete board of the highest score for a puzzle's words.
//
// Two stages, both on every thread. First a greedy board, improved step by
// step (solver_improve.h): part of it comes off and the hole is filled again
// by a small exact search, each thread from its own seed; this finds full
// boards of dense puzzles. Then an exhaustive branch and bound: for each
// first word in turn, across in the middle of the frame with only later
// words allowed, every placement that touches the figure is tried, most
// crossings first; a branch ends when its score plus the points of the
// words that still fit somewhere cannot beat the best board, and a figure
// reached again in another order is not searched twice. Every complete
// board has a lowest word, lies with it across or is the mirror in the
// diagonal (across for down) of one that does, and can be grown from that
// word one touching word at a time, so when this stage ends the best board
// is proven.
//
// The bound: the points of every word the game could take, lowered as the
// exhaustive stage finishes its first words (the boards whose lowest word
// is still to come can hold only that word and later ones).
//
// Results do not depend on timing when the search finishes: the stages
// count steps, not seconds, and among boards of equal score the earliest
// in a fixed order wins.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "workshop/layout.h"

namespace numera::workshop {

struct SolveProgress {
  Long Best = 0;
  std::uint64_t Nodes = 0;
  double Elapsed = 0;
  Long Bound = 0;  // no complete board scores more
  int Placed = 0;  // words on the best board
};

struct SolveOptions {
  double Seconds = 10;
  std::uint64_t Seed = 1;
  int Threads = 2;
  // Steps of the first stage per thread, for each word of the puzzle,
  // before the exhaustive stage.
  int StepsPerWord = 2000;
  // Called from the calling thread about five times a second.
  std::function<void(const SolveProgress&)> Progress;
};

struct SolveResult {
  std::vector<Placement> Placements;  // on the board, in an order that places them all
  Long Score = 0;
  bool Proven = false;       // no complete board scores more
  std::uint64_t Nodes = 0;   // boards tried
  double Elapsed = 0;        // seconds
  double FirstBoardAt = -1;  // seconds to the first complete board with a word on it
  double AllWordsAt = -1;    // seconds to a complete board with every word, -1 for none
  double BestAt = -1;        // seconds to a board of Score, -1 for none
  // No complete board scores more: Score when proven, otherwise the points
  // of the words that could still lie on a better board.
  Long Bound = 0;
};

// How far the best board may be from the best possible, in per cent of the
// bound: 0 when proven.
double GapPercent(const SolveResult& result);

SolveResult Solve(const std::vector<Word>& words, int boardSize, const SolveOptions& options);

}  // namespace numera::workshop
