// Small helpers shared by the puzzle file tests: build puzzles in memory,
// write and read whole files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <stdexcept>

#include "core/game_state.h"
#include "files/puzzle_file.h"
#include "tests/support/qt_printers.h"

namespace numera::testing {

// A puzzle of this layout with these words (points 10, 20, ...), nothing
// placed, "語" / "点" as suffixes.
inline PuzzleFile MakePuzzle(PuzzleLayout layout, int boardSize, const QStringList& words) {
  PuzzleFile p = EmptyPuzzle(layout);
  int longest = 0;
  for (int i = 0; i < words.size(); ++i) {
    p.Entries[static_cast<std::size_t>(i)].TextBytes = EncodeCp932(words[i]);
    p.Entries[static_cast<std::size_t>(i)].Points = 10 * (i + 1);
    longest = std::max(longest, static_cast<int>(words[i].size()));
  }
  p.CountSuffixBytes = EncodeCp932(QStringLiteral("語"));
  p.ScoreSuffixBytes = EncodeCp932(QStringLiteral("点"));
  p.BoardSize = static_cast<Integer>(boardSize);
  p.MaxWordLength = static_cast<Integer>(longest);
  p.WordCount = static_cast<Integer>(words.size());
  return p;
}

// Places entry i (1-based) at (x, y) in direction dir.
inline void PlaceEntry(PuzzleFile& p, int i, int x, int y, int dir) {
  PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
  e.Used = 1;
  e.X = static_cast<Integer>(x);
  e.Y = static_cast<Integer>(y);
  e.Dir = static_cast<Integer>(dir);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write test file " + path.toStdString());
}

inline QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.readAll();
}

}  // namespace numera::testing
