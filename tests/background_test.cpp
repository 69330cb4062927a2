#include "diversions/background.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

// What the view could see at each pause of a flight.
struct Snapshot {
  int Left[3], Top[3];
  bool Visible[3];
  int Repaints;
};

std::vector<Snapshot> RecordFlight(TestGame& t) {
  std::vector<Snapshot> seen;
  t.pump.on_events = [&] {
    Snapshot s{};
    for (int i = 0; i < 3; ++i) {
      s.Left[i] = t.s.Formain.PicGra(i).Left;
      s.Top[i] = t.s.Formain.PicGra(i).Top;
      s.Visible[i] = t.s.Formain.PicGra(i).Visible;
    }
    s.Repaints = t.canvas.frames;
    seen.push_back(s);
  };
  Form_Click(t.g);
  t.pump.on_events = nullptr;
  return seen;
}

TEST(BackgroundClick, GreenPurpleAndUnknownKindsDoNothing) {
  for (Integer kind : {0, 1, 4, -1}) {
    TestGame t;
    t.s.BackgroundKind = kind;
    t.s.Formain.BackColor = 0x123456;
    t.s.SoundSwitch(9) = 1;
    t.s.SoundData(9) = "flight";
    Form_Click(t.g);
    EXPECT_EQ(t.s.Formain.BackColor, 0x123456) << kind;
    EXPECT_TRUE(t.sound.played.empty()) << kind;
    EXPECT_EQ(t.rng.draws, 0) << kind;
    EXPECT_EQ(t.pump.calls, 0) << kind;
  }
}

TEST(BackgroundClick, RandomKindPaintsANewColourOnEveryClick) {
  TestGame t;
  t.s.BackgroundKind = 2;
  t.rng.values = {0.5, 0.0, 0.999999999};
  Form_Click(t.g);
  EXPECT_EQ(t.s.Formain.BackColor, 838608);
  Form_Click(t.g);
  EXPECT_EQ(t.s.Formain.BackColor, 0);
  Form_Click(t.g);
  EXPECT_EQ(t.s.Formain.BackColor, 1677215);
  EXPECT_GE(t.win.syncs, 3);
  EXPECT_FALSE(t.s.Formain.PicGra(0).Visible);
}

TEST(BackgroundClick, RandomColoursStayBelowTheGamesLimit) {
  std::mt19937 engine(20261206);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  TestGame t;
  t.s.BackgroundKind = 2;
  for (int k = 0; k < 10000; ++k) {
    t.rng.values = {uniform(engine)};
    Form_Click(t.g);
    const Colour c = t.s.Formain.BackColor;
    ASSERT_GE(c, 0);
    ASSERT_LT(c, 1677216);
    ASSERT_LE(c >> 16, 0x19);  // blue never gets far
  }
}

TEST(NightSkyFlight, OneIconCrossesIn101FramesRepaintingEveryTenth) {
  TestGame t;
  t.s.BackgroundKind = 3;
  t.s.SoundSwitch(9) = 1;
  t.s.SoundData(9) = "whoosh";
  // One object; from the left; top Int(0.5 * (539 - 48)) = 245; speed 8;
  // drift Int(0.0 * 9 - 4) = -4, so -8.
  t.rng.values = {0.0, 0.0, 0.5, 0.0, 0.0};
  const std::vector<Snapshot> seen = RecordFlight(t);

  ASSERT_EQ(seen.size(), 101u);
  for (int f = 0; f < 101; ++f) {
    EXPECT_EQ(seen[f].Left[0], -48 + 8 * (f + 1)) << f;
    EXPECT_EQ(seen[f].Top[0], 245 - 8 * (f + 1)) << f;
    EXPECT_TRUE(seen[f].Visible[0]);
    EXPECT_FALSE(seen[f].Visible[1]);
    // Repainted after frames 0, 10, 20, ...: before frame f, ceil(f / 10).
    EXPECT_EQ(seen[f].Repaints, (f + 9) / 10) << f;
  }
  EXPECT_EQ(t.canvas.frames, 11);
  EXPECT_FALSE(t.s.Formain.PicGra(0).Visible);
  ASSERT_EQ(t.sound.played.size(), 1u);
  EXPECT_EQ(t.sound.played[0], QByteArray("whoosh"));
  EXPECT_EQ(t.rng.draws, 5);
  EXPECT_GE(t.win.syncs, 101);  // the view learns of every move
}

TEST(NightSkyFlight, ThreeIconsFlyTripleSpeedFromTheirSidesRepaintingEveryThird) {
  TestGame t;
  t.s.BackgroundKind = 3;
  t.win.scale_width = 500;
  t.win.scale_height = 539;
  t.rng.values = {0.7,                    // Int(3.1) = 3: three objects
                  0.25, 0.0, 0.99, 0.99,  // right edge, top 0, speed 14, drift 8
                  0.5,  0.5, 0.3,  0.3,   // top edge, left 226, speed 10, drift -4
                  0.9,  0.1, 0.5,  0.5};  // bottom edge, left 45, speed 12, drift 0
  const std::vector<Snapshot> seen = RecordFlight(t);

  ASSERT_EQ(seen.size(), 303u);
  for (int t3 = 0; t3 < 101; ++t3) {
    const int k = t3 + 1;
    // Each object pauses once per frame, in order 0, 1, 2.
    const Snapshot& a = seen[3 * t3];
    const Snapshot& b = seen[3 * t3 + 1];
    const Snapshot& c = seen[3 * t3 + 2];
    EXPECT_EQ(a.Left[0], 500 - 42 * k) << t3;
    EXPECT_EQ(a.Top[0], 24 * k) << t3;
    EXPECT_EQ(b.Left[1], 226 - 12 * k) << t3;
    EXPECT_EQ(b.Top[1], -48 + 30 * k) << t3;
    EXPECT_EQ(c.Left[2], 45) << t3;
    EXPECT_EQ(c.Top[2], 539 - 36 * k) << t3;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(a.Visible[i]);
    // Repainted after frames 0, 3, 6, ..., 99.
    EXPECT_EQ(a.Repaints, (t3 + 2) / 3) << t3;
  }
  EXPECT_EQ(t.canvas.frames, 34);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(t.s.Formain.PicGra(i).Visible) << i;
  EXPECT_TRUE(t.sound.played.empty());  // "その他" is off
}

TEST(NightSkyFlight, ASecondClickDuringAFlightIsIgnored) {
  for (double second : {0.0, 0.9}) {  // the second click draws one or three
    TestGame t;
    t.s.BackgroundKind = 3;
    t.s.SoundSwitch(9) = 1;
    t.s.SoundData(9) = "whoosh";
    t.rng.values = {0.0, 0.0, 0.5, 0.0, 0.0, second};
    int events = 0;
    int drawsAfterSecond = -1;
    t.pump.on_events = [&] {
      if (++events == 5) {
        const int before = t.pump.calls;
        Form_Click(t.g);
        EXPECT_EQ(t.pump.calls, before);  // returned at once
        drawsAfterSecond = t.rng.draws;
      }
    };
    Form_Click(t.g);
    EXPECT_EQ(events, 101);
    EXPECT_EQ(drawsAfterSecond, 6);  // only the number of objects was drawn
    EXPECT_EQ(t.sound.played.size(), 1u);
    EXPECT_EQ(t.canvas.frames, 11);
    EXPECT_EQ(t.s.Formain.PicGra(0).Left, -48 + 8 * 101);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(t.s.Formain.PicGra(i).Visible);
  }
}

TEST(NightSkyFlight, FlightsCanFollowOneAnother) {
  TestGame t;
  t.s.BackgroundKind = 3;
  Form_Click(t.g);
  Form_Click(t.g);
  EXPECT_EQ(t.pump.calls, 202);
}

TEST(NightSkyFlight, DriftRoundsDownBelowZero) {
  TestGame t;
  t.s.BackgroundKind = 3;
  // From the top: left Int(0.1 * 452) = 45, speed 8, drift Int(0.3 * 9 - 4) =
  // Int(-1.3) = -2, so -4 a frame.
  t.rng.values = {0.0, 0.5, 0.1, 0.0, 0.3};
  const std::vector<Snapshot> seen = RecordFlight(t);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].Left[0], 41);
  EXPECT_EQ(seen[0].Top[0], -40);
  EXPECT_EQ(seen.back().Left[0], 45 - 4 * 101);
}

}  // namespace
}  // namespace numera
