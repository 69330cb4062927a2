#pragma once

#include <QString>

#include "platform/platform.h"

namespace numera {

// Menu "開く...".
void ファイルを開く_Click(Game& g);

// A puzzle named on the command line: opened as if chosen in the dialog, with
// no chains. A refused file shows its message and the game starts empty.
// Returns whether the puzzle was opened.
bool OpenPuzzleFromCommandLine(Game& g, const QString& path);

}  // namespace numera
