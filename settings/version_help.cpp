#include "settings/version_help.h"

#include "dialogs/message_box.h"

namespace numera {

// Neither command asks anything first, whatever the message setting.

void バージョン_Click(Game& g) {
  ShowMessage(g, QStringLiteral("ぬめらβ版\u3000Ver2.7182818"), QStringLiteral("バージョン情報"), 1,
              QStringLiteral("Ok"));
}

void ヘルプ_Click(Game& g) {
  // The help file is only named; the player opens it.
  ShowMessage(g, QStringLiteral("ヘルプ.htmlを開いてくださいね。"), kTitle, 1,
              QStringLiteral("Ok"));
}

}  // namespace numera
