#include "diversions/background.h"

#include <cmath>

#include "core/appearance.h"
#include "core/draw_board.h"
#include "core/sound.h"
#include "core/wait.h"

namespace numera {

namespace {

constexpr int kFlightFrames = 101;
// About one display frame a frame, shared among the flying icons, so a
// flight lasts under two seconds and the icons can be seen crossing.
constexpr Long kFrameMs = 16;
constexpr float kIconSize = 48;  // the flying pictures count as 48 pixels square

// Int() of the game: rounds down, also below zero.
int Int(double v) {
  return static_cast<int>(std::floor(v));
}

struct FlyingObject {
  float X = 0, Y = 0, VX = 0, VY = 0;
};

// The icons cross the night sky: one of them, or three at triple speed. Each
// enters from a random edge with a speed along its way in and a sideways
// drift. Between moves the window keeps handling its events, so the game
// stays playable during the flight; a second background click finds the
// first icon visible and is ignored.
void NightSkyFlight(Game& g) {
  MainWindowState& w = g.s.Formain;
  const int r = Int(g.p.Rng.Rnd() * 3 + 1);
  const int n = r == 3 ? 2 : 0;
  for (int i = 0; i <= n; ++i) {
    if (w.PicGra(i).Visible) return;
  }

  const float W = static_cast<float>(g.p.Win.ScaleWidth());
  const float H = static_cast<float>(g.p.Win.ScaleHeight());
  const float k = static_cast<float>(n + 1);
  FlyingObject objects[3];
  for (int i = 0; i <= n; ++i) {
    FlyingObject& o = objects[i];
    const int side = Int(g.p.Rng.Rnd() * 4 + 1);
    // The entry point is drawn first, then the speed, then the drift.
    const float along = side <= 2 ? H : W;
    const float position = static_cast<float>(Int(g.p.Rng.Rnd() * (along - kIconSize)));
    const float speed = static_cast<float>(2 * Int(g.p.Rng.Rnd() * 4 + 4));
    const float drift = static_cast<float>(2 * Int(g.p.Rng.Rnd() * 9 - 4));
    switch (side) {
      case 1:  // from the left edge
        o = {-kIconSize, position, speed * k, drift * k};
        break;
      case 2:  // from the right edge
        o = {W, position, -speed * k, drift * k};
        break;
      case 3:  // from the top
        o = {position, -kIconSize, drift * k, speed * k};
        break;
      default:  // from the bottom
        o = {position, H, drift * k, -speed * k};
        break;
    }
    w.PicGra(i).Visible = true;
  }

  PlaySlot(g, sound_slot::kFlight);

  const int repaintEvery = Int(10.0 / (n + 1));
  const Long pause = kFrameMs / (n + 1);
  for (int t = 0; t < kFlightFrames; ++t) {
    for (int i = 0; i <= n; ++i) {
      FlyingObject& o = objects[i];
      o.X += o.VX;
      o.Y += o.VY;
      w.PicGra(i).Left = static_cast<int>(std::lround(o.X));
      w.PicGra(i).Top = static_cast<int>(std::lround(o.Y));
      Wait(g, pause);
    }
    if (t % repaintEvery == 0) DrawBoard(g);
  }

  for (int i = 0; i <= n; ++i) w.PicGra(i).Visible = false;
  g.p.Win.SyncMainWindow();
}

}  // namespace

void Form_Click(Game& g) {
  switch (g.s.BackgroundKind) {
    case background_kind::kRandom:
      g.s.Formain.BackColor = RandomColour(g.p.Rng);
      g.p.Win.SyncMainWindow();
      break;
    case background_kind::kNightSky:
      NightSkyFlight(g);
      break;
    default:
      break;
  }
}

}  // namespace numera
