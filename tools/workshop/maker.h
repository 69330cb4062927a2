// The maker: a new puzzle whose words all lie on one complete board.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "files/puzzle_file.h"
#include "tools/workshop/layout.h"

namespace numera::workshop {

inline constexpr int kMostWords = 90;

struct MakeOptions {
  int Size = 0;
  int Words = 0;  // how many words; 0 takes the whole list
  std::uint64_t Seed = 1;
  double Seconds = 10;
};

// The words in the order of the puzzle's list, and where each lies on the
// board (Placement::Word indexes Words).
struct MadePuzzle {
  std::vector<Word> Words;
  std::vector<Placement> Placements;
};

// Every word of the list (or options.Words of them, drawn by the seed) on
// one complete board. False, with a sentence in *problem, for words the
// game cannot hold and for a board not found in time.
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
