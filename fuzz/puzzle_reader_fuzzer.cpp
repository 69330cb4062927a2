// libFuzzer target for the puzzle file reader. Any bytes at all: the reader
// must never read past them, a file it accepts must write back exactly the
// bytes it was read from, and a puzzle that passes the checks must go into
// the game, rebuild its board and pass through the board check unharmed.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "core/draw_board.h"
#include "files/puzzle_file.h"
#include "play/board_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace numera;
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  PuzzleFile puzzle;
  QString problem;
  if (!ParsePuzzle(bytes, &puzzle, &problem)) return 0;
  const QByteArray written = SerializePuzzle(puzzle);
  if (!bytes.startsWith(written)) __builtin_trap();
  if (!PuzzleProblem(puzzle).isEmpty()) return 0;

  static GameState* const s = new GameState;  // one game, puzzle after puzzle
  InstallPuzzle(*s, puzzle);
  RebuildBoard(*s);
  BCheck(*s);
  if (SerializePuzzle(PuzzleFromState(*s)) != written) __builtin_trap();
  return 0;
}
