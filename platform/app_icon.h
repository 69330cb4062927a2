#pragma once

#include <QIcon>
#include <QImage>

namespace numera {
// The game's own icon, drawn in code so the window, the flying pictures and
// the desktop files all share one picture.
QImage DrawNumeraIcon(int size);
QIcon NumeraIcon();
}  // namespace numera
