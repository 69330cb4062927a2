// What the workshop's commands share on their way out: standard output
// checked, and a puzzle's words as the search sees them.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <vector>

#include "files/puzzle_file.h"
#include "workshop/layout.h"

namespace numera::workshop {

// Standard output; a failed write is an error of the command (2).
int Out(const QByteArray& bytes, int code);
int OutJson(const QJsonObject& json, int code);

// The first WordCount entries of the puzzle.
std::vector<Word> PuzzleWords(const PuzzleFile& puzzle);

}  // namespace numera::workshop
