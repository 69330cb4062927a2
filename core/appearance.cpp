#include "core/appearance.h"

namespace numera {

Colour RandomColour(Random& rng) {
  return static_cast<Colour>(rng.Rnd() * kRandomColourRange);
}

void ApplyBackgroundKind(Game& g) {
  MainWindowState& w = g.s.Formain;
  switch (g.s.BackgroundKind) {
    case background_kind::kGreen:
      w.BackColor = 0x008000;
      break;
    case background_kind::kPurple:
      w.BackColor = 0x800080;
      break;
    case background_kind::kRandom:
      w.BackColor = RandomColour(g.p.Rng);
      break;
    case background_kind::kNightSky:
      w.BackColor = 0x400000;
      break;
    default:
      break;
  }
}

void ApplyFontKind(GameState& s) {
  switch (s.FontKind) {
    case font_kind::kGothic:
    case font_kind::kRainbow:
      s.Formain.PimainFontName = QStringLiteral("ＭＳ ゴシック");
      break;
    case font_kind::kMincho:
      s.Formain.PimainFontName = QStringLiteral("ＭＳ 明朝");
      break;
    case font_kind::kVerticalGothic:
      s.Formain.PimainFontName = QStringLiteral("@ＭＳ ゴシック");
      break;
    default:
      break;
  }
}

}  // namespace numera
