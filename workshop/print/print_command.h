// numera-puzzle print: puzzles as a PDF to hand out, one page each, with
// their solutions on request. It paints with Qt's PDF writer and so needs a
// QGuiApplication (the offscreen platform will do).
#pragma once

#include <QStringList>

namespace numera::workshop {

// print PUZZLE.mlt... -o OUT.pdf [--solution] [--copies N] [--paper a4|letter] [--seconds S]
int PrintCommand(const QStringList& args);

}  // namespace numera::workshop
