#pragma once

#include "platform/platform.h"

namespace numera {
void バージョン_Click(Game& g);  // "バージョン情報"
void ヘルプ_Click(Game& g);      // "ヘルプ"
}  // namespace numera
