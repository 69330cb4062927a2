#include "play/placement.h"

#include <gtest/gtest.h>

#include "play/board_check.h"
#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::CellCentre;
using testing::ClickBoard;
using testing::ClickLabel;
using testing::ColumnText;
using testing::MainLoopPass;
using testing::Place;
using testing::RowText;
using testing::TestGame;

const QString kSix[] = {
    "この単語でいいですか？",
    "本当にいいですか？",
    "この単語がいいですか？",
    "どうしてもこの単語でなければいけませんか？",
    "あなたのその選択が最終的にあなたの得点に深くかかわることでしょう。それでもよろしいですか？",
    "後悔しませんか？",
};
const QString kCongratulations = "おめでとうございます。最高記録を更新しました。";

// Nothing of the play state differs between two games.
void ExpectSamePlay(const GameState& a, const GameState& b) {
  EXPECT_EQ(a.Score, b.Score);
  EXPECT_EQ(a.BestScore, b.BestScore);
  EXPECT_EQ(a.PlacedCount, b.PlacedCount);
  EXPECT_EQ(a.SelectedIndex, b.SelectedIndex);
  EXPECT_EQ(a.SelectedWord, b.SelectedWord);
  EXPECT_EQ(a.NoRecord, b.NoRecord);
  for (int i = 1; i <= 90; ++i) {
    EXPECT_EQ(a.WordUsed(i), b.WordUsed(i)) << "word " << i;
    EXPECT_EQ(a.Formain.La(i).ForeColor, b.Formain.La(i).ForeColor) << "word " << i;
  }
  for (int x = -1; x <= 30; ++x)
    for (int y = -1; y <= 30; ++y) {
      EXPECT_EQ(a.Board(x, y), b.Board(x, y)) << x << "," << y;
      EXPECT_EQ(a.CellFlag(x, y), b.CellFlag(x, y)) << x << "," << y;
    }
}

// ---- The cell under the pointer -------------------------------------------

TEST(BoardCell, PressAt37_5And60OnTenByTenHitsColumn1Row2Across) {
  TestGame t;
  t.LoadWords(10, {"ねこ"});
  ClickLabel(t, 1);
  Pimain_MouseDown(t.g, kLeftButton, 0, 37.5f, 60.0f);
  EXPECT_EQ(t.s.WordUsed(1), 1);
  EXPECT_EQ(t.s.WordX(1), 1);
  EXPECT_EQ(t.s.WordY(1), 2);
  EXPECT_EQ(t.s.WordDir(1), 0);
  EXPECT_EQ(RowText(t.s, 2, 0, 3), "×ねこ×");
}

TEST(BoardCell, LastPixelsOfThePictureGiveN) {
  TestGame t;
  t.LoadWords(10, {"あ"});
  Pimain_MouseDown(t.g, kLeftButton, 0, 250.0f, 250.0f);
  EXPECT_EQ(t.s.CellFlag(10, 10), 2);
  Pimain_MouseUp(t.g, kLeftButton, 0, 250.0f, 250.0f);

  // A word pressed there does not fit: its letter would lie on the ring.
  ClickLabel(t, 1);
  Pimain_MouseDown(t.g, kLeftButton, 0, 250.0f, 12.5f);
  EXPECT_EQ(t.s.WordUsed(1), 0);
  Pimain_MouseDown(t.g, kLeftButton, 0, 12.5f, 250.0f);  // across on the ring row N
  EXPECT_EQ(t.s.WordUsed(1), 0);
  Pimain_MouseDown(t.g, kRightButton, 0, 250.0f, 12.5f);  // down on the ring column N
  EXPECT_EQ(t.s.WordUsed(1), 0);
  // Just before, the last column of the board itself.
  Pimain_MouseDown(t.g, kLeftButton, 0, 249.9f, 12.5f);
  EXPECT_EQ(t.s.WordUsed(1), 1);
  EXPECT_EQ(t.s.WordX(1), 9);
  EXPECT_EQ(t.s.Board(10, 0), "×");
}

TEST(BoardCell, CellSizeInHundredthsIsRoundedHalfToEven) {
  // N = 16: the cell is 15.625 pixels, 1562.5 hundredths, rounded to 1562.
  TestGame t;
  t.LoadWords(16, {"あ"});
  Pimain_MouseDown(t.g, kLeftButton, 0, 15.62f, 0.0f);
  EXPECT_EQ(t.s.CellFlag(1, 0), 2);
  EXPECT_EQ(t.s.CellFlag(0, 0), 0);
}

TEST(BoardCell, PositionAndCellSizeAreRoundedNotTruncated) {
  // N = 6: the cell is 41.666668 pixels, 4167 hundredths after rounding.
  TestGame t;
  t.LoadWords(6, {"あ"});
  Pimain_MouseDown(t.g, kLeftButton, 0, 41.666f, 0.0f);  // 4166.6 -> 4167 -> column 1
  EXPECT_EQ(t.s.CellFlag(1, 0), 2);
  Pimain_MouseUp(t.g, kLeftButton, 0, 0, 0);
  Pimain_MouseDown(t.g, kLeftButton, 0, 41.66f, 0.0f);  // 4166 / 4167 -> column 0
  EXPECT_EQ(t.s.CellFlag(0, 0), 2);
  EXPECT_EQ(t.s.CellFlag(1, 0), 0);
}

// ---- The fit test ----------------------------------------------------------

TEST(Placement, WordAtOriginGetsItsFrontMarkInTheRing) {
  TestGame t;
  t.LoadWords(10, {"こたつ"});
  Place(t, 1, 0, 0);
  EXPECT_EQ(RowText(t.s, 0, -1, 4), "×こたつ×.");
  EXPECT_EQ(t.s.WordUsed(1), 1);
  EXPECT_EQ(t.s.WordDir(1), 0);
  EXPECT_EQ(t.s.Score, 10);
  EXPECT_EQ(t.s.PlacedCount, 1);
  EXPECT_EQ(t.s.BestScore, 10);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.Formain.La2(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  EXPECT_EQ(t.s.SelectedWord, "");
  EXPECT_EQ(t.s.SelectedPoints, 0);
  EXPECT_EQ(t.s.Formain.Lg2.Caption, "NOW:10\u3000");
  EXPECT_EQ(t.s.Formain.Lg3.Caption, "MAX:10\u3000");
}

TEST(Placement, RightButtonLaysTheWordDown) {
  TestGame t;
  t.LoadWords(10, {"こたつ"});
  Place(t, 1, 2, 3, kRightButton);
  EXPECT_EQ(ColumnText(t.s, 2, 1, 7), ".×こたつ×.");
  EXPECT_EQ(RowText(t.s, 3, 1, 3), ".こ.");
  EXPECT_EQ(t.s.WordDir(1), 1);
  EXPECT_EQ(t.s.WordX(1), 2);
  EXPECT_EQ(t.s.WordY(1), 3);
}

TEST(Placement, LetterPastTheEdgeRefusedSilently) {
  for (int button : {kLeftButton, kRightButton}) {
    TestGame t;
    t.LoadWords(4, {"こたつ"});
    t.s.MessageMode = 2;  // a refusal shows no box at all
    ClickLabel(t, 1);
    const GameState before = t.s;
    Pimain_MouseDown(t.g, static_cast<Integer>(button), 0, CellCentre(t, 2), CellCentre(t, 2));
    ExpectSamePlay(t.s, before);
    EXPECT_EQ(t.s.SelectedIndex, 1);  // the word stays selected for another try
    EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kLightBlue);
    EXPECT_EQ(t.rng.draws, 0);
    EXPECT_TRUE(t.msgs.boxes.empty());
  }
}

TEST(Placement, WordEndingInTheLastColumnPutsItsMarkOnTheRing) {
  TestGame t;
  t.LoadWords(4, {"こたつ"});
  Place(t, 1, 1, 0);
  EXPECT_EQ(t.s.WordUsed(1), 1);
  EXPECT_EQ(RowText(t.s, 0, 0, 4), "×こたつ×");
}

TEST(Placement, CrossingOnTheSameLetterFitsADifferentLetterDoesNot) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "つくえ", "いぬ"});
  Place(t, 1, 0, 0);
  Place(t, 2, 2, 0, kRightButton);  // shares つ at (2, 0)
  EXPECT_EQ(t.s.WordUsed(2), 1);
  EXPECT_EQ(ColumnText(t.s, 2, -1, 3), "×つくえ×");
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.BestScore, 30);

  Place(t, 3, 0, 0, kRightButton);  // い on こ
  EXPECT_EQ(t.s.WordUsed(3), 0);
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.SelectedIndex, 3);
}

TEST(Placement, LetterJustBeforeTheStartRefuses) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "いぬ", "たこ"});
  Place(t, 1, 0, 0);
  // Down from (1, 1): its own cells are free but (1, 0) holds た.
  Place(t, 2, 1, 1, kRightButton);
  EXPECT_EQ(t.s.WordUsed(2), 0);
  // An end mark before the start is fine: across from (4, 0), after the × at (3, 0).
  ClickBoard(t, 4, 0, kLeftButton);
  EXPECT_EQ(t.s.WordUsed(2), 1);
  EXPECT_EQ(RowText(t.s, 0, -1, 6), "×こたつ×いぬ×");
  // Down from (0, 1): the cell before is こ.
  Place(t, 3, 0, 1, kRightButton);
  EXPECT_EQ(t.s.WordUsed(3), 0);
}

TEST(Placement, LetterRightAfterTheWordRefuses) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "いぬ"});
  Place(t, 1, 3, 2, kRightButton);  // こ at (3, 2)
  Place(t, 2, 3, 0, kRightButton);  // いぬ at (3, 0), (3, 1); (3, 2) holds こ
  EXPECT_EQ(t.s.WordUsed(2), 0);
}

TEST(Placement, SamePlaceRefusedOtherDirectionJudgedByTheRules) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "ねこ"});
  Place(t, 1, 0, 0);
  Place(t, 2, 0, 0);  // letters and marks agree, but word 1 starts here across
  EXPECT_EQ(t.s.WordUsed(2), 0);
  EXPECT_EQ(t.s.Score, 10);
  EXPECT_EQ(t.s.PlacedCount, 1);
  ClickBoard(t, 0, 0, kRightButton);  // down from the same cell fits
  EXPECT_EQ(t.s.WordUsed(2), 1);
  EXPECT_EQ(t.s.WordDir(2), 1);
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(ColumnText(t.s, 0, -1, 2), "×ねこ×");
}

TEST(Placement, SideBySideWordsAcceptedButTheBoardIsIncompleteAndBestScoreStays) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  Place(t, 1, 0, 0);
  EXPECT_EQ(t.s.BestScore, 10);
  Place(t, 2, 0, 1);
  EXPECT_EQ(t.s.WordUsed(2), 1);
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.NoRecord, 1);
  EXPECT_EQ(t.s.BestScore, 10);
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kRed);
}

TEST(Placement, AlreadyPlacedWordIsNeverPlacedAgain) {
  TestGame t;
  t.LoadWords(10, {"ねこ"});
  Place(t, 1, 0, 0);
  La_MouseDown(t.g, 1, kRightButton, 0, 5, 5);  // shown: selected while placed
  ASSERT_EQ(t.s.SelectedIndex, 1);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 5), CellCentre(t, 5));
  EXPECT_EQ(t.s.Score, 10);
  EXPECT_EQ(t.s.PlacedCount, 1);
  EXPECT_EQ(t.s.WordX(1), 0);
}

// ---- Highlighting the words that share a letter ---------------------------

TEST(Highlight, PressLightsWordsWithTheLetterAndReleaseRestoresThem) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "つくえ", "いぬ", "たこ"});
  Place(t, 1, 0, 0);
  Pimain_MouseDown(t.g, kRightButton, 0, CellCentre(t, 2), CellCentre(t, 0));  // つ
  EXPECT_EQ(t.s.CellFlag(2, 0), 2);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kYellow);  // placed
  EXPECT_EQ(t.s.Formain.La(2).ForeColor, colour::kGreen);   // not placed
  EXPECT_EQ(t.s.Formain.La(3).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La(4).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La2(1).ForeColor, colour::kWhite);  // points labels untouched
  EXPECT_EQ(t.s.Formain.La2(2).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.WordUsed(2), 0);
  MainLoopPass(t);
  ASSERT_NE(t.canvas.PrintAt(2, 0, 10), nullptr);
  EXPECT_EQ(t.canvas.PrintAt(2, 0, 10)->Color, colour::kGreen);

  Pimain_MouseUp(t.g, kRightButton, 0, 0, 0);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.Formain.La(2).ForeColor, colour::kBlack);
  for (int x = -1; x <= 30; ++x)
    for (int y = -1; y <= 30; ++y) ASSERT_EQ(t.s.CellFlag(x, y), 0);
}

TEST(Highlight, EmptyCellsAndEndMarksMatchNoWord) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "つくえ"});
  Place(t, 1, 0, 0);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 5), CellCentre(t, 5));
  EXPECT_EQ(t.s.CellFlag(5, 5), 2);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 3), CellCentre(t, 0));  // ×
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.Formain.La(2).ForeColor, colour::kBlack);
}

TEST(Highlight, ReleaseWithAWordSelectedChangesNothing) {
  TestGame t;
  t.LoadWords(10, {"こたつ", "つくえ", "いぬ"});
  Place(t, 1, 0, 0);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 2), CellCentre(t, 0));
  La_MouseDown(t.g, 3, kLeftButton, 0, 5, 5);  // select いぬ meanwhile
  Pimain_MouseUp(t.g, kLeftButton, 0, 0, 0);
  EXPECT_EQ(t.s.Formain.La(2).ForeColor, colour::kGreen);
  EXPECT_EQ(t.s.CellFlag(2, 0), 2);
}

// ---- Message modes ---------------------------------------------------------

TEST(PlacingChain, PersistentModeShowsSixBoxesThenThirteenCongratulations) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.MessageMode = 2;
  t.msgs.AlwaysFirst();
  std::vector<Long> bestWhileShown;
  std::vector<Integer> usedWhileShown;
  t.msgs.on_show = [&](const MessageBoxRequest&) {
    bestWhileShown.push_back(t.s.BestScore);
    usedWhileShown.push_back(t.s.WordUsed(1));
  };
  Place(t, 1, 0, 0);
  ASSERT_EQ(t.msgs.boxes.size(), 6u + 13u);
  for (int k = 0; k < 19; ++k) {
    const MessageBoxRequest& box = t.msgs.boxes[k];
    EXPECT_EQ(box.Message, k < 6 ? kSix[k] : kCongratulations) << "box " << k;
    EXPECT_EQ(box.Title, "ぬめら");
    EXPECT_EQ(box.Captions, QStringList{"Ok"});
    // The chain comes before the word is recorded, the congratulations
    // after it and before the best score follows.
    EXPECT_EQ(usedWhileShown[k], k < 6 ? 0 : 1) << "box " << k;
    EXPECT_EQ(bestWhileShown[k], 0) << "box " << k;
  }
  EXPECT_EQ(t.s.BestScore, 10);

  // No new best (the board is incomplete): the six boxes only.
  t.msgs.boxes.clear();
  Place(t, 2, 0, 1);
  EXPECT_EQ(t.msgs.Messages(), QStringList(std::begin(kSix), std::end(kSix)));
  EXPECT_EQ(t.s.BestScore, 10);
}

TEST(PlacingChain, OtherModesPlaceWithoutAnyBox) {
  for (Integer mode : {0, 1, 3}) {
    TestGame t;
    t.LoadWords(10, {"ねこ"});
    t.s.MessageMode = mode;
    Place(t, 1, 0, 0);  // an unexpected box would throw
    EXPECT_EQ(t.s.BestScore, 10) << "mode " << mode;
    EXPECT_TRUE(t.msgs.boxes.empty());
  }
}

TEST(RandomDraw, EveryPlacementDrawsButOnlyTheJokeModeShowsAnEventTwoTimesInFive) {
  // Rnd 0.59 gives 3, 0.6 gives 4, 0.99 gives 5.
  for (Integer mode : {0, 1, 2, 3}) {
    for (double r : {0.0, 0.59, 0.6, 0.99}) {
      TestGame t;
      t.LoadWords(10, {"ねこ"});
      t.s.MessageMode = mode;
      t.msgs.AlwaysFirst();
      t.rng.values = {r, (25 - 0.5) / 32};  // then event 25: one box
      int drawsDuringChain = -1;
      Integer usedDuringEvent = -1;
      t.msgs.on_show = [&](const MessageBoxRequest& box) {
        if (box.Message == kSix[5]) drawsDuringChain = t.rng.draws;
        if (box.Message == "クリックしてください。") usedDuringEvent = t.s.WordUsed(1);
      };
      Place(t, 1, 0, 0);
      const bool event = mode == 3 && r >= 0.6;
      SCOPED_TRACE("mode " + std::to_string(mode) + " r " + std::to_string(r));
      EXPECT_EQ(t.msgs.Messages().contains("クリックしてください。"), event);
      EXPECT_EQ(t.rng.draws, event ? 2 : 1);
      if (event) {
        EXPECT_EQ(usedDuringEvent, 0);  // before the word is recorded
      }
      if (mode == 2) {
        EXPECT_EQ(drawsDuringChain, 0);  // drawn after the chain
      }
      EXPECT_EQ(t.s.WordUsed(1), 1);
    }
  }
}

// ---- Rainbow font, the middle button, no puzzle ---------------------------

TEST(Rainbow, EveryPressOnTheBoardRecoloursEveryCell) {
  TestGame t;
  t.LoadWords(3, {"ねこ", "いぬいぬ"});
  t.s.FontKind = 3;
  auto expectAll = [&](Colour c) {
    for (int x = 0; x <= 2; ++x)
      for (int y = 0; y <= 2; ++y) EXPECT_EQ(t.s.CellColor(x, y), c) << x << "," << y;
    EXPECT_EQ(t.s.CellColor(3, 3), 0);  // the ring is not part of the board
    EXPECT_EQ(t.s.CellColor(-1, 0), 0);
  };
  t.rng.fallback = 0.5;
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 1), CellCentre(t, 1));  // highlight
  expectAll(838608);
  EXPECT_EQ(t.rng.draws, 9);
  t.rng.fallback = 0.25;
  ClickLabel(t, 2);
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 0), CellCentre(t, 0));  // refused
  expectAll(419304);
  EXPECT_EQ(t.rng.draws, 18);
  ClickLabel(t, 1);
  t.rng.fallback = 0.75;
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 0), CellCentre(t, 0));  // placed
  expectAll(1257912);
  EXPECT_EQ(t.rng.draws, 28);  // nine colours and the event draw
  EXPECT_EQ(t.s.WordUsed(1), 1);
}

TEST(Board, MiddleButtonNeverPlacesButPressesLikeTheOthers) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.FontKind = 3;
  Place(t, 1, 0, 0);
  ClickLabel(t, 2);
  const int draws = t.rng.draws;
  Pimain_MouseDown(t.g, kMiddleButton, 0, CellCentre(t, 0), CellCentre(t, 2));
  Pimain_MouseUp(t.g, kMiddleButton, 0, CellCentre(t, 0), CellCentre(t, 2));
  EXPECT_EQ(t.s.WordUsed(2), 0);
  EXPECT_EQ(t.s.SelectedIndex, 2);
  EXPECT_EQ(t.rng.draws, draws + 100);  // the rainbow still gets new colours
  // Without a selection it highlights the words with the pressed letter.
  ClickLabel(t, 2);
  Pimain_MouseDown(t.g, kMiddleButton, 0, CellCentre(t, 0), CellCentre(t, 0));
  EXPECT_EQ(t.s.CellFlag(0, 0), 2);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kYellow);
  Pimain_MouseUp(t.g, kMiddleButton, 0, CellCentre(t, 0), CellCentre(t, 0));
  EXPECT_EQ(t.s.CellFlag(0, 0), 0);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
}

TEST(Board, PressBeforeAPuzzleIsOpenDoesNothing) {
  TestGame t;
  t.s.FontKind = 3;
  t.s.SelectedIndex = 1;
  for (int button : {kLeftButton, kRightButton, kMiddleButton}) {
    for (float pos : {0.0f, 125.0f, 250.0f}) {
      Pimain_MouseDown(t.g, static_cast<Integer>(button), 0, pos, pos);
      Pimain_MouseUp(t.g, static_cast<Integer>(button), 0, pos, pos);
    }
  }
  t.s.SelectedIndex = 0;
  Pimain_MouseDown(t.g, kLeftButton, 0, 100, 100);
  EXPECT_EQ(t.rng.draws, 0);
  EXPECT_EQ(t.s.Score, 0);
  EXPECT_EQ(t.s.CellFlag(0, 0), 0);
}

TEST(Board, SelectionLeftOverFromALongerListCountsAsNone) {
  TestGame t;
  t.LoadWords(10, {"ねこ", "いぬ"});
  t.s.SelectedIndex = 7;
  t.s.Words(7) = "とり";
  Pimain_MouseDown(t.g, kLeftButton, 0, CellCentre(t, 0), CellCentre(t, 0));
  EXPECT_EQ(t.s.WordUsed(7), 0);
  EXPECT_EQ(t.s.Score, 0);
  EXPECT_EQ(t.s.CellFlag(0, 0), 2);
  Pimain_MouseUp(t.g, kLeftButton, 0, 0, 0);
  EXPECT_EQ(t.s.CellFlag(0, 0), 0);
}

}  // namespace
}  // namespace numera
