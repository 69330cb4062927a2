// The settings window 詳細設定 as a real Qt dialog.
#pragma once

#include "core/platform.h"

namespace numera {
// Loads Formain2 (running its load step), shows it modally and returns once
// it has closed.
void RunSettingsDialog(Game& g);
}  // namespace numera
