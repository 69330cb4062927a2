// ShowMessage: the game's own modal message box. Every question, notice and
// joke of the game goes through it; the caller finds the pressed button in
// MsgResult (0 first caption, 1 second, 2 third).
#pragma once

#include <QString>

#include "core/platform.h"

namespace numera {

// Sizes the box the way the game always has: buttons max(89, 14 * chars + 5)
// wide, the client as wide as the text or the button row, the row centred.
MessageBoxRequest LayoutMessageBox(const QString& message, const QString& title, int count,
                                   const QString& caption1, const QString& caption2,
                                   const QString& caption3);

// Shows a box laid out already: the board is redrawn first and the message
// sound plays; the pressed button is left in MsgResult.
void ShowLaidOutBox(Game& g, const MessageBoxRequest& box);

void ShowMessage(Game& g, const QString& message, const QString& title, int count,
                 const QString& caption1 = {}, const QString& caption2 = {},
                 const QString& caption3 = {});

inline const QString kTitle = QStringLiteral("ぬめら");

}  // namespace numera
