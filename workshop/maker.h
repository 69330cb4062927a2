// The maker: a new puzzle whose words all lie on one complete board.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "files/puzzle_file.h"
#include "workshop/layout.h"

namespace numera::workshop {

inline constexpr int kMostWords = 90;

struct MakeOptions {
  int Size = 0;
  int Words = 0;  // how many words; 0 takes the whole list
  std::uint64_t Seed = 1;
  double Seconds = 10;
  bool Drop = false;  // leave out the words that stand in the way, rather than refuse
  // Told when a first short search leaves words out and a longer one
  // follows: the words it left out, the seconds it took and the seconds the
  // second one has.
  std::function<void(const std::vector<Word>& left, double seconds, double rest)> FirstAnswer;
};

// A first search this long (or the whole time, if shorter) answers most
// lists: their board, or the words it could not place.
inline constexpr double kFirstLook = 1.5;

// The words in the order of the puzzle's list, and where each lies on the
// board (Placement::Word indexes Words).
struct MadePuzzle {
  std::vector<Word> Words;
  std::vector<Placement> Placements;
  std::vector<Word> Dropped;  // the words Drop left out
  std::vector<Word> Repeats;  // the second and later lines of a word, which Drop passed over
};

// Every word of the list (or options.Words of them, drawn by the seed) on
// one complete board. False, with a sentence in *problem, for words the
// game cannot hold, for words that stand in the way for certain (repeated,
// too long, sharing no letter) and for a board not found in time; the
// sentence names the fewest words whose removal let the search succeed.
// With Drop, those words are left out instead and listed in Dropped.
bool MakeFromList(const std::vector<Word>& list, const MakeOptions& options, MadePuzzle* out,
                  QString* problem);

// options.Words words drawn by the seed from the commonest of the pool (the
// pool is ordered commonest first), each crossing the board built so far.
bool MakeFromPool(const std::vector<Word>& pool, const MakeOptions& options, MadePuzzle* out,
                  QString* problem);

// The puzzle file (version-2 layout, "語" and "点" as suffixes); with
// placements stored when solved is true.
PuzzleFile PuzzleFor(const MadePuzzle& made, int boardSize, bool solved);

}  // namespace numera::workshop
