// The game speaks Japanese only, so Qt's own texts (the open dialog's labels
// and buttons) do too, whatever the player's locale.
#pragma once

namespace numera {

// Loads Qt's Japanese translations and makes Japanese the default locale.
// Without the translations installed Qt's texts stay in English.
void UseJapaneseQtTexts();

}  // namespace numera
