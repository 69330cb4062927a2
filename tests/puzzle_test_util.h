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

// Everything a puzzle, its opening and its window layout touch, as text, so
// that two moments can be compared whole.
inline QString DumpPuzzleState(const GameState& s) {
  QStringList out;
  auto label = [&out](const char* name, int i, const LabelView& l) {
    out << QStringLiteral("%1(%2) %3 %4,%5 %6x%7 %8 %9")
               .arg(QLatin1String(name), QString::number(i), l.Caption, QString::number(l.Left),
                    QString::number(l.Top), QString::number(l.Width), QString::number(l.Height),
                    QString::number(l.Visible), QString::number(l.ForeColor, 16));
  };
  for (int i = 1; i <= 90; ++i) {
    out << QStringLiteral("word %1 %2 %3 %4 %5 %6 %7 %8")
               .arg(QString::number(i), s.Words(i), QString::fromLatin1(s.WordBytes(i).toHex()),
                    QString::number(s.WordPoints(i)), QString::number(s.WordUsed(i)),
                    QString::number(s.WordX(i)), QString::number(s.WordY(i)),
                    QString::number(s.WordDir(i)));
    label("La", i, s.Formain.La(i));
    label("La2", i, s.Formain.La2(i));
  }
  label("Lg", 1, s.Formain.Lg1);
  label("Lg", 2, s.Formain.Lg2);
  label("Lg", 3, s.Formain.Lg3);
  out << QStringLiteral("counts %1 %2 %3 %4 %5 %6 %7 %8")
             .arg(QString::number(s.WordCount), QString::number(s.BoardSize),
                  QString::number(s.MaxWordLength), QString::number(s.PlacedCount),
                  QString::number(s.Score), QString::number(s.BestScore),
                  QString::number(s.NoRecord), QString::number(s.FakeWordIndex));
  out << QStringLiteral("suffixes [%1] [%2] %3 %4 %5 %6")
             .arg(s.CountSuffix, s.ScoreSuffix, QString::number(s.SuffixLengths(0)),
                  QString::number(s.SuffixLengths(1)),
                  QString::fromLatin1(s.CountSuffixBytes.toHex()),
                  QString::fromLatin1(s.ScoreSuffixBytes.toHex()));
  out << QStringLiteral("file [%1] [%2] [%3] %4")
             .arg(s.FileVersion, s.PuzzleName, s.Formain.Text1,
                  QString::number(s.Formain.Text1Caret));
  out << QStringLiteral("window %1x%2 font %3 menus %4 check %5x%6")
             .arg(QString::number(s.Formain.WidthTwips), QString::number(s.Formain.HeightTwips),
                  QString::number(s.Formain.PimainFontSize),
                  QString::number(s.Formain.MenusEnabled),
                  QString::number(s.Formain.PicCheck.Width),
                  QString::number(s.Formain.PicCheck.Height));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) out << QString::number(s.CellColor(x, y));
  return out.join(QLatin1Char('\n'));
}

}  // namespace numera::testing
