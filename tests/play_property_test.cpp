// Random play from fixed seeds: presses and releases on the labels and the
// board, shifts and clears, in every message setting. Whatever the sequence,
// the score and counters agree with the placed words, every placed word
// stands whole on the rebuilt board between its end marks, and the verdict
// of the board check is up to date.
#include <gtest/gtest.h>

#include <random>

#include "core/draw_board.h"
#include "play/board_check.h"
#include "play/clearing.h"
#include "play/placement.h"
#include "play/shifting.h"
#include "play/word_selection.h"
#include "tests/support/fakes.h"

namespace numera::testing {
namespace {

void CheckInvariants(const GameState& s) {
  Long sum = 0;
  int used = 0;
  for (int i = 1; i <= s.WordCount; ++i) {
    const Colour c = s.Formain.La2(i).ForeColor;
    if (s.WordUsed(i) != 1) {
      ASSERT_EQ(c, i == s.SelectedIndex ? colour::kLightBlue : colour::kBlack) << "word " << i;
      continue;
    }
    sum += s.WordPoints(i);
    ++used;
    ASSERT_EQ(c, colour::kWhite) << "placed word " << i;
    const int dx = 1 - s.WordDir(i), dy = s.WordDir(i);
    const QString& w = s.Words(i);
    for (int k = -1; k <= w.size(); ++k) {
      const QString want = k < 0 || k == w.size() ? QStringLiteral("×") : w.mid(k, 1);
      ASSERT_EQ(s.Board(s.WordX(i) + k * dx, s.WordY(i) + k * dy), want)
          << "word " << i << " letter " << k;
    }
  }
  ASSERT_EQ(s.Score, sum);
  ASSERT_EQ(s.PlacedCount, used);
  if (s.NoRecord == 0) {
    ASSERT_GE(s.BestScore, s.Score);
  }
  GameState copy = s;
  BCheck(copy);
  ASSERT_EQ(copy.NoRecord, s.NoRecord) << "the verdict is out of date";
}

TEST(PlayProperty, RandomPlayKeepsTheBoardAndTheScoreInStep) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 gen(seed);
    auto pick = [&gen](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    TestGame t;
    // Words over a small alphabet, so that crossings and refusals both happen.
    QStringList words;
    for (int i = pick(1, 12); i > 0; --i) {
      QString w;
      for (int k = pick(1, 5); k > 0; --k) w += QStringLiteral("あいうえ")[pick(0, 3)];
      words << w;
    }
    t.LoadWords(pick(3, 9), words);
    t.s.MessageMode = static_cast<Integer>(pick(0, 3));
    t.s.FontKind = static_cast<Integer>(pick(0, 3));
    t.msgs.AlwaysFirst();
    const float width = static_cast<float>(t.s.Formain.Pimain.Width);
    for (int step = 0; step < 400; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      for (int k = 0; k < 50; ++k) t.rng.values.push_back(unit(gen));
      const auto button = static_cast<Integer>(std::array{1, 2, 4}[std::size_t(pick(0, 2))]);
      const int action = pick(0, 19);
      if (action < 8) {
        const auto i = static_cast<Integer>(pick(1, t.s.WordCount + 1));
        La_MouseDown(t.g, i, button);
        La_MouseUp(t.g, i, button);
      } else if (action < 17) {
        const auto x = static_cast<float>(unit(gen)) * width;
        const auto y = static_cast<float>(unit(gen)) * width;
        Pimain_MouseDown(t.g, button, x, y);
        Pimain_MouseUp(t.g);
      } else if (action < 19) {
        Co_Click(t.g, static_cast<Integer>(pick(0, 3)));
      } else {
        Coc_Click(t.g);
      }
      DrawBoard(t.g);  // the main loop's redraw
      CheckInvariants(t.s);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace numera::testing
