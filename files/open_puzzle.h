#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/platform.h"
#include "dialogs/chain.h"

namespace numera {

// Menu "開く...".
void ファイルを開く_Click(Game& g);

// A puzzle named on the command line: opened as if chosen in the dialog, with
// no chains. A refused file shows its message and the game starts empty.
// Returns whether the puzzle was opened.
bool OpenPuzzleFromCommandLine(Game& g, const QString& path);
// The same for the bytes of the command line's argument: a name that is not
// UTF-8 cannot be told from its twin by its text, and is refused in one box.
bool OpenPuzzleArgument(Game& g, const QByteArray& argument);

// The path of the current puzzle file, taken back from the status box Text1:
// the text before the caret less its closing CR LF. None when Text1 holds no
// path (nothing opened yet, or a cancelled dialog).
std::optional<QString> CurrentPuzzlePath(const MainWindowState& w);

// A file title up to (not including) its first ".".
QString PuzzleNameFromTitle(const QString& fileTitle);

// The joke chains of the open command (しつこい only). Exits: kOpenEnd ends
// the command, kOpenGoOn goes on to the next stage.
inline constexpr int kOpenEnd = -1;
inline constexpr int kOpenGoOn = -2;
const Chain& OpeningChain();  // before the dialog, from step 1
const Chain& LoadingChain();  // after a file was chosen, from step 1

// The smallest board font size (points): the size for the largest board,
// where the usual rule 0.75 x (30 - BoardSize) would give nothing at all.
inline constexpr double kSmallestBoardFontSize = 0.75;

}  // namespace numera
