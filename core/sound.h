#pragma once

#include "core/platform.h"

namespace numera {

// Plays sound slot k from memory when its switch is on (exactly 1).
inline void PlaySlot(Game& g, int slot) {
  if (g.s.SoundSwitch(slot) == 1) g.p.Sound.Play(g.s.SoundData(slot));
}

}  // namespace numera
