#include "settings/version_help.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

TEST(VersionAndHelp, EachShowsOneBoxInEveryMessageMode) {
  for (Integer mode : {0, 1, 2, 3}) {
    TestGame t;
    t.s.MessageMode = mode;
    t.LoadWords(4, {"ねこ"});
    t.msgs.Press("Ok");
    バージョン_Click(t.g);
    ASSERT_EQ(t.msgs.boxes.size(), 1u) << mode;
    EXPECT_EQ(t.msgs.boxes[0].Message, "ぬめらβ版　Ver2.7182818");
    EXPECT_EQ(t.msgs.boxes[0].Message.at(5), QChar(0x3000));  // a full-width space
    EXPECT_EQ(t.msgs.boxes[0].Title, "バージョン情報");
    EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});

    t.msgs.Press("Ok");
    ヘルプ_Click(t.g);
    ASSERT_EQ(t.msgs.boxes.size(), 2u) << mode;
    EXPECT_EQ(t.msgs.boxes[1].Message, "ヘルプ.htmlを開いてくださいね。");
    EXPECT_EQ(t.msgs.boxes[1].Title, "ぬめら");
    EXPECT_EQ(t.msgs.boxes[1].Captions, QStringList{"Ok"});

    EXPECT_EQ(t.s.MessageMode, mode);
    EXPECT_EQ(t.s.WordCount, 1);
    EXPECT_EQ(t.s.Score, 0);
    EXPECT_EQ(t.s.Formain.BackColor, kDesignBackColor);
  }
}

}  // namespace
}  // namespace numera
