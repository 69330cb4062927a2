#include "core/navigation.h"

#include <gtest/gtest.h>

#include "core/wait.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

class NavigationTest : public ::testing::Test {
 protected:
  void Words(int count) {
    QStringList words;
    for (int i = 1; i <= count; ++i) words << QStringLiteral("ご%1").arg(i);
    t.LoadWords(10, words);
  }
  void Select(int i) {
    t.s.SelectedIndex = i;
    t.s.Formain.La(i).ForeColor = colour::kLightBlue;
    t.s.Formain.La2(i).ForeColor = colour::kLightBlue;
  }
  void Place(std::initializer_list<int> words) {
    for (int i : words) t.s.WordUsed(i) = 1;
  }
  TestGame t;
};

TEST_F(NavigationTest, UpWrapsPastTheFirstWordToAnUnplacedOne) {
  Words(5);
  Place({1, 2});
  Select(3);
  t.s.SoundSwitch(1) = 1;
  t.s.SoundData(1) = "tick";
  const std::uint32_t before = t.clock.now;
  SelectPrevWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 5);
  EXPECT_EQ(t.s.SelectedWord, "ご5");
  EXPECT_EQ(t.s.SelectedPoints, 50);
  EXPECT_EQ(t.s.Formain.La(3).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La2(3).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La(5).ForeColor, colour::kLightBlue);
  EXPECT_EQ(t.s.Formain.La2(5).ForeColor, colour::kLightBlue);
  EXPECT_EQ(t.sound.played.size(), 1u);
  EXPECT_GE(t.clock.now - before, 81u);  // each move pauses 80 ms
}

TEST_F(NavigationTest, DownComingBackToTheSelectionStopsWithoutAMove) {
  Words(5);
  Place({1, 2, 3, 5});
  Select(4);
  t.s.SoundSwitch(1) = 1;
  SelectNextWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 4);
  EXPECT_TRUE(t.sound.played.empty());
  EXPECT_EQ(t.pump.calls, 0);  // no pause either
}

TEST_F(NavigationTest, UpOnTheLastWordWithAllOthersPlacedReselectsIt) {
  Words(5);
  Place({1, 2, 3, 4});
  Select(5);
  t.s.SoundSwitch(1) = 1;
  SelectPrevWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 5);
  EXPECT_EQ(t.sound.played.size(), 1u);
  EXPECT_GT(t.pump.calls, 0);
}

TEST_F(NavigationTest, DownOnTheFirstWordWithAllOthersPlacedReselectsIt) {
  Words(4);
  Place({2, 3, 4});
  Select(1);
  t.s.SoundSwitch(1) = 1;
  SelectNextWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 1);
  EXPECT_EQ(t.sound.played.size(), 1u);
}

TEST_F(NavigationTest, ASingleWordListReselectsItsWord) {
  Words(1);
  Select(1);
  t.s.SoundSwitch(1) = 1;
  SelectPrevWord(t.g);
  SelectNextWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 1);
  EXPECT_EQ(t.sound.played.size(), 2u);
}

TEST_F(NavigationTest, LeftAndRightJumpBetweenTheHalvesOfNineWords) {
  Words(9);
  const int right[][2] = {{1, 6}, {2, 7}, {3, 8}, {4, 9}};
  for (const auto& pair : right) {
    Select(pair[0]);
    SelectRightWord(t.g);
    EXPECT_EQ(t.s.SelectedIndex, pair[1]) << "right from " << pair[0];
    SelectLeftWord(t.g);
    EXPECT_EQ(t.s.SelectedIndex, pair[0]) << "left from " << pair[1];
  }
  Select(5);  // the middle word has no partner
  SelectRightWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 5);
  SelectLeftWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 5);
}

TEST_F(NavigationTest, LeftAndRightWithEightWordsUseTheHalfFour) {
  Words(8);
  Select(4);
  SelectRightWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 8);
  Select(5);
  SelectLeftWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 1);
  Select(4);
  SelectLeftWord(t.g);  // 4 <= 4.5: already in the left half
  EXPECT_EQ(t.s.SelectedIndex, 4);
}

TEST_F(NavigationTest, APlacedPartnerStopsLeftWithoutSearching) {
  Words(9);
  Place({2});
  Select(7);
  SelectLeftWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 7);
  EXPECT_EQ(t.pump.calls, 0);
}

TEST_F(NavigationTest, NoSelectionMeansNoMoveNoSoundNoPause) {
  Words(5);
  t.s.SoundSwitch(1) = 1;
  SelectPrevWord(t.g);
  SelectNextWord(t.g);
  SelectLeftWord(t.g);
  SelectRightWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 0);
  EXPECT_TRUE(t.sound.played.empty());
  EXPECT_EQ(t.pump.calls, 0);
}

TEST_F(NavigationTest, AStaleSelectionBeyondTheWordCountCountsAsNone) {
  Words(5);
  t.s.SelectedIndex = 90;  // left over from a longer puzzle
  SelectPrevWord(t.g);
  SelectNextWord(t.g);
  SelectLeftWord(t.g);
  SelectRightWord(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 90);
}

TEST_F(NavigationTest, PollQueriesEveryKeyTwiceAndActsInOrder) {
  Words(9);
  Select(2);
  t.keys.down = {kVkDown, kVkRight};
  PollKeys(t.g);
  // Down first (2 -> 3), then Right from the new selection (3 -> 8).
  EXPECT_EQ(t.s.SelectedIndex, 8);
  const std::vector<int> expected = {13, 37, 39, 38, 40, 38, 40, 37, 39};
  EXPECT_EQ(t.keys.queried, expected);
}

TEST(Wait, LastsMoreThanTheGivenMillisecondsAndKeepsEventsFlowing) {
  TestGame t;
  int handled = 0;
  t.pump.on_events = [&handled] { ++handled; };
  const std::uint32_t start = t.clock.now;
  Wait(t.g, 80);
  EXPECT_GE(t.clock.now - start, 81u);
  EXPECT_GT(handled, 0);
}

TEST(Wait, ZeroStillLetsEventsRunOnce) {
  TestGame t;
  Wait(t.g, 0);
  EXPECT_GE(t.pump.calls, 1);
  EXPECT_GE(t.clock.now - 1000u, 1u);
}

TEST(Wait, SurvivesTheClockWrappingAround) {
  TestGame t;
  t.clock.now = 0xFFFFFFF0u;
  Wait(t.g, 100);
  EXPECT_LT(t.clock.now, 0x100u);  // wrapped, and came back after ~100 ms
  EXPECT_GE(static_cast<std::uint32_t>(t.clock.now - 0xFFFFFFF0u), 101u);
}

}  // namespace
}  // namespace numera
