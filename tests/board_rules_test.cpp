// The rules of the board, one table each: where a press lands, whether a word
// fits, whether a board is complete, and how a shift moves the board. Boards
// are written with their ring, a row to a '/'-separated string.
#include <gtest/gtest.h>

#include <QPoint>

#include "core/draw_board.h"
#include "play/board_check.h"
#include "play/placement.h"
#include "play/shifting.h"
#include "tests/support/fakes.h"

namespace numera::testing {
namespace {

const QString kEmpty4 =
    "・・・・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・";

TEST(BoardRules, APressLandsOnTheCellTheRoundedHundredthsGive) {
  struct Case {
    int n;
    float x, y;
    int column, row;
  } const cases[] = {
      {10, 37.5f, 60.0f, 1, 2},                                // 25-pixel cells
      {10, 0.0f, 0.0f, 0, 0},   {10, 250.0f, 250.0f, 10, 10},  // the last pixels give N
      {16, 15.62f, 0.0f, 1, 0},  // 1562.5 hundredths round to 1562, half to even
      {6, 41.666f, 0.0f, 1, 0},  // 4166.6 rounds up to the cell size 4167
      {6, 41.66f, 0.0f, 0, 0},   // 4166 stays below it
  };
  for (const Case& c : cases) {
    TestGame t;
    t.LoadWords(c.n, {"あ"});
    Pimain_MouseDown(t.g, 1, c.x, c.y);  // no selection: the cell lights up
    int found = 0;
    for (int y = -1; y <= 30; ++y)
      for (int x = -1; x <= 30; ++x)
        if (t.s.CellFlag(x, y) == 2) {
          ++found;
          EXPECT_EQ(QPoint(x, y), QPoint(c.column, c.row));
        }
    EXPECT_EQ(found, 1) << c.x << ", " << c.y;
  }
}

TEST(BoardRules, AWordFitsOnFreeOrSameLettersBetweenFreeEnds) {
  struct Case {
    const char* why;
    QString before;
    const char* word;
    int column, row, button;
    QString after;  // empty: refused
  } const cases[] = {
      {"at the corner, its front mark on the ring", kEmpty4, "ねこ", 0, 0, 1,
       "・・・・・・/×ねこ×・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・"},
      {"up to the last column", kEmpty4, "ねこ", 2, 0, 1,
       "・・・・・・/・・×ねこ×/・・・・・・/・・・・・・/・・・・・・/・・・・・・"},
      {"a letter past the last column", kEmpty4, "ねこ", 3, 0, 1, ""},
      {"across on the ring row", kEmpty4, "ねこ", 0, 4, 1, ""},
      {"down to the last row", kEmpty4, "ねこ", 0, 2, 2,
       "・・・・・・/・・・・・・/・×・・・・/・ね・・・・/・こ・・・・/・×・・・・"},
      {"a letter past the last row", kEmpty4, "ねこ", 0, 3, 2, ""},
      {"down on the ring column", kEmpty4, "ねこ", 4, 0, 2, ""},
      {"crossing the same letter",
       "・・・・・・/・・こ・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 0,
       0, 1, "・・・・・・/×ねこ×・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・"},
      {"crossing another letter",
       "・・・・・・/・・か・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 0,
       0, 1, ""},
      {"a letter just before the word",
       "・・・・・・/・か・・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 1,
       0, 1, ""},
      {"a letter just after the word",
       "・・・・・・/・・・・か・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 1,
       0, 1, ""},
      {"a letter just above a word down",
       "・・・・・・/・・か・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 1,
       1, 2, ""},
      {"a letter just below a word down",
       "・・・・・・/・・・・・・/・・・・・・/・・・・・・/・・か・・・/・・・・・・", "ねこ", 1,
       1, 2, ""},
      {"end marks at both ends",
       "・・・・・・/・×・・×・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 1, 0,
       1, "・・・・・・/・×ねこ×・/・・・・・・/・・・・・・/・・・・・・/・・・・・・"},
      {"a letter on an end mark",
       "・・・・・・/・・×・・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "ねこ", 0, 0,
       1, ""},
      {"side by side is the board check's business",
       "・・・・・・/×ねこ×・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", "いぬ", 0, 1,
       1, "・・・・・・/×ねこ×・・/×いぬ×・・/・・・・・・/・・・・・・/・・・・・・"},
  };
  for (const Case& c : cases) {
    TestGame t;
    t.LoadWords(4, {"かめ", c.word});
    SetBoard(t.s, c.before);
    t.s.Score = 5;
    t.s.SelectedIndex = 2;
    const float cell = 250.0f / 4;
    Pimain_MouseDown(t.g, static_cast<Integer>(c.button), (c.column + 0.5f) * cell,
                     (c.row + 0.5f) * cell);
    const bool fits = !c.after.isEmpty();
    EXPECT_EQ(BoardText(t.s), fits ? c.after : c.before) << c.why;
    EXPECT_EQ(t.s.WordUsed(2), fits ? 1 : 0) << c.why;
    EXPECT_EQ(t.s.Score, fits ? 25 : 5) << c.why;
    EXPECT_EQ(t.s.PlacedCount, fits ? 1 : 0) << c.why;
    EXPECT_EQ(t.s.SelectedIndex, fits ? 0 : 2) << c.why;
    if (fits) {
      EXPECT_EQ(QPoint(t.s.WordX(2), t.s.WordY(2)), QPoint(c.column, c.row)) << c.why;
      EXPECT_EQ(t.s.WordDir(2), c.button - 1) << c.why;
    }
  }
}

TEST(BoardRules, APlacedWordIsNeverLaidAgainNorOnTopOfItsTwin) {
  TestGame t;
  t.LoadWords(4, {"ねこ", "ねこ"});
  t.Place(1, 0, 0, 0);
  EXPECT_THROW(t.Place(2, 0, 0, 0), std::logic_error);  // the same start and direction
  t.Place(2, 0, 0, 1);                 // down from the same cell is judged by the usual rules
  t.s.SelectedIndex = 1;               // a placed word named by the selection
  Pimain_MouseDown(t.g, 1, 156, 156);  // where it would fit
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.PlacedCount, 2);
}

TEST(BoardRules, ACompleteBoardIsConnectedWithEveryRunClosed) {
  struct Case {
    const char* why;
    QString board;
    bool complete;
  } const cases[] = {
      {"empty", kEmpty4, true},
      {"one word", "・・・・・・/×ねこ×・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・",
       true},
      {"a single letter between empty cells",
       "・・・・・・/・・・・・・/・・ね・・・/・・・・・・/・・・・・・/・・・・・・", true},
      {"a letter beside an end mark only",
       "・・・×・・/×ねこ×・・/・・・い・・/・・・×・・/・・・・・・/・・・・・・", false},
      {"two words crossing, marks in place",
       "・・×・・・/×ねこ×・・/・・い・・・/・・×・・・/・・・・・・/・・・・・・", true},
      {"two words apart",
       "・・・・・・/×ねこ×・・/・・・・・・/・・×いぬ×/・・・・・・/・・・・・・", false},
      {"letters touching only at a corner",
       "・・・・・・/・ね・・・・/・・こ・・・/・・・・・・/・・・・・・/・・・・・・", false},
      {"side by side in the top rows",
       "・・・・・・/×ねこ×・・/×いぬ×・・/・・・・・・/・・・・・・/・・・・・・", false},
      {"a run from the left border, empty ring before it",
       "・・・・・・/・ねこ×・・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", false},
      {"a run to the right border, empty ring after it",
       "・・・・・・/・・×ねこ・/・・・・・・/・・・・・・/・・・・・・/・・・・・・", false},
      {"a run from the top border, empty ring above it",
       "・・・・・・/・ね・・・・/・こ・・・・/・×・・・・/・・・・・・/・・・・・・", false},
      {"a run to the bottom border, empty ring below it",
       "・・・・・・/・・・・・・/・×・・・・/・ね・・・・/・こ・・・・/・・・・・・", false},
      {"in the last row, a mark before and nothing after",
       "・・・・・・/・・・・・・/・・・・・・/・・・・・・/・・×ねこ・/・・・・・・", false},
      {"in a row, nothing before and a mark after",
       "・・・・・・/・・・・・・/・・ねこ×・/・・・・・・/・・・・・・/・・・・・・", false},
      {"in a column, a mark above and nothing below",
       "・・・・・・/・・・×・・/・・・ね・・/・・・こ・・/・・・・・・/・・・・・・", false},
      {"in the last column, nothing above and a mark below",
       "・・・・・・/・・・・・・/・・・・ね・/・・・・こ・/・・・・×・/・・・・・・", false},
      {"closed by marks on the ring",
       "・×・・・・/×ねこ×・・/・こ・・・・/・×・・・・/・・・・・・/・・・・・・", true},
  };
  for (const Case& c : cases) {
    GameState s;
    SetBoard(s, c.board);
    s.NoRecord = c.complete ? 1 : 0;  // the check sets it afresh either way
    BCheck(s);
    EXPECT_EQ(s.NoRecord, c.complete ? 0 : 1) << c.why;
  }
}

TEST(BoardRules, TheFillReachesLettersInEveryDirection) {
  // From the last letter (bottom row, right-most) the fill must go up, left,
  // down and right to reach every letter.
  GameState s;
  SetBoard(s,
           "・×・・×・・/×あいうえ×・/・か・・お・・/×きく×か・・/・×・・×・・/"
           "・・・・・・・/・・・・・・・");
  BCheck(s);
  EXPECT_EQ(s.NoRecord, 0);
  EXPECT_EQ(s.CheckCount, 9);

  // The largest board, full of letters closed by marks all round: the fill
  // runs through all 900 cells.
  s.BoardSize = 30;
  s.Board.Fill(QStringLiteral("×"));
  for (int x = 0; x < 30; ++x)
    for (int y = 0; y < 30; ++y) s.Board(x, y) = QStringLiteral("あ");
  BCheck(s);
  EXPECT_EQ(s.NoRecord, 0);
  EXPECT_EQ(s.CheckCount, 900);
}

TEST(BoardRules, AShiftMovesEveryCellUpToTheFarEdge) {
  struct Case {
    int direction;
    int x, y, dir;  // ねこ placed here
    QString after;  // the cells as the shift leaves them; empty: refused
    int movedX, movedY;
  } const cases[] = {
      {0, 2, 3, 0, "・・・・・・/・・・・・・/・・・・・・/・・・・・・/・×ねこ・×/・・・・・・", 1,
       3},
      {1, 1, 2, 0, "・・・・・・/・・・・・・/・・・・・・/・・×ねこ・/・・・・・・/・・・・・・",
       2, 2},
      {2, 1, 2, 1, "・・・・・・/・・×・・・/・・ね・・・/・・こ・・・/・・・・・・/・・×・・・", 1,
       1},
      {3, 0, 1, 1, "・・・・・・/・・・・・・/・×・・・・/・ね・・・・/・こ・・・・/・・・・・・",
       0, 2},
      {0, 0, 1, 0, "", 0, 1},  // a letter in column 0
      {1, 2, 1, 0, "", 2, 1},  // a letter in the last column
      {2, 3, 0, 1, "", 3, 0},  // a letter in row 0
      {3, 1, 2, 1, "", 1, 2},  // a letter in the last row
      {2, 1, 1, 1, "・・・・・・/・・ね・・・/・・こ・・・/・・×・・・/・・・・・・/・・・・・・",
       1, 0},
  };
  for (const Case& c : cases) {
    TestGame t;
    t.LoadWords(4, {"ねこ", "いぬ"});
    t.Place(1, c.x, c.y, c.dir);
    t.s.WordX(2) = 3;  // an unplaced word keeps its position
    const QString before = BoardText(t.s);
    t.s.MessageMode = 1;
    Co_Click(t.g, static_cast<Integer>(c.direction));
    const QString why =
        QStringLiteral("direction %1 from (%2, %3)").arg(c.direction).arg(c.x).arg(c.y);
    EXPECT_EQ(BoardText(t.s), c.after.isEmpty() ? before : c.after) << why.toStdString();
    EXPECT_EQ(QPoint(t.s.WordX(1), t.s.WordY(1)), QPoint(c.movedX, c.movedY)) << why.toStdString();
    EXPECT_EQ(t.s.WordX(2), 3);
    EXPECT_EQ(t.s.Score, 10);
  }
}

TEST(BoardRules, ArraysRefuseAnIndexOutsideTheirRange) {
  GameState s;
  EXPECT_NO_THROW(s.Board(-1, 30) = QStringLiteral("×"));
  EXPECT_THROW(s.Board(31, 0), std::out_of_range);
  EXPECT_THROW(s.CellFlag(0, -2), std::out_of_range);
  EXPECT_THROW(s.Words(0), std::out_of_range);
  EXPECT_THROW(s.WordUsed(91), std::out_of_range);
  EXPECT_THROW(s.SoundSwitch(20), std::out_of_range);
}

}  // namespace
}  // namespace numera::testing
