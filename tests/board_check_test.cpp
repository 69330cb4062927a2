#include "play/board_check.h"

#include <gtest/gtest.h>

#include "core/draw_board.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

const QString kCross = QStringLiteral("×");

// Places word i of the list as the game records a placement; the board is
// rebuilt from the records as the redraw does.
void Place(GameState& s, int i, int x, int y, int dir) {
  s.WordUsed(i) = 1;
  s.WordX(i) = static_cast<Integer>(x);
  s.WordY(i) = static_cast<Integer>(y);
  s.WordDir(i) = static_cast<Integer>(dir);
  RebuildBoard(s);
}

// Writes a row of cells from (x, y) to the right: "" empty, "×" mark, or a
// letter per character ("・" for an empty cell, "＊" for a mark).
void Row(GameState& s, int x, int y, const QString& cells) {
  for (int k = 0; k < cells.size(); ++k) {
    const QChar c = cells[k];
    s.Board(x + k, y) = c == QChar(u'・') ? QString() : c == QChar(u'＊') ? kCross : QString(c);
  }
}

void Column(GameState& s, int x, int y, const QString& cells) {
  for (int k = 0; k < cells.size(); ++k) {
    const QChar c = cells[k];
    s.Board(x, y + k) = c == QChar(u'・') ? QString() : c == QChar(u'＊') ? kCross : QString(c);
  }
}

class BoardCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    t.LoadWords(6, {QStringLiteral("ねこ"), QStringLiteral("こま"), QStringLiteral("いぬ"),
                    QStringLiteral("まど"), QStringLiteral("ぬま")});
    RebuildBoard(t.s);
  }
  TestGame t;
};

TEST_F(BoardCheck, AnEmptyBoardIsCompleteAndTheFillCountsItsStartingCell) {
  t.s.NoRecord = 1;
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.CheckCount, 1);
}

TEST_F(BoardCheck, OnePlacedWordIsComplete) {
  Place(t.s, 1, 2, 3, 0);
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.CheckCount, 2);
}

TEST_F(BoardCheck, OneWordDownWithSingleLettersInItsRowsIsComplete) {
  Place(t.s, 1, 0, 0, 1);
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST_F(BoardCheck, TwoWordsCrossingInASharedLetterAreComplete) {
  Place(t.s, 1, 1, 1, 0);  // ね こ across from (1, 1)
  Place(t.s, 2, 2, 1, 1);  // こ ま down from (2, 1)
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.CheckCount, 3);
}

TEST_F(BoardCheck, TwoWordsThatDoNotTouchAreIncomplete) {
  Place(t.s, 1, 0, 0, 0);
  Place(t.s, 3, 3, 4, 0);
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);
  // The fill starts at the last letter in scan order, the ぬ at (4, 4), and
  // reaches only its own word.
  EXPECT_EQ(t.s.CheckCount, 2);
  EXPECT_EQ(t.s.CheckFlag(4, 4), 1);
  EXPECT_EQ(t.s.CheckFlag(0, 0), 0);
}

TEST_F(BoardCheck, TwoWordsSideBySideInTheTopRowsAreIncomplete) {
  Place(t.s, 1, 0, 0, 0);  // ねこ in row 0
  Place(t.s, 3, 0, 1, 0);  // いぬ in row 1, same columns
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);
  // Connected, so only the open column runs make it incomplete.
  EXPECT_EQ(t.s.CheckCount, 4);
}

TEST_F(BoardCheck, ARunInTheLastRowOrColumnTouchingAnEmptyCellIsIncomplete) {
  const int last = t.s.BoardSize - 1;
  Row(t.s, 2, last, QStringLiteral("＊ねこ・"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);

  Row(t.s, 2, last, QStringLiteral("＊ねこ＊"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);

  RebuildBoard(t.s);  // clears the board again
  Column(t.s, last, 1, QStringLiteral("・いぬ＊"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);

  // Closed by the ring below the board.
  RebuildBoard(t.s);
  Column(t.s, last, last - 2, QStringLiteral("＊いぬ＊"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST_F(BoardCheck, ARunClosedByAMarkOnOneSideAndEmptyOnTheOtherIsIncomplete) {
  Row(t.s, 0, 2, QStringLiteral("＊いぬ"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);
  RebuildBoard(t.s);
  Row(t.s, 0, 2, QStringLiteral("いぬ＊"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 1);
}

TEST_F(BoardCheck, ASingleLetterBetweenEmptyCellsIsFine) {
  Row(t.s, 1, 3, QStringLiteral("・ね・"));
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST_F(BoardCheck, TheVerdictIsRecomputedEveryTime) {
  Place(t.s, 1, 0, 0, 0);
  Place(t.s, 3, 3, 4, 0);
  BCheck(t.s);
  ASSERT_EQ(t.s.NoRecord, 1);
  t.s.WordUsed(3) = 0;
  RebuildBoard(t.s);
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST_F(BoardCheck, CellsBeyondTheRingOfASmallerBoardAreNotLookedAt) {
  // Letters left over from a larger puzzle lie outside this board and its
  // ring; they neither break connectivity nor open runs.
  Place(t.s, 1, 0, 0, 0);
  t.s.Board(20, 20) = QStringLiteral("ね");
  t.s.Board(21, 20) = QStringLiteral("こ");
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST(BoardCheckLargest, AFullThirtyByThirtyBoardIsFilledWithoutTrouble) {
  TestGame t;
  t.LoadWords(30, {QStringLiteral("あ")});
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) t.s.Board(x, y) = QStringLiteral("あ");
  BCheck(t.s);
  EXPECT_EQ(t.s.CheckCount, 900);
  EXPECT_EQ(t.s.NoRecord, 1);  // every row runs into the empty ring
  for (int k = -1; k <= 30; ++k) {
    t.s.Board(k, -1) = kCross;
    t.s.Board(k, 30) = kCross;
    t.s.Board(-1, k) = kCross;
    t.s.Board(30, k) = kCross;
  }
  BCheck(t.s);
  EXPECT_EQ(t.s.NoRecord, 0);
}

}  // namespace
}  // namespace numera
