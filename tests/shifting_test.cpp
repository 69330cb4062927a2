#include "play/shifting.h"

#include <gtest/gtest.h>

#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::ColumnText;
using testing::MainLoopPass;
using testing::Place;
using testing::RowText;
using testing::TestGame;

const QString kFirst = "移動させてもよろしいですか？";
const QString kAgain = "本当に移動させてもいいですか？";

void Shift(TestGame& t, int d) {
  Co_Click(t.g, static_cast<Integer>(d));
  MainLoopPass(t);
}

// A game with the two shift sounds loaded and switched on.
void WithShiftSounds(TestGame& t) {
  t.s.SoundSwitch(3) = 1;
  t.s.SoundData(3) = "shift";
  t.s.SoundData(5) = "refused";
}

TEST(Shift, LetterInTheEdgeLineRefusesWithTheRefusalSoundOnly) {
  TestGame t;
  t.LoadWords(6, {"こたつ"});
  WithShiftSounds(t);
  Place(t, 1, 0, 2, kRightButton);  // column 0, rows 2..4
  t.s.MessageMode = 2;              // no box for a refused shift
  Shift(t, 0);
  EXPECT_EQ(t.s.WordX(1), 0);
  EXPECT_EQ(ColumnText(t.s, 0, 1, 5), "×こたつ×");
  ASSERT_EQ(t.sound.played.size(), 1u);
  EXPECT_EQ(t.sound.played[0], "refused");
  EXPECT_TRUE(t.msgs.boxes.empty());
  EXPECT_EQ(t.win.focused, 1);
}

TEST(Shift, EndMarksInTheEdgeLineDoNotRefuse) {
  TestGame t;
  t.LoadWords(6, {"こたつ", "いぬ"});
  WithShiftSounds(t);
  Place(t, 1, 2, 1, kRightButton);  // rows 1..3; its upper mark in row 0
  Place(t, 2, 4, 4);                // a word that did not start in row 1
  Shift(t, 2);
  ASSERT_EQ(t.sound.played.size(), 1u);
  EXPECT_EQ(t.sound.played[0], "shift");
  EXPECT_EQ(t.s.WordY(1), 0);
  EXPECT_EQ(t.s.WordY(2), 3);
  EXPECT_EQ(t.s.WordX(1), 2);
  EXPECT_EQ(ColumnText(t.s, 2, -1, 3), "×こたつ×");
  EXPECT_EQ(RowText(t.s, 3, 3, 6), "×いぬ×");
  EXPECT_EQ(RowText(t.s, 4, 0, 5), "......");
}

TEST(Shift, RightMovesTheWordAndItsMarkOntoTheBorderColumn) {
  TestGame t;
  t.LoadWords(6, {"こたつ"});
  Place(t, 1, 2, 0);  // columns 2..4
  Co_Click(t.g, 1);
  // The cells moved before any redraw (the after mark is left to it)...
  EXPECT_EQ(RowText(t.s, 0, 1, 6), ".×こたつ.");
  EXPECT_EQ(t.s.WordX(1), 3);
  MainLoopPass(t);
  // ...and the redraw puts the end marks where the record says.
  EXPECT_EQ(RowText(t.s, 0, 1, 6), ".×こたつ×");
  EXPECT_EQ(t.s.Score, 10);
  EXPECT_EQ(t.s.PlacedCount, 1);
  EXPECT_EQ(t.s.NoRecord, 0);
}

TEST(Shift, LeftMovesColumnZeroIntoTheBorderColumn) {
  TestGame t;
  t.LoadWords(6, {"こたつ"});
  Place(t, 1, 1, 0);  // mark at (0, 0), letters 1..3, mark at (4, 0)
  Co_Click(t.g, 0);
  EXPECT_EQ(RowText(t.s, 0, -1, 5), "×こたつ×..");
  EXPECT_EQ(t.s.WordX(1), 0);
}

TEST(Shift, DownAndUpMoveRowsAndKeepUnplacedWordsWhereTheyWere) {
  TestGame t;
  t.LoadWords(6, {"こたつ", "いぬ"});
  Place(t, 1, 1, 1);
  t.s.WordX(2) = 4;  // a stale position of a word not on the board
  t.s.WordY(2) = 4;
  Shift(t, 3);
  EXPECT_EQ(t.s.WordY(1), 2);
  EXPECT_EQ(RowText(t.s, 2, 0, 4), "×こたつ×");
  EXPECT_EQ(RowText(t.s, 1, 0, 4), ".....");
  Shift(t, 2);
  Shift(t, 2);
  EXPECT_EQ(t.s.WordY(1), 0);
  EXPECT_EQ(RowText(t.s, 0, 0, 4), "×こたつ×");
  EXPECT_EQ(t.s.WordX(2), 4);
  EXPECT_EQ(t.s.WordY(2), 4);
}

TEST(Shift, EveryEdgeRefusesOnlyForItsOwnDirection) {
  TestGame t;
  t.LoadWords(4, {"ねこ"});
  Place(t, 1, 2, 3);  // row 3 (the last), columns 2..3 (the last)
  WithShiftSounds(t);
  Shift(t, 1);
  Shift(t, 3);
  EXPECT_EQ(t.s.WordX(1), 2);
  EXPECT_EQ(t.s.WordY(1), 3);
  Shift(t, 0);
  Shift(t, 2);
  EXPECT_EQ(t.s.WordX(1), 1);
  EXPECT_EQ(t.s.WordY(1), 2);
  EXPECT_EQ(t.sound.played, (std::vector<QByteArray>{"refused", "refused", "shift", "shift"}));
}

TEST(Shift, SoundSwitchThreeGatesBothSounds) {
  TestGame t;
  t.LoadWords(4, {"ねこ"});
  Place(t, 1, 0, 0);
  t.s.SoundData(3) = "shift";
  t.s.SoundData(5) = "refused";
  t.s.SoundSwitch(5) = 1;  // not the switch of the refusal sound
  Shift(t, 0);
  Shift(t, 1);
  EXPECT_TRUE(t.sound.played.empty());
  EXPECT_EQ(t.s.WordX(1), 1);
}

TEST(ShiftChain, PersistentModeAsksFiveTimesWithRandomlySwappedButtons) {
  TestGame t;
  t.LoadWords(6, {"ねこ"});
  WithShiftSounds(t);
  Place(t, 1, 1, 1);
  t.s.MessageMode = 2;
  t.rng.values = {0.2, 0.7, 0.5, 0.49};  // in order, in swapped, swapped, in order
  for (int k = 0; k < 5; ++k) t.msgs.Press("はい");
  Shift(t, 1);
  ASSERT_EQ(t.msgs.boxes.size(), 5u);
  EXPECT_EQ(t.msgs.boxes[0].Message, kFirst);
  EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));
  const QStringList inOrder{"はい", "いいえ"}, swapped{"いいえ", "はい"};
  EXPECT_EQ(t.msgs.boxes[1].Captions, inOrder);
  EXPECT_EQ(t.msgs.boxes[2].Captions, swapped);
  EXPECT_EQ(t.msgs.boxes[3].Captions, swapped);
  EXPECT_EQ(t.msgs.boxes[4].Captions, inOrder);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(t.msgs.boxes[k].Title, "ぬめら");
    if (k > 0) {
      EXPECT_EQ(t.msgs.boxes[k].Message, kAgain);
    }
  }
  EXPECT_EQ(t.s.WordX(1), 2);
  EXPECT_EQ(t.sound.played, std::vector<QByteArray>{"shift"});
}

TEST(ShiftChain, DecliningAtAnyBoxLeavesTheBoardAndPlaysNothing) {
  for (int decline = 0; decline < 5; ++decline) {
    TestGame t;
    t.LoadWords(6, {"ねこ"});
    WithShiftSounds(t);
    Place(t, 1, 1, 1);
    t.s.MessageMode = 2;
    t.rng.values = {0.7, 0.7, 0.1, 0.9};
    for (int k = 0; k < decline; ++k) t.msgs.Press("はい");
    t.msgs.Press("いいえ");
    Shift(t, 3);
    EXPECT_EQ(t.msgs.boxes.size(), static_cast<std::size_t>(decline + 1));
    EXPECT_EQ(t.s.WordY(1), 1) << "declined at box " << decline + 1;
    EXPECT_EQ(RowText(t.s, 1, 0, 3), "×ねこ×");
    EXPECT_TRUE(t.sound.played.empty());
  }
}

TEST(ShiftChain, OtherModesShiftAtOnce) {
  for (Integer mode : {0, 1, 3}) {
    TestGame t;
    t.LoadWords(6, {"ねこ"});
    Place(t, 1, 1, 1);
    t.s.MessageMode = mode;
    for (int d = 0; d < 4; ++d) Shift(t, d);
    EXPECT_TRUE(t.msgs.boxes.empty());
    EXPECT_EQ(t.s.WordX(1), 1);
    EXPECT_EQ(t.s.WordY(1), 1);
    EXPECT_EQ(t.rng.draws, 1);  // only the placement's own draw
  }
}

TEST(Shift, KeepsScoreSelectionAndCompleteness) {
  TestGame t;
  t.LoadWords(6, {"ねこ", "いぬ", "とり"});
  Place(t, 1, 1, 1);
  Place(t, 2, 1, 2);  // side by side: incomplete
  testing::ClickLabel(t, 3);
  Shift(t, 3);
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.BestScore, 10);
  EXPECT_EQ(t.s.NoRecord, 1);
  EXPECT_EQ(t.s.SelectedIndex, 3);
  EXPECT_EQ(t.s.Formain.La(3).ForeColor, colour::kLightBlue);
}

TEST(Shift, NoPlacedWordStillAsksAndSoundsWithoutAPuzzleNothingMoves) {
  TestGame t;
  WithShiftSounds(t);
  t.s.MessageMode = 2;
  t.msgs.AlwaysFirst();
  t.rng.fallback = 0.0;
  Shift(t, 0);
  EXPECT_EQ(t.msgs.boxes.size(), 5u);
  EXPECT_EQ(t.sound.played, std::vector<QByteArray>{"shift"});

  TestGame empty;
  empty.LoadWords(5, {"ねこ"});
  Shift(empty, 2);
  EXPECT_EQ(RowText(empty.s, 0, -1, 5), ".......");
}

}  // namespace
}  // namespace numera
