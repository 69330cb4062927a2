// The widget tests' set-up: one application for the whole test program, and
// the real main window driven by the real logic, with the clock, the events,
// the boxes and the keys scripted by the fakes of tests/support.
#pragma once

#include <QApplication>

#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/qt_platform.h"
#include "platform/zoom.h"
#include "tests/support/fakes.h"

namespace numera::testing {

// Every test starts at zoom 1, in the test program's own settings
// (application.cpp).
inline void EnsureApp() {
  StoreZoom(1);
}

struct GameWindow {
  GameWindow() { w.Attach(&g); }
  bool app = (EnsureApp(), true);  // before any widget
  MainWindow w;
  TestGame t;
  QtWindows win{w, t.s};
  QtFileDialog files{&w};
  Platform p{t.msgs, t.sound, t.clock, t.pump, t.keys, t.rng, files, *w.board(), win};
  Game g{t.s, p};
};

}  // namespace numera::testing
