#include "play/clearing.h"

#include <gtest/gtest.h>

#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::MainLoopPass;
using testing::Place;
using testing::RowText;
using testing::TestGame;

const QStringList kClearingChain = {
    "クリアしてもよろしいですか？",
    "この場合のクリアとは「ステージクリア」などの用法とは違いますがよろしいですか？",
    "この場合のクリアとは「初期状態に戻す」の意味合いですが、よろしいですか？",
    "クリアします。",
    "本当にクリアしてもよろしいですか？",
    "今ならまだ間に合いますよ？",
    "一度クリアしたものはもう二度と元には戻りません。",
    "本当によろしいですか？",
    "でも",
    "本当にクリアします。",
};

// Two crossing words on the board, a third selected, best score 30.
void PlayTwoWords(TestGame& t) {
  t.LoadWords(6, {"こたつ", "つくえ", "いぬ"});
  t.s.SoundData(2) = "clear";
  t.s.SoundSwitch(2) = 1;
  Place(t, 1, 0, 0);
  Place(t, 2, 2, 0, kRightButton);
  testing::ClickLabel(t, 3);
  ASSERT_EQ(t.s.Score, 30);
  ASSERT_EQ(t.s.BestScore, 30);
}

void ExpectCleared(TestGame& t) {
  EXPECT_EQ(t.s.Score, 0);
  EXPECT_EQ(t.s.PlacedCount, 0);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.BestScore, 30);
  EXPECT_EQ(t.s.BoardSize, 6);
  EXPECT_EQ(t.s.WordCount, 3);
  EXPECT_EQ(t.s.Words(2), "つくえ");
  EXPECT_EQ(t.s.WordPoints(3), 30);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(t.s.WordUsed(i), 0);
    EXPECT_EQ(t.s.Formain.La(i).ForeColor, colour::kBlack) << i;
    EXPECT_EQ(t.s.Formain.La2(i).ForeColor, colour::kBlack) << i;
  }
  for (int x = 0; x <= 5; ++x)
    for (int y = 0; y <= 5; ++y) EXPECT_EQ(t.s.Board(x, y), "") << x << "," << y;
  EXPECT_EQ(t.sound.played, std::vector<QByteArray>{"clear"});
  MainLoopPass(t);
  EXPECT_EQ(t.s.Formain.Lg2.Caption, "NOW:0\u3000");
  EXPECT_EQ(t.s.Formain.Lg3.Caption, "MAX:30\u3000");
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kBlack);
  EXPECT_TRUE(t.canvas.prints.empty());
}

void ExpectKept(TestGame& t) {
  EXPECT_EQ(t.s.Score, 30);
  EXPECT_EQ(t.s.PlacedCount, 2);
  EXPECT_EQ(t.s.SelectedIndex, 3);
  EXPECT_EQ(t.s.WordUsed(1), 1);
  EXPECT_EQ(t.s.WordUsed(2), 1);
  EXPECT_EQ(RowText(t.s, 0, -1, 3), "×こたつ×");
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
  EXPECT_TRUE(t.sound.played.empty());
}

TEST(Clear, NoneModeClearsAtOnceKeepingPuzzleAndBestScore) {
  TestGame t;
  PlayTwoWords(t);
  t.s.MessageMode = 1;
  Coc_Click(t.g);
  EXPECT_TRUE(t.msgs.boxes.empty());
  EXPECT_EQ(t.win.focused, 1);
  ExpectCleared(t);
}

TEST(Clear, StandardAndJokeModesAskOnce) {
  for (Integer mode : {0, 3}) {
    for (const char* answer : {"いいえ", "はい"}) {
      TestGame t;
      PlayTwoWords(t);
      t.s.MessageMode = mode;
      t.msgs.Press(answer);
      Coc_Click(t.g);
      ASSERT_EQ(t.msgs.boxes.size(), 1u);
      EXPECT_EQ(t.msgs.boxes[0].Message, "クリアしますか？");
      EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
      EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));
      if (QString(answer) == "はい") {
        ExpectCleared(t);
      } else {
        ExpectKept(t);
      }
    }
  }
}

TEST(Clear, AnIncompleteBoardIsCompleteAgainAfterAClear) {
  TestGame t;
  t.LoadWords(6, {"ねこ", "いぬ"});
  t.s.MessageMode = 1;
  Place(t, 1, 0, 0);
  Place(t, 2, 0, 1);  // side by side
  ASSERT_EQ(t.s.NoRecord, 1);
  Coc_Click(t.g);
  EXPECT_EQ(t.s.NoRecord, 0);
  MainLoopPass(t);
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.BestScore, 10);
}

TEST(Clear, UnknownModeClearsWithoutAsking) {
  TestGame t;
  PlayTwoWords(t);
  t.s.MessageMode = 7;
  Coc_Click(t.g);
  ExpectCleared(t);
}

TEST(ClearingChain, PersistentModeAsksTenTimesWithTwoPauses) {
  TestGame t;
  PlayTwoWords(t);
  t.s.MessageMode = 2;
  std::vector<std::uint32_t> shownAt;
  t.msgs.on_show = [&](const MessageBoxRequest&) { shownAt.push_back(t.clock.now); };
  for (int k = 0; k < 10; ++k) t.msgs.Press("はい");
  Coc_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), kClearingChain);
  for (const MessageBoxRequest& box : t.msgs.boxes) {
    EXPECT_EQ(box.Title, "ぬめら");
    EXPECT_EQ(box.Captions, (QStringList{"はい", "いいえ"}));
  }
  ASSERT_EQ(shownAt.size(), 10u);
  for (int k = 1; k < 10; ++k) {
    const std::uint32_t gap = shownAt[k] - shownAt[k - 1];
    if (k == 4) {
      EXPECT_GT(gap, 800u);
      EXPECT_LE(gap, 802u);
    } else if (k == 5) {
      EXPECT_GT(gap, 600u);
      EXPECT_LE(gap, 602u);
    } else {
      EXPECT_EQ(gap, 0u) << "no pause before box " << k + 1;
    }
  }
  EXPECT_GT(t.pump.calls, 0);  // window events go on during the pauses
  ExpectCleared(t);
}

TEST(ClearingChain, NoAtAnyOfTheTenBoxesKeepsEverything) {
  for (int decline = 0; decline < 10; ++decline) {
    TestGame t;
    PlayTwoWords(t);
    t.s.MessageMode = 2;
    for (int k = 0; k < decline; ++k) t.msgs.Press("はい");
    t.msgs.Press("いいえ");
    Coc_Click(t.g);
    SCOPED_TRACE("declined at box " + std::to_string(decline + 1));
    EXPECT_EQ(t.msgs.boxes.size(), static_cast<std::size_t>(decline + 1));
    ExpectKept(t);
  }
}

TEST(ClearingChain, ClearButtonPressedDuringAPauseRunsANestedClear) {
  TestGame t;
  PlayTwoWords(t);
  t.s.MessageMode = 2;
  bool nested = false;
  t.pump.on_events = [&] {
    if (nested) return;
    nested = true;
    t.s.MessageMode = 1;  // the nested command runs without boxes
    Coc_Click(t.g);
    t.s.MessageMode = 2;
  };
  for (int k = 0; k < 10; ++k) t.msgs.Press("はい");
  Coc_Click(t.g);
  EXPECT_TRUE(nested);
  EXPECT_EQ(t.msgs.boxes.size(), 10u);
  EXPECT_EQ(t.s.Score, 0);
  EXPECT_EQ(t.sound.played, (std::vector<QByteArray>{"clear", "clear"}));
}

}  // namespace
}  // namespace numera
