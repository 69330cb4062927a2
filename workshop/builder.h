// Greedy building of a complete board, and rebuilding part of it.
//
// A word goes where it crosses the most letters and the board stays
// complete. A greedy board leaves words out; taking the leaves of the figure
// near some word off again (a leaf crosses only one other word, so the rest
// stays one complete figure) and placing everything left over once more,
// the words left out before first, finds full boards that no single greedy
// pass finds. The maker builds its puzzles this way, and the solver starts
// from such boards before it searches.
#pragma once

#include <cstdint>
#include <vector>

#include "workshop/layout.h"

namespace numera::workshop {

// Small random numbers that come out the same on every platform for a seed.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  template <typename T>
  void Shuffle(std::vector<T>& v) {
    for (std::size_t i = v.size(); i > 1; --i)
      std::swap(v[i - 1], v[static_cast<std::size_t>(Below(static_cast<int>(i)))]);
  }

 private:
  std::uint64_t state_;
};

// The best place for the word that crosses the figure and keeps the board
// complete: the most crossings, then the least growth of the figure's box,
// then chance. False when there is none. Counts each board tried in *nodes.
bool BestCrossing(Layout& layout, int word, Rng& rng, Placement* out, std::uint64_t* nodes);

// Places the words in this order, the first at the root when the board is
// empty, each other at its best crossing; words that find no place are tried
// again after the others until a round places none.
void BuildGreedily(Layout& layout, const std::vector<int>& order, Rng& rng, std::uint64_t* nodes);

// Lays out `figure` again without up to `most` of its leaves nearest a word
// chosen by chance, then places every word not on the board greedily: the
// ones `figure` left out first, then the ones taken off, each group in a
// random order.
void Rebuild(Layout& layout, const std::vector<Placement>& figure, int most, Rng& rng,
             std::uint64_t* nodes);

}  // namespace numera::workshop
