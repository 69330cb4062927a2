#pragma once

#include <QFont>
#include <QString>

namespace numera {

// Maps the Japanese system font names the game asks for onto the Japanese
// fonts installed here (IPA first, then Noto CJK).
void InstallFontSubstitutions();

// True for the vertical-writing form ("@" before the family name): such a
// font prints every glyph turned a quarter turn.
bool IsVerticalFontName(const QString& name);

// The font for a game font name at a size in points (96 dpi: 1 pt = 4/3 px).
QFont GameFont(const QString& name, double points);

// Whether a Japanese Gothic font is installed (the vertical form needs one).
bool JapaneseGothicInstalled();

}  // namespace numera
