// The mouse on the word list: select, deselect, take back, show.
#pragma once

#include "core/platform.h"
#include "play/mouse.h"

namespace numera {

void La_MouseDown(Game& g, Integer index, Integer button);
void La_MouseUp(Game& g, Integer index, Integer button);
void La2_MouseDown(Game& g, Integer index, Integer button);
void La2_MouseUp(Game& g, Integer index, Integer button);

}  // namespace numera
