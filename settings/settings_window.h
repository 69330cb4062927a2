// The settings window 詳細設定 (Formain2), as toolkit-free logic: the opening
// chain, the load step, the option clicks and "OK". The Qt window only shows
// SettingsWindowState and forwards clicks here.
#pragma once

#include "platform/platform.h"

namespace numera {

// Menu "設定".
void 設定_Click(Game& g);

}  // namespace numera
