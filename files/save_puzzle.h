#pragma once

#include "core/platform.h"

namespace numera {

void 上書き保存する_Click(Game& g);    // "上書き保存..."
void 名前が付いて保存_Click(Game& g);  // "名前が付いて保存..."
// True when the save is to be cancelled.
bool 保存前メッセージ(Game& g);
void 保存後メッセージ(Game& g);

}  // namespace numera
