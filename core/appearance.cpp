#include "core/appearance.h"

namespace numera {

Colour RandomColour(Random& rng) {
  return static_cast<Colour>(rng.Rnd() * kRandomColourRange);
}

void ApplyBackgroundKind(Game& g) {
  MainWindowState& w = g.s.Formain;
  switch (g.s.BackgroundKind) {
    case 0:
      w.BackColor = 0x008000;
      break;
    case 1:
      w.BackColor = 0x800080;
      break;
    case 2:
      w.BackColor = RandomColour(g.p.Rng);
      break;
    case 3:
      w.BackColor = 0x400000;
      break;
    default:
      break;
  }
}

void ApplyFontKind(GameState& s) {
  switch (s.FontKind) {
    case 0:
    case 3:
      s.Formain.PimainFontName = QStringLiteral("ＭＳ ゴシック");
      break;
    case 1:
      s.Formain.PimainFontName = QStringLiteral("ＭＳ 明朝");
      break;
    case 2:
      s.Formain.PimainFontName = QStringLiteral("@ＭＳ ゴシック");
      break;
    default:
      break;
  }
}

}  // namespace numera
