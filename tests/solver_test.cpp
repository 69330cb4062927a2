// The solver called directly: the bound it gives when it is cut short,
// one answer for a seed and thread count, and where each word can still go.
#include "workshop/solver.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <algorithm>

#include "workshop/builder.h"
#include "workshop/solver_improve.h"
#include "workshop/solver_places.h"
#include "workshop/word_list.h"

namespace numera::workshop {
namespace {

// "text:points,..." as the solver's words.
std::vector<Word> Words(const char* list) {
  std::vector<Word> words;
  for (const QString& w : QString::fromUtf8(list).split(','))
    words.push_back({ToU16(w.section(':', 0, 0)), w.section(':', 1).toInt()});
  return words;
}

// The words of a puzzle made with `make --dictionary --size 8 --words 18`:
// they all lie on one complete 8 × 8 board, 560 points.
constexpr const char* kDense =
    "いちねん:40,かほう:30,かんじ:30,ぎむ:20,ごたい:30,ごみ:20,しんりん:40,じろん:30,"
    "せいりょう:50,だてん:30,だめおし:40,ちじん:30,とうばんい:50,とめ:20,のみ:20,ばしょ:30,"
    "むすう:30,よめ:20";

TEST(Solver, TheBoundIsNeverBelowTheBestBoardEvenWhenCutShort) {
  struct Case {
    const char* name;
    int size;
    const char* words;
    Long best;  // worked out by hand
    Long bound;
    bool proven;
  };
  const Case cases[] = {
      {"every word fits", 3, "ねこ:20,こま:20", 40, 40, true},
      {"the highest word stays out", 4, "あいうえ:35,かき:20,きく:20", 40, 40, true},
      {"a word shares no letter", 3, "ねこ:20,こま:20,いぬ:20", 40, 40, true},
      {"a word longer than the board", 2, "ねこま:30,ねこ:20", 20, 20, true},
      {"a word without letters", 3, "ねこ:20,:15", 20, 35, false},
      {"every word of the dense puzzle", 8, kDense, 560, 560, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Both stages, and on the small boards the exhaustive one alone: it
    // finds and proves the best board without the first stage's head start.
    SolveOptions exactOnly;
    exactOnly.StepsPerWord = 0;
    for (const SolveOptions& options : {SolveOptions{}, c.size < 8 ? exactOnly : SolveOptions{}}) {
      const SolveResult full = Solve(Words(c.words), c.size, options);
      EXPECT_EQ(full.Score, c.best);
      EXPECT_EQ(full.Bound, c.bound);
      EXPECT_EQ(full.Proven, c.proven);
      EXPECT_EQ(full.BestAt >= 0, c.best > 0);
      EXPECT_EQ(full.AllWordsAt >= 0, full.Placements.size() == Words(c.words).size());
    }
    // Cut short at once, and in the exhaustive stage (which the dense
    // puzzle keeps busy for far longer).
    SolveOptions brief, exactBrief = exactOnly;
    brief.Seconds = 0;
    exactBrief.Seconds = 0.3;
    for (const SolveOptions& options : {brief, exactBrief}) {
      const SolveResult cut = Solve(Words(c.words), c.size, options);
      EXPECT_GE(cut.Bound, c.best);
      EXPECT_LE(cut.Score, c.best);
      EXPECT_TRUE(!cut.Proven || cut.Score == c.best);
    }
  }
}

// The first stage alone: after every step its figure is a complete board
// within the board's size, worth the points it reports, and from each of
// these seeds it reaches every word of the dense puzzle well within its steps.
TEST(Solver, TheImproverKeepsACompleteBoardAndFillsTheDensePuzzle) {
  const std::vector<Word> words = Words(kDense);
  const int kSteps = 2000;  // these seeds need 123 at most, ten seeds 1449
  for (const std::uint64_t seed : {1, 2, 3}) {
    SCOPED_TRACE(seed);
    Improver improver(words, 8, seed);
    std::uint64_t nodes = 0;
    int steps = 0;
    for (; steps < kSteps && improver.Score() < 560; ++steps) {
      improver.Step(&nodes);
      Layout again(words, 8);
      Long points = 0;
      for (const Placement& p : improver.Figure()) {
        ASSERT_TRUE(again.CanPlace(p)) << "step " << steps;
        again.Place(p);
        points += words[static_cast<std::size_t>(p.Word)].Points;
      }
      ASSERT_TRUE(again.Complete()) << "step " << steps;
      ASSERT_EQ(improver.Score(), points) << "step " << steps;
      for (const Placement& p : improver.OnBoard()) {
        const int last = static_cast<int>(words[static_cast<std::size_t>(p.Word)].Text.size()) - 1;
        ASSERT_TRUE(p.X >= 0 && p.Y >= 0 && p.X + last * (1 - p.Dir) < 8 && p.Y + last * p.Dir < 8);
      }
    }
    EXPECT_EQ(improver.Score(), 560) << "after " << steps << " steps";
    EXPECT_GT(nodes, 0u);
  }
}

TEST(Solver, TheGapIsTheShareOfTheBoundNotYetReached) {
  const std::tuple<Long, Long, double> cases[] = {
      {40, 40, 0}, {30, 40, 25}, {0, 0, 0}, {0, 20, 100}};
  for (const auto& [score, bound, gap] : cases) {
    SolveResult r;
    r.Score = score;
    r.Bound = bound;
    EXPECT_DOUBLE_EQ(GapPercent(r), gap) << score << " of " << bound;
  }
}

TEST(Solver, ASeedAndAThreadCountGiveOneAnswer) {
  SolveOptions options;
  options.Seed = 5;
  options.Seconds = 60;
  const SolveResult first = Solve(Words(kDense), 8, options);
  const SolveResult again = Solve(Words(kDense), 8, options);
  EXPECT_EQ(first.Score, 560);
  EXPECT_EQ(first.Placements, again.Placements);
}

// Where each word can still go, narrowed and widened as words are placed
// and taken back and as words are told to cross no letter now on the board,
// always agrees with trying every place on the board.
TEST(Solver, PlacesFollowTheBoardAsWordsComeAndGo) {
  const std::vector<Word> words = Words(kDense);
  Layout layout(words, 8);
  Places places(layout);
  layout.Place(layout.Root(0));
  places.Fill(layout);
  Rng rng(3);
  struct Step {
    int Dropped;  // the word told to cross no letter now on the board, or -1
    std::vector<int> Letters;
  };
  std::vector<Step> done;
  auto open = [&](const Placement& p) {
    if (!layout.CanPlace(p)) return false;
    for (const Step& s : done) {
      if (s.Dropped != p.Word) continue;
      for (int k = 0; k < static_cast<int>(words[static_cast<std::size_t>(p.Word)].Text.size());
           ++k) {
        const int cell = PackCell(p.X + k * (1 - p.Dir), p.Y + k * p.Dir);
        if (std::find(s.Letters.begin(), s.Letters.end(), cell) != s.Letters.end()) return false;
      }
    }
    return true;
  };
  auto agrees = [&] {
    for (int w = 0; w < static_cast<int>(words.size()); ++w) {
      if (layout.IsPlaced(w)) continue;
      int count = 0;
      for (int dir = 0; dir < 2; ++dir)
        for (int y = 0; y < layout.Frame(); ++y)
          for (int x = 0; x < layout.Frame(); ++x) {
            const Placement p{w, x, y, dir};
            count += open(p) ? 1 : 0;
            if (places.Has(p) != open(p)) return false;
          }
      if (count != places.Count(w)) return false;
    }
    return true;
  };
  int steps = 0, placed = 0, dropped = 0, undone = 0;
  for (int round = 0; round < 80; ++round) {
    const int w = rng.Below(static_cast<int>(words.size()));
    if (rng.Below(4) == 0 && !done.empty()) {
      if (done.back().Dropped < 0) layout.Undo();
      places.Widen();
      done.pop_back();
      ++undone;
    } else if (!layout.IsPlaced(w) && places.Count(w) > 0) {
      if (rng.Below(3) == 0) {
        places.DropCrossing(layout, w);
        done.push_back({w, layout.LetterCells()});
        ++dropped;
      } else {
        const Placement p = places.At(w, rng.Below(places.Count(w)));
        layout.Place(p);
        places.Narrow(layout, p);
        done.push_back({-1, {}});
        ++placed;
      }
    } else {
      continue;
    }
    ++steps;
    ASSERT_TRUE(agrees()) << "after step " << steps;
  }
  EXPECT_GT(placed, 5);
  EXPECT_GT(dropped, 2);
  EXPECT_GT(undone, 2);
}

}  // namespace
}  // namespace numera::workshop
