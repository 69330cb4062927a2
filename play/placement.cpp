#include "play/placement.h"

#include <cmath>

#include "core/appearance.h"
#include "core/word_geometry.h"
#include "dialogs/message_box.h"
#include "diversions/random_event.h"
#include "play/board_check.h"
#include "play/board_rules.h"
#include "play/word_chain.h"
#include "play/word_labels.h"

namespace numera {

namespace {

// Rounds to the nearest integer, halves to even (the default rounding mode).
long RoundHalfEven(float v) {
  return static_cast<long>(std::nearbyint(v));
}

struct Cell {
  int Column = 0;
  int Row = 0;
};

// The cell under the pointer. The cell size is computed in single precision
// and both the position and the size are taken in hundredths, rounded, before
// the integer division, so the last pixels of the picture give N. Returns
// false for a position that names no cell of the board or its ring.
bool CellAt(const GameState& s, float x, float y, Cell* cell) {
  const int n = s.BoardSize;
  const float size = static_cast<float>(s.Formain.Pimain.Width - 1) / static_cast<float>(n);
  const long divisor = RoundHalfEven(size * 100.0f);
  if (divisor <= 0) return false;
  const long column = RoundHalfEven(x * 100.0f) / divisor;
  const long row = RoundHalfEven(y * 100.0f) / divisor;
  if (column < 0 || row < 0 || column > n || row > n) return false;
  *cell = {static_cast<int>(column), static_cast<int>(row)};
  return true;
}

// No word selected: every word containing the cell's letter lights up (green
// if not placed, yellow if placed) until the button is released.
void HighlightWordsWithLetter(GameState& s, const Cell& c) {
  s.CellFlag(c.Column, c.Row) = 2;
  const QString& letter = s.Board(c.Column, c.Row);
  for (int i = 1; i <= s.WordCount; ++i) {
    const QString& word = s.Words(i);
    for (int j = 0; j < word.size(); ++j) {
      if (word.mid(j, 1) == letter) {
        s.Formain.La(i).ForeColor = s.WordUsed(i) == 1 ? colour::kYellow : colour::kGreen;
      }
    }
  }
}

void Congratulate(Game& g) {
  for (int k = 0; k < 13; ++k) {
    ShowMessage(g, QStringLiteral("おめでとうございます。最高記録を更新しました。"), kTitle, 1,
                QStringLiteral("Ok"));
  }
}

// A word may not be laid exactly on a placed word with the same start and
// direction, even where the letters agree.
bool SamePlaceTaken(const GameState& s, int column, int row, int dir) {
  for (int j = 1; j <= s.WordCount; ++j) {
    if (s.WordX(j) == column && s.WordUsed(j) == 1 && s.WordY(j) == row && s.WordDir(j) == dir)
      return true;
  }
  return false;
}

// Every letter lands on the board on an empty cell or on the same letter, and
// the cells just before and after the word hold no letter.
bool Fits(const GameState& s, const QString& word, int column, int row, int dir) {
  return WordFits(TextCells{s.Board}, s.BoardSize, word, column, row, 1 - dir, dir);
}

}  // namespace

bool CanPlaceWord(const GameState& s, int i, int column, int row, int dir) {
  // A placed word is never placed a second time (its points would count twice).
  return s.WordUsed(i) != 1 && Fits(s, s.Words(i), column, row, dir) &&
         !SamePlaceTaken(s, column, row, dir);
}

void PlaceWord(GameState& s, int i, int column, int row, int dir) {
  const QString& word = s.Words(i);
  s.WordUsed(i) = 1;
  SetWordColour(s, i, colour::kWhite);
  s.PlacedCount = s.PlacedCount + 1;
  s.Score = s.Score + s.WordPoints(i);
  s.WordX(i) = static_cast<Integer>(column);
  s.WordY(i) = static_cast<Integer>(row);
  s.WordDir(i) = static_cast<Integer>(dir);
  WriteWord(
      s.Board, static_cast<int>(word.size()), column, row, dir,
      [&word](int k) { return word.mid(k, 1); }, kCross);
  s.SelectedWord.clear();
  s.SelectedPoints = 0;
  s.SelectedIndex = 0;
}

void Pimain_MouseDown(Game& g, Integer button, float x, float y) {
  GameState& s = g.s;
  const int n = s.BoardSize;
  // Before a puzzle is open there is no board to press on.
  if (n <= 0) return;

  if (s.FontKind == font_kind::kRainbow) {
    for (int cx = 0; cx <= n - 1; ++cx)
      for (int cy = 0; cy <= n - 1; ++cy) s.CellColor(cx, cy) = RandomColour(g.p.Rng);
  }

  Cell c;
  if (!CellAt(s, x, y, &c)) return;
  const int dx = 2 - button;
  const int dy = 1 - dx;

  if (!HasSelection(s)) {
    HighlightWordsWithLetter(s, c);
    return;
  }

  // Only the left (across) and right (down) buttons place a word: the middle
  // one would step off the board in a direction of its own.
  if (button != kLeftButton && button != kRightButton) return;
  const int i = s.SelectedIndex;
  if (!CanPlaceWord(s, i, c.Column, c.Row, dy)) return;

  if (s.MessageMode == message_mode::kPersistent) ConfirmWordChoice(g);
  const int r = static_cast<int>(std::floor(g.p.Rng.Rnd() * 5 + 1));
  if (r >= 4 && s.MessageMode == message_mode::kRandomJokes) RandomEvent(g);

  PlaceWord(s, i, c.Column, c.Row, dy);
  BCheck(s);
  if (s.NoRecord == 0 && s.BestScore < s.Score) {
    if (s.MessageMode == message_mode::kPersistent) Congratulate(g);
    s.BestScore = s.Score;
  }
}

void Pimain_MouseUp(Game& g) {
  GameState& s = g.s;
  if (s.BoardSize <= 0 || HasSelection(s)) return;
  for (int i = 1; i <= s.WordCount; ++i)
    s.Formain.La(i).ForeColor = s.WordUsed(i) == 1 ? colour::kWhite : colour::kBlack;
  ClearCellFlags(s);
}

}  // namespace numera
