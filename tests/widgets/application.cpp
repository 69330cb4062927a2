// One application for the whole program, made as the game makes it (font
// substitutions included) before any test, so no test depends on the order.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/fonts.h"

class NumeraApplication : public ::testing::Environment {
  void SetUp() override {
    static int argc = 1;
    static char name[] = "numera_widget_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the program
    numera::InstallFontSubstitutions();
  }
};
static ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new NumeraApplication);
