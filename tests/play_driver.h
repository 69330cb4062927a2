// Drives play the way a player does: presses on word labels and on pixel
// positions of the board picture, with a main-loop redraw after each action.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "core/draw_board.h"
#include "play/placement.h"
#include "play/word_selection.h"
#include "tests/support/fakes.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace numera::testing {

// The pixel in the middle of a column (or row) of the board picture.
inline float CellCentre(const TestGame& t, int cell) {
  const double size = (t.s.Formain.Pimain.Width - 1.0) / t.s.BoardSize;
  return static_cast<float>((cell + 0.5) * size);
}

// One pass of the main loop: the board is rebuilt and repainted.
inline void MainLoopPass(TestGame& t) {
  DrawBoard(t.g);
}

inline void ClickLabel(TestGame& t, int i, int button = kLeftButton) {
  La_MouseDown(t.g, static_cast<Integer>(i), static_cast<Integer>(button), 0, 5, 5);
  La_MouseUp(t.g, static_cast<Integer>(i), static_cast<Integer>(button), 0, 5, 5);
  MainLoopPass(t);
}

inline void ClickBoard(TestGame& t, int column, int row, int button) {
  const float x = CellCentre(t, column), y = CellCentre(t, row);
  Pimain_MouseDown(t.g, static_cast<Integer>(button), 0, x, y);
  Pimain_MouseUp(t.g, static_cast<Integer>(button), 0, x, y);
  MainLoopPass(t);
}

// Selects word i by its label and presses its first cell: left lays it
// across, right lays it down.
inline void Place(TestGame& t, int i, int column, int row, int button = kLeftButton) {
  ClickLabel(t, i);
  ClickBoard(t, column, row, button);
}

// The board row y from column `from` to `to` as one string ("." for empty).
inline QString RowText(const GameState& s, int y, int from, int to) {
  QString out;
  for (int x = from; x <= to; ++x)
    out += s.Board(x, y).isEmpty() ? QStringLiteral(".") : s.Board(x, y);
  return out;
}

inline QString ColumnText(const GameState& s, int x, int from, int to) {
  QString out;
  for (int y = from; y <= to; ++y)
    out += s.Board(x, y).isEmpty() ? QStringLiteral(".") : s.Board(x, y);
  return out;
}

}  // namespace numera::testing
