// The message box's layout, and the chains built on it.
#include "dialogs/message_box.h"

#include <gtest/gtest.h>

#include "dialogs/chain.h"
#include "tests/support/fakes.h"

namespace numera::testing {
namespace {

TEST(MessageBox, ButtonsAreSizedByTheirCaptionsAndCentredAsARow) {
  struct Case {
    QString message;
    int count;
    QStringList captions;
    int width;
    std::array<int, 3> buttons;
    std::array<double, 3> lefts;
  } const cases[] = {
      {"あ", 1, {"はい", "x", "y"}, 106, {89, 0, 0}, {8.5, 0, 0}},
      {"どうしますか？",
       3,
       {"開く", "閉じる", "ホント勘弁してください"},
       370,
       {89, 89, 159},
       {8.5, 105.5, 202.5}},
      {QString(40, QChar(u'あ')), 2, {"はい", "いいえ", ""}, 496, {89, 89, 0}, {155, 252, 0}},
      {"", 2, {"", "", ""}, 203, {89, 89, 0}, {8.5, 105.5, 0}},
      {"ミルテん゛を開きますか？", 2, {"はい", "いいえ", ""}, 203, {89, 89, 0}, {8.5, 105.5, 0}},
      {"", 1, {"１２３４５６７", "", ""}, 120, {103, 0, 0}, {8.5, 0, 0}},
  };
  for (const Case& c : cases) {
    const MessageBoxRequest box =
        LayoutMessageBox(c.message, "ぬめら", c.count, c.captions[0], c.captions[1], c.captions[2]);
    EXPECT_EQ(box.ClientWidth, c.width) << c.message.toStdString();
    EXPECT_EQ(box.ClientHeight, 62);
    EXPECT_EQ(box.LabelWidth, c.width - 16);
    EXPECT_EQ(box.Captions, c.captions.mid(0, c.count));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(box.ButtonWidth[std::size_t(i)], c.buttons[std::size_t(i)]) << i;
      if (i < c.count) {
        EXPECT_DOUBLE_EQ(box.ButtonLeft[std::size_t(i)], c.lefts[std::size_t(i)]);
      }
    }
    EXPECT_EQ(box.ButtonTop, 37);
    EXPECT_EQ(box.ButtonHeight, 24);
  }
}

TEST(Chain, FollowsTheButtonsToAnExitAndRefusesMalformedSteps) {
  const Chain chain{{1, "一", {"a", "b"}, {2, -7}}, {2, "二", {"c"}, {-8}, "題"}};
  for (const auto& [press, exit] : {std::pair{0, -8}, std::pair{1, -7}}) {
    TestGame t;
    t.msgs.PressIndex(press);
    t.msgs.PressIndex(0);
    EXPECT_EQ(chain.Run(t.g, 1), exit);
    EXPECT_EQ(t.s.MsgResult, press == 0 ? 0 : 1);
    EXPECT_EQ(t.msgs.boxes.back().Title, press == 0 ? "題" : "ぬめら");
  }
  EXPECT_THROW((Chain{{1, "x", {"a", "b"}, {2}}}), std::logic_error);
  EXPECT_THROW((Chain{{1, "x", {}, {}}}), std::logic_error);
  EXPECT_THROW((Chain{{1, "x", {"a", "b", "c", "d"}, {-1, -1, -1, -1}}}), std::logic_error);
  EXPECT_THROW(chain.Step(3), std::logic_error);
}

}  // namespace
}  // namespace numera::testing
