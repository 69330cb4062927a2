// The check of a puzzle file: its stored placements played through the
// game's own placement rules in file order, then the game's board check,
// with the reasons an incomplete board is incomplete.
#pragma once

#include <QString>
#include <QStringList>
#include <span>
#include <vector>

#include "core/game_state.h"
#include "files/puzzle_file.h"
#include "workshop/layout.h"

namespace numera::workshop {

struct Cell {
  int X = 0;
  int Y = 0;
  bool operator==(const Cell&) const = default;
};

// A placed word, by its entry (1-based) and text.
struct WordOnBoard {
  int Index = 0;
  QString Text;
  bool operator==(const WordOnBoard&) const = default;
};

// A run of two or more letters that touches an empty cell at one end or both.
struct OpenRun {
  bool Across = true;  // in a row (else in a column)
  Cell From;           // its first letter
  Cell To;             // its last letter
  std::vector<Cell> OpenEnds;
  QString Letters;
  std::vector<WordOnBoard> Words;  // the placed words with a letter in the run
  bool operator==(const OpenRun&) const = default;
};

// Letters joined through their sides.
struct Figure {
  std::vector<Cell> Cells;  // in reading order
  QString Letters;          // the same order
  std::vector<WordOnBoard> Words;
};

// A stored placement the fit test refused.
struct RefusedPlacement {
  int Index = 0;  // 1-based entry
  QString Text;
  Cell At;
  int Dir = 0;
};

struct CheckReport {
  Long Score = 0;
  Long PlacedCount = 0;
  int WordCount = 0;
  bool Complete = false;  // the game's verdict, and every placement played
  // The largest first, as the main figure; among equals the one whose first
  // letter comes first in reading order.
  std::vector<Figure> Figures;
  std::vector<Cell> Unconnected;  // letters outside the main figure, in reading order
  std::vector<OpenRun> OpenRuns;  // in the order the check meets them
  std::vector<RefusedPlacement> Refused;
  QStringList Board;  // the board with its ring, as text
};

// The entries that make the puzzle's word list: the first WordCount.
template <typename Puzzle>  // PuzzleFile, const or not
auto ListEntries(Puzzle& puzzle) {
  return std::span(puzzle.Entries).first(static_cast<std::size_t>(puzzle.WordCount));
}

// The puzzle with these placements (Placement::Word counts entries from 0)
// stored in place of its own, and their count and score.
PuzzleFile WithPlacements(const PuzzleFile& puzzle, const std::vector<Placement>& placements);

// Plays the stored placements of the first WordCount entries in file order
// into s (which should be fresh), then runs the board check.
CheckReport CheckPuzzle(const PuzzleFile& puzzle, GameState& s);

// The game's check of the board in s, with its reasons, into a fresh
// report. Leaves the check's work in s as the game does.
void JudgeBoard(GameState& s, CheckReport* report);

// The board with its ring, one line a row: letters as they are, "×" for an
// end mark, "・" for an empty cell.
QStringList BoardText(const GameState& s);

}  // namespace numera::workshop
