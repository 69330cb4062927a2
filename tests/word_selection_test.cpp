#include "play/word_selection.h"

#include <gtest/gtest.h>

#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::CellCentre;
using testing::ClickLabel;
using testing::MainLoopPass;
using testing::Place;
using testing::RowText;
using testing::TestGame;

const QStringList kTakeBackChain = {
    "この単語でいいですか？",
    "本当にいいですか？",
    "この単語がいいですか？",
    "どうしてもこの単語でなければいけませんか？",
    "あなたのその選択が最終的にあなたの得点に深くかかわることでしょう。それでもよろしいですか？",
    "後悔しませんか？",
};

void ExpectColour(const TestGame& t, int i, Colour c) {
  EXPECT_EQ(t.s.Formain.La(i).ForeColor, c) << "La(" << i << ")";
  EXPECT_EQ(t.s.Formain.La2(i).ForeColor, c) << "La2(" << i << ")";
}

void Press(TestGame& t, int i, int button = kLeftButton) {
  La_MouseDown(t.g, static_cast<Integer>(i), static_cast<Integer>(button), 0, 3, 3);
}
void Release(TestGame& t, int i, int button = kLeftButton) {
  La_MouseUp(t.g, static_cast<Integer>(i), static_cast<Integer>(button), 0, 3, 3);
}

TEST(WordSelection, EveryPressPlaysTheSelectionSound) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.SoundSwitch(1) = 1;
  t.s.SoundData(1) = "select";
  Place(t, 1, 0, 0);          // select 1
  Press(t, 2);                // select 2
  Press(t, 1);                // placed word while 2 is selected: nothing else
  Press(t, 2);                // deselect
  Press(t, 1, kRightButton);  // show
  ASSERT_EQ(t.sound.played.size(), 5u);
  for (const QByteArray& wav : t.sound.played) EXPECT_EQ(wav, "select");

  TestGame quiet;
  quiet.LoadWords(10, {"ねこ"});
  quiet.s.SoundData(1) = "select";
  Press(quiet, 1);
  EXPECT_TRUE(quiet.sound.played.empty());
}

TEST(WordSelection, PressSelectsAnUnplacedWord) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  Press(t, 2);
  EXPECT_EQ(t.s.SelectedIndex, 2);
  EXPECT_EQ(t.s.SelectedWord, "いぬ");
  EXPECT_EQ(t.s.SelectedPoints, 20);
  ExpectColour(t, 2, colour::kLightBlue);
  ExpectColour(t, 1, colour::kBlack);
}

TEST(WordSelection, PressingTheSelectedWordAgainDeselectsIt) {
  for (Integer mode : {0, 1, 2, 3}) {
    TestGame t;
    t.LoadWords(10, {"ねこ"});
    t.s.MessageMode = mode;
    Press(t, 1);
    if (mode == 2) t.msgs.Press("Ok");
    Press(t, 1);
    EXPECT_EQ(t.s.SelectedIndex, 0) << "mode " << mode;
    ExpectColour(t, 1, colour::kBlack);
    if (mode == 2) {
      ASSERT_EQ(t.msgs.boxes.size(), 1u);
      EXPECT_EQ(t.msgs.boxes[0].Message, "えっ？");
      EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
      EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});
    } else {
      EXPECT_TRUE(t.msgs.boxes.empty()) << "mode " << mode;
    }
  }
}

TEST(WordSelection, PressingAnotherUnplacedWordMovesTheSelection) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ", "とり"});
  Press(t, 1);
  Press(t, 3);
  EXPECT_EQ(t.s.SelectedIndex, 3);
  EXPECT_EQ(t.s.SelectedWord, "とり");
  EXPECT_EQ(t.s.SelectedPoints, 30);
  ExpectColour(t, 1, colour::kBlack);
  ExpectColour(t, 3, colour::kLightBlue);
}

TEST(WordSelection, PressingAPlacedWordWhileAnotherIsSelectedKeepsTheSelection) {
  for (int button : {kLeftButton, kRightButton}) {
    TestGame t;
    t.LoadWords(10, {"ねこ", "いぬ"});
    Place(t, 1, 0, 0);
    Press(t, 2);
    Press(t, 1, button);
    Release(t, 1, button);
    EXPECT_EQ(t.s.SelectedIndex, 2);
    ExpectColour(t, 2, colour::kLightBlue);
    ExpectColour(t, 1, colour::kWhite);
    EXPECT_EQ(t.s.WordUsed(1), 1);
    EXPECT_EQ(t.s.Score, 10);
  }
}

TEST(WordSelection, RightButtonShowsAPlacedWordInOrangeWhileHeld) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  Place(t, 1, 2, 3);
  Press(t, 1, kRightButton);
  EXPECT_EQ(t.s.SelectedIndex, 1);
  ExpectColour(t, 1, colour::kOrange);
  MainLoopPass(t);
  EXPECT_EQ(t.s.CellFlag(2, 3), 1);
  EXPECT_EQ(t.s.CellFlag(3, 3), 1);
  ASSERT_NE(t.canvas.PrintAt(3, 3, 10), nullptr);
  EXPECT_EQ(t.canvas.PrintAt(3, 3, 10)->Color, colour::kOrange);
  // A second press while shown does nothing (it is not a deselection).
  Press(t, 1, kLeftButton);
  ExpectColour(t, 1, colour::kOrange);
  EXPECT_EQ(t.s.WordUsed(1), 1);
  Release(t, 1, kLeftButton);
  ExpectColour(t, 1, colour::kOrange);

  Release(t, 1, kRightButton);
  ExpectColour(t, 1, colour::kWhite);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  EXPECT_EQ(t.s.CellFlag(2, 3), 0);
  MainLoopPass(t);
  EXPECT_EQ(t.canvas.PrintAt(3, 3, 10)->Color, colour::kBlack);
  EXPECT_EQ(t.s.Score, 10);
}

TEST(WordSelection, MiddleButtonDoesNothingOnTheLabels) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.SoundSwitch(1) = 1;
  Place(t, 1, 0, 0);
  const std::size_t sounds = t.sound.played.size();
  Press(t, 1, kMiddleButton);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  ExpectColour(t, 1, colour::kWhite);
  Press(t, 2, kMiddleButton);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  ExpectColour(t, 2, colour::kBlack);
  Release(t, 1, kMiddleButton);
  EXPECT_EQ(t.sound.played.size(), sounds);
  // So a placed word can never be placed a second time from here.
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 5), CellCentre(t, 5));
  EXPECT_EQ(t.s.Score, 10);
  EXPECT_EQ(t.s.PlacedCount, 1);
}

TEST(TakeBack, LeftPressTakesAPlacedWordBackAtOnceOutsideThePersistentMode) {
  for (Integer mode : {0, 1, 3}) {
    TestGame t;
    t.LoadWords(10, {"こたつ", "つくえ"});
    t.s.MessageMode = mode;
    t.rng.fallback = 0.0;  // no joke event after the placements
    Place(t, 1, 0, 0);
    Place(t, 2, 2, 0, kRightButton);
    ASSERT_EQ(t.s.Score, 30);
    ClickLabel(t, 2);
    EXPECT_TRUE(t.msgs.boxes.empty()) << "mode " << mode;
    EXPECT_EQ(t.s.WordUsed(2), 0);
    EXPECT_EQ(t.s.Score, 10);
    EXPECT_EQ(t.s.PlacedCount, 1);
    EXPECT_EQ(t.s.SelectedIndex, 0);
    ExpectColour(t, 2, colour::kBlack);
    // Its letters and marks are gone; the shared つ stays with word 1.
    EXPECT_EQ(RowText(t.s, 0, -1, 2), "×こたつ");
    EXPECT_EQ(t.s.Board(3, 0), "×");
    EXPECT_EQ(t.s.Board(2, 1), "");
    EXPECT_EQ(t.s.Board(2, 3), "");
    EXPECT_EQ(t.s.Board(2, -1), "");
    EXPECT_EQ(t.s.BestScore, 30);
  }
}

TEST(TakeBack, PersistentModeShowsTheSixBoxesFirst) {
  TestGame t;
  t.LoadWords(10, {"ねこ"});
  Place(t, 1, 0, 0);
  t.s.MessageMode = 2;
  std::vector<Long> scoreWhileShown;
  t.msgs.on_show = [&](const MessageBoxRequest&) { scoreWhileShown.push_back(t.s.Score); };
  for (int k = 0; k < 6; ++k) t.msgs.Press("Ok");
  ClickLabel(t, 1);
  EXPECT_EQ(t.msgs.Messages(), kTakeBackChain);
  for (const MessageBoxRequest& box : t.msgs.boxes) {
    EXPECT_EQ(box.Title, "ぬめら");
    EXPECT_EQ(box.Captions, QStringList{"Ok"});
  }
  EXPECT_EQ(scoreWhileShown, std::vector<Long>(6, 10));
  EXPECT_EQ(t.s.WordUsed(1), 0);
  EXPECT_EQ(t.s.Score, 0);
  EXPECT_EQ(t.s.PlacedCount, 0);
}

TEST(TakeBack, CanMakeTheBoardCompleteAndRaiseTheBestScore) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  Place(t, 1, 0, 0);  // 10, complete
  Place(t, 2, 0, 1);  // 20 more, side by side: incomplete
  ASSERT_EQ(t.s.NoRecord, 1);
  ASSERT_EQ(t.s.BestScore, 10);
  ClickLabel(t, 1);
  EXPECT_EQ(t.s.Score, 20);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.BestScore, 20);
}

TEST(TakeBack, LeavingAnIncompleteBoardKeepsTheBestScore) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "つくえ", "いぬ"});
  Place(t, 1, 0, 0);
  Place(t, 2, 2, 0, kRightButton);
  Place(t, 3, 3, 2);  // いぬ across right after え: refused
  ASSERT_EQ(t.s.WordUsed(3), 0);
  testing::ClickBoard(t, 4, 1, kLeftButton);  // apart from the others: incomplete
  ASSERT_EQ(t.s.NoRecord, 1);
  ASSERT_EQ(t.s.BestScore, 30);
  ClickLabel(t, 1);  // つくえ and いぬ stay, still apart from each other
  EXPECT_EQ(t.s.NoRecord, 1);
  EXPECT_EQ(t.s.Score, 50);
  EXPECT_EQ(t.s.BestScore, 30);
}

TEST(WordSelection, AnyReleaseOverALabelRemovesTheCellHighlights) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  Place(t, 1, 0, 0);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 1), CellCentre(t, 0));
  ASSERT_EQ(t.s.CellFlag(1, 0), 2);
  Release(t, 2, kLeftButton);
  EXPECT_EQ(t.s.CellFlag(1, 0), 0);
}

TEST(WordSelection, PointsLabelActsAsTheWordLabel) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  La2_MouseDown(t.g, 2, kLeftButton, 0, 1, 1);
  La2_MouseUp(t.g, 2, kLeftButton, 0, 1, 1);
  EXPECT_EQ(t.s.SelectedIndex, 2);
  ExpectColour(t, 2, colour::kLightBlue);
  Place(t, 1, 0, 0);
  La2_MouseDown(t.g, 1, kRightButton, 0, 1, 1);
  ExpectColour(t, 1, colour::kOrange);
  La2_MouseUp(t.g, 1, kRightButton, 0, 1, 1);
  ExpectColour(t, 1, colour::kWhite);
  La2_MouseDown(t.g, 1, kLeftButton, 0, 1, 1);
  EXPECT_EQ(t.s.WordUsed(1), 0);
}

TEST(WordSelection, SelectionLeftOverFromALongerListNeverIndexesOutOfRange) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.SelectedIndex = 9;
  Press(t, 1);
  EXPECT_EQ(t.s.SelectedIndex, 1);
  ExpectColour(t, 1, colour::kLightBlue);
  t.s.SelectedIndex = 90;
  Release(t, 1, kRightButton);
  Press(t, 2);
  EXPECT_EQ(t.s.SelectedIndex, 2);
  // Labels beyond the list are hidden and cannot be pressed.
  Press(t, 3);
  EXPECT_EQ(t.s.SelectedIndex, 2);
}

}  // namespace
}  // namespace numera
