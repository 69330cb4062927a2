// The window layer around the logic: what the real window shows while the
// logic pauses, the size it takes, and the open dialog's language.
#include <gtest/gtest.h>

#include "files/open_puzzle.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::GameWindow;

TEST(WindowLayer, EveryOpenSetsTheWindowSizeAgain) {
  GameWindow gw;
  const QString puzzle = QStringLiteral(NUMERA_BUILD_DIR "/doubutsu.mlt");
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  const QSize opened(393, 538);  // 5900 x 8080 twips; offscreen there is no frame
  EXPECT_EQ(gw.w.size(), opened);
  gw.w.resize(700, 300);  // by hand
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  EXPECT_EQ(gw.w.size(), opened);
}

}  // namespace
}  // namespace numera
