#include "files/closing.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::ProgramEnded;
using testing::TestGame;

const QString kClose = "ぬめらを閉じますか？";
const QString kGoOn = "ぬめらを続けますか？";
const QString kLately = "ところで最近どうですか？";
const QString kScore = "言い方が悪かったです。スコアはどうですか？最高記録を更新できましたか？";
const QString kCongrats = "おめでとうございます。";
const QString kSorry = "ご愁傷様です。";
const QString kNextTime = "また次回も頑張ってくださいね。";
const QString kSaved = "しっかり保存しましたか？";
const QString kStateIt = "保存したと明言できますか？";
const QString kWithoutSaving = "保存せずにぬめらを閉じてもいいですか？";
const QString kReally = "本当に保存しなくてもいいですか？";
const QString kLost = "一度失ったデータは元に戻すことが出来ません。それでもいいですか？";
const QString kClosing = "それではぬめらを閉じます。";
const QString kMeetAgain = "また機会があればお会いしましょう。";
const QString kPromise = "絶対にゼッタイですよ？";

// Runs the close box's handler; returns whether the program ended.
bool CloseBox(TestGame& t, Integer& cancel) {
  try {
    Form_Unload(t.g, cancel);
  } catch (const ProgramEnded& e) {
    EXPECT_EQ(e.ExitCode, 0);
    return true;
  }
  return false;
}

void PressAll(TestGame& t, const QStringList& captions) {
  for (const QString& c : captions) t.msgs.Press(c);
}

TEST(Closing, NoMessagesEndsAtOnceFromCloseBoxAndMenu) {
  TestGame t;
  t.s.MessageMode = 1;
  Integer cancel = 0;
  EXPECT_TRUE(CloseBox(t, cancel));
  EXPECT_THROW(終了_Click(t.g), ProgramEnded);
  EXPECT_TRUE(t.msgs.boxes.empty());
}

TEST(Closing, StandardAndMofuriAskOnce) {
  for (Integer mode : {0, 3}) {
    TestGame t;
    t.s.MessageMode = mode;
    t.msgs.Press("いいえ");
    Integer cancel = 0;
    EXPECT_FALSE(CloseBox(t, cancel));
    EXPECT_EQ(cancel, 1);
    ASSERT_EQ(t.msgs.boxes.size(), 1u);
    EXPECT_EQ(t.msgs.boxes[0].Message, "終了しますか？");
    EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
    EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));

    t.msgs.Press("はい");
    EXPECT_THROW(終了_Click(t.g), ProgramEnded);
    EXPECT_EQ(t.msgs.boxes.size(), 2u);
  }
}

TEST(Closing, UnknownMessageSettingStillAsksBeforeEnding) {
  TestGame t;
  t.s.MessageMode = 9;
  t.msgs.Press("いいえ");
  Integer cancel = 0;
  EXPECT_FALSE(CloseBox(t, cancel));
  EXPECT_EQ(cancel, 1);
  t.msgs.Press("はい");
  EXPECT_TRUE(CloseBox(t, cancel));
  EXPECT_EQ(t.msgs.Messages(), (QStringList{"終了しますか？", "終了しますか？"}));
}

TEST(ClosingPersistent, ShortestExitTakesSixBoxes) {
  TestGame t;
  t.s.MessageMode = 2;
  PressAll(t, {"はい", "はい", "はい", "はい", "わかった", "Ok"});
  Integer cancel = 0;
  EXPECT_TRUE(CloseBox(t, cancel));
  EXPECT_EQ(t.msgs.Messages(),
            (QStringList{kClose, kSaved, kStateIt, kClosing, kMeetAgain, kPromise}));
  EXPECT_EQ(t.msgs.Titles(),
            (QStringList{"ぬめらん", "ぬめら", "ぬめら", "ぬめら", "ぬめら", "ぬめら"}));
  EXPECT_EQ(t.msgs.boxes[3].Captions, QStringList{"はい"});
  EXPECT_EQ(t.msgs.boxes[4].Captions, QStringList{"わかった"});
  EXPECT_EQ(t.msgs.boxes[5].Captions, QStringList{"Ok"});
}

TEST(ClosingPersistent, TheOneWayBackIntoTheGameChangesNothing) {
  TestGame t;
  t.s.MessageMode = 2;
  t.LoadWords(5, {"ねこ", "いぬ"});
  t.s.Score = 30;
  const GameState before = t.s;
  PressAll(t, {"いいえ",                                                // 1
               "はい", "いいえ", "できた", "どうも", "ところで",        // 2-5
               "いいえ",                                                // 6
               "いいえ", "はい", "できなかった", "どうも", "ところで",  // 7
               "いいえ",                                                // 8
               "はい"});                                                // 9
  EXPECT_NO_THROW(終了_Click(t.g));
  EXPECT_EQ(t.msgs.Messages(),
            (QStringList{kClose, kGoOn, kLately, kScore, kCongrats, kNextTime, kClose, kGoOn,
                         kLately, kScore, kSorry, kNextTime, kClose, kGoOn}));
  EXPECT_EQ(t.msgs.Pending(), 0u);
  EXPECT_EQ(t.msgs.boxes[3].Captions, (QStringList{"できた", "できなかった"}));
  EXPECT_EQ(t.msgs.boxes[5].Captions, QStringList{"ところで"});
  QStringList titles(14, "ぬめら");
  titles[0] = "ぬめらん";
  EXPECT_EQ(t.msgs.Titles(), titles);
  EXPECT_EQ(t.s.Score, before.Score);
  EXPECT_EQ(t.s.WordCount, before.WordCount);
  EXPECT_EQ(t.s.MessageMode, 2);
}

TEST(ClosingPersistent, CloseBoxStaysOpenAfterContinuingAtStepNine) {
  TestGame t;
  t.s.MessageMode = 2;
  PressAll(t, {"いいえ", "いいえ", "いいえ", "できた", "どうも", "ところで", "いいえ", "はい",
               "はい", "できた", "どうも", "ところで", "いいえ", "はい"});
  Integer cancel = 0;
  EXPECT_FALSE(CloseBox(t, cancel));
  EXPECT_EQ(cancel, 1);
}

TEST(ClosingPersistent, NotContinuingAtStepNineAsksAboutSaving) {
  TestGame t;
  t.s.MessageMode = 2;
  PressAll(t, {"いいえ", "はい",     "はい",   "できた",   "どうも", "ところで", "いいえ", "はい",
               "はい",   "できた",   "どうも", "ところで", "いいえ", "いいえ",  // 9: いいえ -> 10
               "いいえ", "いいえ",   "はい",   "はい",                          // 10, 12, 13, 14
               "はい",   "わかった", "Ok"});
  Integer cancel = 0;
  EXPECT_TRUE(CloseBox(t, cancel));
  const QStringList m = t.msgs.Messages();
  ASSERT_EQ(m.size(), 21);
  EXPECT_EQ(m.mid(13), (QStringList{kGoOn, kSaved, kWithoutSaving, kReally, kLost, kClosing,
                                    kMeetAgain, kPromise}));
}

TEST(ClosingPersistent, EveryReturnToStepOneIsTitledNumeran) {
  TestGame t;
  t.s.MessageMode = 2;
  PressAll(t, {"はい", "はい", "いいえ",  // 1, 10, 11 -> 1
               "はい", "はい", "いいえ",  // 1, 10, 11 -> 1
               "はい", "いいえ", "いいえ", "はい", "はい", "はい", "わかった", "Ok"});
  // The last round: 1, 10 いいえ, 12, 13 はい, 14 はい, 15, 16, 17.
  Integer cancel = 0;
  EXPECT_TRUE(CloseBox(t, cancel));
  EXPECT_EQ(t.msgs.Messages(),
            (QStringList{kClose, kSaved, kStateIt, kClose, kSaved, kStateIt, kClose, kSaved,
                         kWithoutSaving, kReally, kLost, kClosing, kMeetAgain, kPromise}));
  const QStringList titles = t.msgs.Titles();
  for (int i = 0; i < titles.size(); ++i) {
    EXPECT_EQ(titles[i], i == 0 || i == 3 || i == 6 ? "ぬめらん" : "ぬめら") << i;
  }
}

TEST(ClosingPersistent, RefusingToLoseDataGoesBackToContinueQuestion) {
  for (const QStringList& toStepTwo :
       {QStringList{"いいえ"}, QStringList{"はい", "いいえ"}}) {  // at 13, or at 14
    TestGame t;
    t.s.MessageMode = 2;
    PressAll(t, {"はい", "いいえ", "はい"});  // 1, 10, 12
    PressAll(t, toStepTwo);
    PressAll(t, {"はい", "はい", "できた", "どうも", "ところで", "はい",  // 2..6
                 "はい", "はい", "はい", "わかった", "Ok"});
    Integer cancel = 0;
    EXPECT_TRUE(CloseBox(t, cancel));
    const QStringList m = t.msgs.Messages();
    const int back = 3 + static_cast<int>(toStepTwo.size());
    EXPECT_EQ(m.mid(back - 1, 2), (QStringList{toStepTwo.size() == 1 ? kReally : kLost, kGoOn}));
    EXPECT_EQ(t.msgs.Titles()[back], "ぬめら");  // step 2 keeps the plain title
    EXPECT_EQ(m.mid(back + 5),
              (QStringList{kClose, kSaved, kStateIt, kClosing, kMeetAgain, kPromise}));
  }
}

}  // namespace
}  // namespace numera
