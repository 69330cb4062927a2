// The game's colours (0xBBGGRR, red in the low byte) as Qt's.
#pragma once

#include <QColor>

#include "core/game_state.h"

namespace numera {

inline QColor ToQColor(Colour bbggrr) {
  return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

}  // namespace numera
