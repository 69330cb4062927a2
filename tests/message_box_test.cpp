#include "dialogs/message_box.h"

#include <gtest/gtest.h>

#include "core/startup.h"
#include "dialogs/chain.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

TEST(MessageBoxLayout, OneButtonIsCentredInAtLeast106Pixels) {
  const MessageBoxRequest box = LayoutMessageBox("あ", "ぬめら", 1, "はい", "x", "y");
  EXPECT_EQ(box.ClientWidth, 106);
  EXPECT_EQ(box.ClientHeight, 62);
  EXPECT_EQ(box.ButtonWidth[0], 89);
  EXPECT_EQ(box.ButtonWidth[1], 0);  // captions beyond the count are ignored
  EXPECT_EQ(box.ButtonWidth[2], 0);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[0], 8.5);
  EXPECT_EQ(box.Captions, QStringList{"はい"});
  EXPECT_EQ(box.ButtonTop, 37);
  EXPECT_EQ(box.ButtonHeight, 24);
  EXPECT_EQ(box.LabelWidth, 90);
}

TEST(MessageBoxLayout, ThreeButtonsWithALongCaptionSpread370Pixels) {
  const MessageBoxRequest box =
      LayoutMessageBox("どうしますか？", "ぬめら", 3, "開く", "閉じる", "ホント勘弁してください");
  EXPECT_EQ(box.ButtonWidth[0], 89);
  EXPECT_EQ(box.ButtonWidth[1], 89);
  EXPECT_EQ(box.ButtonWidth[2], 159);
  EXPECT_EQ(box.ClientWidth, 370);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[0], 8.5);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[1], 105.5);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[2], 202.5);
  EXPECT_EQ(box.LabelWidth, 354);
}

TEST(MessageBoxLayout, FortyCharacterMessageSetsTheWidth) {
  const QString message(40, QChar(u'あ'));
  const MessageBoxRequest box = LayoutMessageBox(message, "ぬめら", 2, "はい", "いいえ", {});
  EXPECT_EQ(box.ClientWidth, 496);
  // The two-button row (89 + 8 + 89) sits in the middle.
  EXPECT_DOUBLE_EQ(box.ButtonLeft[0], 155.0);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[1], 252.0);
  EXPECT_DOUBLE_EQ(box.ButtonLeft[0] + (186.0 / 2), 496.0 / 2);
}

TEST(MessageBoxLayout, EmptyTextsGiveTheMinimumWidths) {
  const MessageBoxRequest box = LayoutMessageBox({}, {}, 2, {}, {}, {});
  EXPECT_EQ(box.ButtonWidth[0], 89);
  EXPECT_EQ(box.ButtonWidth[1], 89);
  EXPECT_EQ(box.ClientWidth, 89 + 89 + 16 + 9);
}

TEST(MessageBoxLayout, FirstStartupBoxIs203By62) {
  const ChainStep& first = StartupChain().Step(1);
  const MessageBoxRequest box =
      LayoutMessageBox(first.Message, first.Title, 2, first.Captions[0], first.Captions[1], {});
  EXPECT_EQ(box.Message, "ミルテん゛を開きますか？");
  EXPECT_EQ(box.ClientWidth, 203);
  EXPECT_EQ(box.ClientHeight, 62);
}

TEST(ShowMessage, RedrawsTheBoardFirstAndLeavesThePressedButton) {
  TestGame t;
  t.msgs.on_show = [&t](const MessageBoxRequest&) { EXPECT_EQ(t.canvas.frames, 1); };
  t.msgs.Press("いいえ");
  ShowMessage(t.g, "本当に？", "ぬめら", 2, "はい", "いいえ");
  EXPECT_EQ(t.s.MsgResult, 1);
  ASSERT_EQ(t.msgs.boxes.size(), 1u);
  EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
  EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));
}

TEST(ShowMessage, PlaysTheMessageSoundOnlyWhenSwitchedOn) {
  TestGame t;
  t.s.SoundData(0) = "chime";
  t.msgs.AlwaysFirst();
  ShowMessage(t.g, "a", "b", 1, "Ok");
  EXPECT_TRUE(t.sound.played.empty());
  t.s.SoundSwitch(0) = 2;  // only exactly 1 means on
  ShowMessage(t.g, "a", "b", 1, "Ok");
  EXPECT_TRUE(t.sound.played.empty());
  t.s.SoundSwitch(0) = 1;
  ShowMessage(t.g, "a", "b", 1, "Ok");
  ASSERT_EQ(t.sound.played.size(), 1u);
  EXPECT_EQ(t.sound.played[0], QByteArray("chime"));
}

TEST(Chain, FollowsTheButtonsAndReturnsTheExit) {
  const Chain chain{{1, "one", {"a", "b"}, {2, -5}}, {2, "two", {"c"}, {-7}, "別"}};
  TestGame t;
  t.msgs.Press("a");
  t.msgs.Press("c");
  EXPECT_EQ(chain.Run(t.g, 1), -7);
  EXPECT_EQ(t.msgs.Messages(), (QStringList{"one", "two"}));
  EXPECT_EQ(t.msgs.Titles(), (QStringList{"ぬめら", "別"}));
  t.msgs.Press("b");
  EXPECT_EQ(chain.Run(t.g, 1), -5);
}

TEST(Chain, RefusesAStepWhoseBranchesDoNotMatchItsButtons) {
  EXPECT_THROW((Chain{{1, "x", {"a", "b"}, {2}}}), std::logic_error);
}

}  // namespace
}  // namespace numera
