// One application for the whole program, made as the game makes it (font
// substitutions included) before any test, so no test depends on the order.
// Before it exists, the program gets settings and data folders of its own:
// no test reads or writes the player's, and two runs at once keep apart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/fonts.h"

class NumeraApplication : public ::testing::Environment {
  void SetUp() override {
    static QTemporaryDir home;
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
      qputenv(variable, home.filePath(QString::fromLatin1(variable)).toUtf8());
    static int argc = 1;
    static char name[] = "numera_widget_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the program
    numera::InstallFontSubstitutions();
  }
};
static ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new NumeraApplication);
