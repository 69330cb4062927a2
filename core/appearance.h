// Background colour and board font, from the settings.
#pragma once

#include "core/platform.h"

namespace numera {

// 0 green, 1 purple, 2 a random colour, 3 night sky; anything else keeps it.
void ApplyBackgroundKind(Game& g);
// 0 ＭＳ ゴシック, 1 ＭＳ 明朝, 2 @ＭＳ ゴシック, 3 ＭＳ ゴシック (rainbow).
void ApplyFontKind(GameState& s);
// Int(Rnd * 1677216).
Colour RandomColour(Random& rng);

}  // namespace numera
