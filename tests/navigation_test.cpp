// The arrow keys on the word list, and the pause every move ends with.
#include "play/navigation.h"

#include <gtest/gtest.h>

#include "core/wait.h"
#include "tests/support/fakes.h"

namespace numera::testing {
namespace {

enum Key { kUp, kDown, kLeft, kRight };

TEST(Navigation, EachKeyFindsTheNextUnplacedWordOrStays) {
  struct Case {
    const char* why;
    int words;
    std::vector<int> placed;
    int selected;
    Key key;
    int expected;  // 0: no move at all (no sound, no pause)
  } const cases[] = {
      {"up wraps past the first word", 5, {1, 2}, 3, kUp, 5},
      {"down steps over placed words", 5, {3}, 2, kDown, 4},
      {"down wraps past the last word", 5, {}, 5, kDown, 1},
      {"down comes back round to the selection", 5, {1, 2, 3, 5}, 4, kDown, 0},
      {"up comes back round to the selection", 5, {1, 2, 4, 5}, 3, kUp, 0},
      {"up wraps onto the selection itself", 5, {1, 2, 3, 4}, 5, kUp, 5},
      {"down wraps onto the selection itself", 5, {2, 3, 4, 5}, 1, kDown, 1},
      {"a single word is chosen again", 1, {}, 1, kUp, 1},
      {"right from the first half of nine", 9, {}, 1, kRight, 6},
      {"right from the last word of the first half", 9, {}, 4, kRight, 9},
      {"right from the middle of nine", 9, {}, 5, kRight, 0},
      {"left from the middle of nine", 9, {}, 5, kLeft, 0},
      {"left from the second half of nine", 9, {}, 9, kLeft, 4},
      {"right from the first half of eight", 8, {}, 4, kRight, 8},
      {"left from the second half of eight", 8, {}, 5, kLeft, 1},
      {"right from the second half", 8, {}, 6, kRight, 0},
      {"left from the first half", 8, {}, 3, kLeft, 0},
      {"a placed partner stops a jump", 8, {2}, 6, kLeft, 0},
      {"no selection", 5, {}, 0, kDown, 0},
      {"a selection left over from a longer list", 5, {}, 7, kUp, 0},
  };
  for (const Case& c : cases) {
    TestGame t;
    QStringList words;
    for (int i = 1; i <= c.words; ++i) words << QStringLiteral("ご%1").arg(i);
    t.LoadWords(10, words);
    for (int i : c.placed) t.s.WordUsed(i) = 1, t.s.Formain.La(i).ForeColor = colour::kWhite;
    t.s.SelectedIndex = c.selected;
    if (c.selected >= 1) t.s.Formain.La(c.selected).ForeColor = colour::kLightBlue;
    t.s.SoundSwitch(1) = 1;
    const std::uint32_t start = t.clock.now;
    const std::array<void (*)(Game&), 4> keys{SelectPrevWord, SelectNextWord, SelectLeftWord,
                                              SelectRightWord};
    keys[c.key](t.g);

    const bool moved = c.expected != 0;
    EXPECT_EQ(t.s.SelectedIndex, moved ? c.expected : c.selected) << c.why;
    EXPECT_EQ(t.sound.played.size(), moved ? 1u : 0u) << c.why;
    EXPECT_EQ(t.clock.now - start, moved ? 81u : 0u) << c.why;  // Wait(80)
    if (!moved) continue;
    EXPECT_EQ(t.s.SelectedWord, words[c.expected - 1]) << c.why;
    EXPECT_EQ(t.s.SelectedPoints, 10 * c.expected) << c.why;
    EXPECT_EQ(t.s.Formain.La(c.expected).ForeColor, colour::kLightBlue) << c.why;
    EXPECT_EQ(t.s.Formain.La2(c.expected).ForeColor, colour::kLightBlue) << c.why;
    if (c.expected != c.selected) {
      EXPECT_EQ(t.s.Formain.La(c.selected).ForeColor, colour::kBlack) << c.why;
      EXPECT_EQ(t.s.Formain.La2(c.selected).ForeColor, colour::kBlack) << c.why;
    }
  }
}

TEST(Navigation, APollAsksEveryKeyTwiceAndActsInOrder) {
  TestGame t;
  t.LoadWords(10, {"あ", "い", "う", "え", "お", "か", "き", "く", "け"});
  t.s.SelectedIndex = 2;
  t.keys.down = {kVkDown, kVkRight};
  PollKeys(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 8);  // down 2 -> 3, then right 3 -> 8
  EXPECT_EQ(t.keys.queried, (std::vector<int>{13, 37, 39, 38, 40, 38, 40, 37, 39}));
  t.keys.down = {kVkUp, kVkLeft};
  PollKeys(t.g);
  EXPECT_EQ(t.s.SelectedIndex, 2);  // up 8 -> 7, then left 7 -> 2
}

TEST(Wait, PausesJustOverTheTimeWhileEventsKeepFlowing) {
  struct Case {
    std::uint32_t start;
    Long ms;
  } const cases[] = {{1000, 80}, {1000, 0}, {0xFFFFFFF0u, 100}, {1000, -5}};
  for (const Case& c : cases) {
    TestGame t;
    t.clock.now = c.start;
    Wait(t.g, c.ms);
    const std::uint32_t elapsed = t.clock.now - c.start;  // across a wrap too
    EXPECT_EQ(elapsed, static_cast<std::uint32_t>(std::max<Long>(c.ms, 0) + 1)) << c.ms;
    EXPECT_GE(t.pump.calls, 1);
  }
}

}  // namespace
}  // namespace numera::testing
