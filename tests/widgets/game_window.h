// The widget tests' set-up: one application for the whole test program, and
// the real main window driven by the real logic, with the clock, the events,
// the boxes and the keys scripted by the fakes of tests/support.
#pragma once

#include <QApplication>

#include "platform/fonts.h"
#include "platform/formain.h"
#include "platform/qt_platform.h"
#include "tests/support/fakes.h"

namespace numera::testing {

inline void EnsureApp() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "numera_widget_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the test program
  InstallFontSubstitutions();
}

struct AppFirst {
  AppFirst() { EnsureApp(); }
};

struct GameWindow : AppFirst {
  GameWindow() { w.Attach(&g); }
  Formain w;
  TestGame t;
  QtWindows win{w, t.s};
  QtFileDialog files{&w};
  Platform p{t.msgs, t.sound, t.clock, t.pump, t.keys, t.rng, files, *w.board(), win};
  Game g{t.s, p};
};

}  // namespace numera::testing
