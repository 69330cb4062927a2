#include "core/draw_board.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

class DrawBoardTest : public ::testing::Test {
 protected:
  // Places word i at (x, y) across (dir 0) or down (dir 1) by its record.
  void Put(int i, int x, int y, int dir) {
    t.s.WordUsed(i) = 1;
    t.s.WordX(i) = static_cast<Integer>(x);
    t.s.WordY(i) = static_cast<Integer>(y);
    t.s.WordDir(i) = static_cast<Integer>(dir);
  }
  QString Printed(int x, int y) {
    const auto* p = t.canvas.PrintAt(x, y, t.s.BoardSize);
    return p ? p->Text : QString();
  }
  Colour ColourAt(int x, int y) {
    const auto* p = t.canvas.PrintAt(x, y, t.s.BoardSize);
    return p ? p->Color : -1;
  }
  TestGame t;
};

TEST_F(DrawBoardTest, NoPuzzleDrawsOnlyTheLabels) {
  DrawBoard(t.g);
  EXPECT_TRUE(t.canvas.lines.empty());
  EXPECT_TRUE(t.canvas.prints.empty());
  EXPECT_EQ(t.s.Formain.Lg1.Caption, "0\u3000");
  EXPECT_EQ(t.s.Formain.Lg2.Caption, "NOW:0\u3000");
  EXPECT_EQ(t.s.Formain.Lg3.Caption, "MAX:0\u3000");
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kBlack);
  EXPECT_GT(t.win.syncs, 0);
}

TEST_F(DrawBoardTest, GridLinesSitAtFractionalPositions) {
  t.LoadWords(10, {"ねこ"});
  DrawBoard(t.g);
  ASSERT_EQ(t.canvas.lines.size(), 18u);  // k = 1..9, one vertical and one horizontal each
  const auto& v1 = t.canvas.lines[0];
  EXPECT_DOUBLE_EQ(v1.X1, 1 * 250.0 / 10 - 1);
  EXPECT_DOUBLE_EQ(v1.Y1, 0);
  EXPECT_DOUBLE_EQ(v1.Y2, 251);
  const auto& h3 = t.canvas.lines[5];
  EXPECT_DOUBLE_EQ(h3.Y1, 3 * 250.0 / 10 - 1);
  EXPECT_DOUBLE_EQ(h3.X2, 251);
  t.LoadWords(7, {"ねこ"});
  DrawBoard(t.g);
  EXPECT_DOUBLE_EQ(t.canvas.lines[0].X1, 250.0 / 7 - 1);
}

TEST_F(DrawBoardTest, WordsAreRebuiltWithAMarkAtEachEnd) {
  t.LoadWords(8, {"ABC", "XY"});
  Put(1, 2, 5, 0);
  Put(2, 6, 1, 1);
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Board(2, 5), "A");
  EXPECT_EQ(t.s.Board(4, 5), "C");
  EXPECT_EQ(t.s.Board(1, 5), "×");
  EXPECT_EQ(t.s.Board(5, 5), "×");
  EXPECT_EQ(t.s.Board(6, 0), "×");
  EXPECT_EQ(t.s.Board(6, 2), "Y");
  EXPECT_EQ(t.s.Board(6, 3), "×");
  EXPECT_EQ(Printed(3, 5), "B");
  EXPECT_EQ(ColourAt(3, 5), colour::kBlack);
  EXPECT_EQ(Printed(1, 5), "×");
  EXPECT_EQ(ColourAt(1, 5), colour::kRed);
  // Positions use the width for both axes.
  const auto* p = t.canvas.PrintAt(3, 5, 8);
  ASSERT_NE(p, nullptr);
  EXPECT_DOUBLE_EQ(p->X, 250.0 * 3 / 8 + 1);
  EXPECT_DOUBLE_EQ(p->Y, 250.0 * 5 / 8 + 1);
}

TEST_F(DrawBoardTest, AFrontMarkInTheRingIsKeptButNeverPrinted) {
  t.LoadWords(5, {"ABCDE"});
  Put(1, 0, 0, 0);
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Board(-1, 0), "×");
  EXPECT_EQ(t.s.Board(5, 0), "×");
  EXPECT_EQ(t.canvas.prints.size(), 5u);  // only the letters lie inside the board
}

TEST_F(DrawBoardTest, TheHigherWordWinsAnOverlappingCell) {
  t.LoadWords(8, {"AB", "CD"});
  Put(1, 1, 1, 0);  // A B at (1,1),(2,1); marks at (0,1) and (3,1)
  Put(2, 3, 0, 1);  // C at (3,0), D at (3,1): overwrites the after-mark of word 1
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Board(3, 1), "D");
  std::swap(t.s.Words(1), t.s.Words(2));
  std::swap(t.s.WordX(1), t.s.WordX(2));
  std::swap(t.s.WordY(1), t.s.WordY(2));
  std::swap(t.s.WordDir(1), t.s.WordDir(2));
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Board(3, 1), "×");
}

TEST_F(DrawBoardTest, CrossKindsChangeHowEndMarksArePrinted) {
  t.LoadWords(6, {"AB", "ねこやま"});
  Put(1, 2, 2, 0);
  t.s.FakeWordIndex = 2;
  t.s.CellFlag(1, 2) = 2;  // a highlight survives where the table says "unchanged"
  const struct {
    int kind;
    QString text;
    Colour colour;
  } cases[] = {{0, "×", colour::kRed},        {1, "■", colour::kGreen},
               {2, "梨", colour::kNearWhite}, {3, "こ", colour::kGreen},
               {4, "\u3000", colour::kGreen}, {7, "×", colour::kGreen}};
  for (const auto& c : cases) {
    t.s.CrossKind = static_cast<Integer>(c.kind);
    DrawBoard(t.g);
    EXPECT_EQ(Printed(1, 2), c.text) << "kind " << c.kind;
    EXPECT_EQ(ColourAt(1, 2), c.colour) << "kind " << c.kind;
    EXPECT_EQ(t.s.BoardShown(1, 2), c.text);
    EXPECT_EQ(t.s.Board(1, 2), "×");  // the board itself keeps its mark
    const Colour plain = c.kind == 0   ? colour::kRed
                         : c.kind == 2 ? colour::kNearWhite
                                       : colour::kBlack;
    EXPECT_EQ(ColourAt(4, 2), plain) << "unhighlighted mark, kind " << c.kind;
  }
}

TEST_F(DrawBoardTest, FakeLetterOfAOneCharacterWordIsEmpty) {
  t.LoadWords(6, {"AB", "ね"});
  Put(1, 2, 2, 0);
  t.s.FakeWordIndex = 2;
  t.s.CrossKind = 3;
  DrawBoard(t.g);
  EXPECT_EQ(t.s.BoardShown(1, 2), "");
  EXPECT_EQ(Printed(1, 2), "");
}

TEST_F(DrawBoardTest, RainbowColoursOverrideHighlightsAndMarks) {
  t.LoadWords(6, {"AB"});
  Put(1, 2, 2, 0);
  t.s.FontKind = 3;
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 6; ++y) t.s.CellColor(x, y) = 0x100 * x + y + 1;
  t.s.CellFlag(2, 2) = 1;
  DrawBoard(t.g);
  EXPECT_EQ(ColourAt(2, 2), 0x200 + 3);  // orange highlight overridden
  EXPECT_EQ(ColourAt(1, 2), 0x100 + 3);  // red mark overridden
  t.s.CrossKind = 4;                     // ...but an invisible space keeps its colour
  DrawBoard(t.g);
  EXPECT_EQ(ColourAt(1, 2), colour::kBlack);
}

TEST_F(DrawBoardTest, AShownWordMarksItsCellsOrange) {
  t.LoadWords(6, {"AB", "CD"});
  Put(1, 0, 0, 0);
  Put(2, 0, 3, 0);
  t.s.Formain.La(1).ForeColor = colour::kOrange;
  DrawBoard(t.g);
  EXPECT_EQ(t.s.CellFlag(0, 0), 1);
  EXPECT_EQ(t.s.CellFlag(1, 0), 1);
  EXPECT_EQ(t.s.CellFlag(0, 3), 0);
  EXPECT_EQ(ColourAt(1, 0), colour::kOrange);
  EXPECT_EQ(ColourAt(1, 3), colour::kBlack);
}

TEST_F(DrawBoardTest, ATakenBackWordLeavesNoGhost) {
  t.LoadWords(6, {"AB"});
  Put(1, 2, 2, 0);
  DrawBoard(t.g);
  EXPECT_EQ(Printed(2, 2), "A");
  t.s.WordUsed(1) = 0;
  DrawBoard(t.g);
  EXPECT_TRUE(t.canvas.prints.empty());
  EXPECT_TRUE(t.s.Board(2, 2).isEmpty());
  EXPECT_TRUE(t.s.Board(1, 2).isEmpty());
}

TEST_F(DrawBoardTest, LabelsShowCountsScoresAndARedNowWhenIncomplete) {
  t.LoadWords(6, {"AB"});
  t.s.PlacedCount = 3;
  t.s.Score = 120;
  t.s.BestScore = -5;
  t.s.CountSuffix = "個";
  t.s.ScoreSuffix = "点";
  t.s.NoRecord = 1;
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Formain.Lg1.Caption, "3個");
  EXPECT_EQ(t.s.Formain.Lg2.Caption, "NOW:120点");
  EXPECT_EQ(t.s.Formain.Lg3.Caption, "MAX:-5点");
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kRed);
  t.s.NoRecord = 0;
  DrawBoard(t.g);
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kBlack);
}

TEST_F(DrawBoardTest, FrameUsesTheBoardFont) {
  t.s.Formain.PimainFontName = "ＭＳ 明朝";
  t.s.Formain.PimainFontSize = 15;
  DrawBoard(t.g);
  EXPECT_EQ(t.canvas.font_name, "ＭＳ 明朝");
  EXPECT_DOUBLE_EQ(t.canvas.font_size, 15);
  EXPECT_EQ(t.canvas.width, 251);
}

}  // namespace
}  // namespace numera
