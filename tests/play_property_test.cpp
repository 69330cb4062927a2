// Random play: presses and releases on labels and board, shifts and clears
// in every message mode. Whatever the sequence, nothing throws and the score
// and counters agree with the placed words.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "play/board_check.h"
#include "play/clearing.h"
#include "play/shifting.h"
#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::MainLoopPass;
using testing::TestGame;

std::uint32_t Seed() {
  if (const char* env = std::getenv("NUMERA_PLAY_SEED"))
    return static_cast<std::uint32_t>(std::strtoul(env, nullptr, 10));
  return static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

// Words over a small alphabet, so crossings and refusals both happen often.
QStringList RandomWords(std::mt19937& gen, int count) {
  const QString letters = "あいうえ";
  QStringList words;
  for (int i = 0; i < count; ++i) {
    const int len = std::uniform_int_distribution<int>(1, 5)(gen);
    QString w;
    for (int k = 0; k < len; ++k) w += letters[std::uniform_int_distribution<int>(0, 3)(gen)];
    words << w;
  }
  return words;
}

void CheckInvariants(TestGame& t) {
  GameState& s = t.s;
  Long sum = 0;
  int used = 0;
  ASSERT_GE(s.SelectedIndex, 0);
  ASSERT_LE(s.SelectedIndex, s.WordCount);
  for (int i = 1; i <= s.WordCount; ++i) {
    const Colour c = s.Formain.La2(i).ForeColor;
    if (s.WordUsed(i) == 1) {
      sum += s.WordPoints(i);
      ++used;
      ASSERT_EQ(c, colour::kWhite) << "placed word " << i;
    } else {
      ASSERT_EQ(c, i == s.SelectedIndex ? colour::kLightBlue : colour::kBlack) << "word " << i;
    }
  }
  ASSERT_EQ(s.Score, sum);
  ASSERT_EQ(s.PlacedCount, used);
  if (s.NoRecord == 0) {
    ASSERT_GE(s.BestScore, s.Score);
  }
  GameState copy = s;
  BCheck(copy);
  ASSERT_EQ(copy.NoRecord, s.NoRecord) << "completeness out of date";
}

TEST(PlayProperty, RandomPlayKeepsScoreAndCountsInStep) {
  const std::uint32_t seed = Seed();
  std::cout << "play property seed " << seed << " (NUMERA_PLAY_SEED to repeat)\n";
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
  const int buttons[] = {kLeftButton, kRightButton, kMiddleButton};

  for (int run = 0; run < 40; ++run) {
    TestGame t;
    const int n = pick(3, 9);
    t.LoadWords(n, RandomWords(gen, pick(1, 12)));
    t.s.MessageMode = static_cast<Integer>(pick(0, 3));
    t.s.FontKind = static_cast<Integer>(pick(0, 3));
    t.msgs.AlwaysFirst();
    const float width = static_cast<float>(t.s.Formain.Pimain.Width);
    for (int step = 0; step < 300; ++step) {
      SCOPED_TRACE("run " + std::to_string(run) + " step " + std::to_string(step));
      t.rng.values.clear();
      for (int k = 0; k < 200; ++k) t.rng.values.push_back(unit(gen));
      const Integer button = static_cast<Integer>(buttons[pick(0, 2)]);
      const int action = pick(0, 19);
      ASSERT_NO_THROW({
        if (action < 8) {
          const Integer i = static_cast<Integer>(pick(1, t.s.WordCount + 1));
          La_MouseDown(t.g, i, button, 0, 1, 1);
          La_MouseUp(t.g, i, button, 0, 1, 1);
        } else if (action < 17) {
          const float x = static_cast<float>(unit(gen)) * width;
          const float y = static_cast<float>(unit(gen)) * width;
          Pimain_MouseDown(t.g, button, 0, x, y);
          Pimain_MouseUp(t.g, button, 0, x, y);
        } else if (action < 19) {
          Co_Click(t.g, static_cast<Integer>(pick(0, 3)));
        } else {
          Coc_Click(t.g);
        }
        MainLoopPass(t);
      });
      CheckInvariants(t);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace numera
