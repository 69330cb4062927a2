// libFuzzer target for the JSON source of `numera-puzzle pack`. Any bytes
// at all: whatever the JSON reader accepts must be a puzzle the game opens,
// and `info` then `pack` must give back exactly the same file.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "files/puzzle_file.h"
#include "files/puzzle_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace numera;
  const QByteArray json =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  PuzzleFile puzzle;
  QString problem;
  if (!PuzzleFromJson(json, &puzzle, &problem)) {
    if (problem.isEmpty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  const QByteArray file = SerializePuzzle(puzzle);
  PuzzleFile read;
  if (!ParsePuzzle(file, &read, &problem) || !PuzzleProblem(read).isEmpty()) __builtin_trap();
  PuzzleFile again;
  if (!PuzzleFromJson(PuzzleToJson(read), &again, &problem)) __builtin_trap();
  if (SerializePuzzle(again) != file) __builtin_trap();
  return 0;
}
