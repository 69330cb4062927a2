// The mouse on the board: placing the selected word, or highlighting the
// words that share a cell's letter.
#pragma once

#include "core/platform.h"
#include "play/mouse.h"

namespace numera {

void Pimain_MouseDown(Game& g, Integer button, Integer shift, float x, float y);
void Pimain_MouseUp(Game& g, Integer button, Integer shift, float x, float y);

}  // namespace numera
