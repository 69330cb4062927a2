#pragma once

#include "core/platform.h"

namespace numera {
void バージョン_Click(Game& g);  // "バージョン情報"
void ヘルプ_Click(Game& g);      // "ヘルプ"
}  // namespace numera
