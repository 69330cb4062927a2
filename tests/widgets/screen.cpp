// The widget tests' screen: Qt's offscreen screen, configured large enough
// for the design sizes at zoom 2, which the window would otherwise lower to
// fit. Set before main(), so before the application exists, whoever starts
// the test program (CTest, by hand, a mutation run).
#include <QByteArray>

namespace {
const bool kLargeOffscreenScreen = [] {
  qputenv("QT_QPA_PLATFORM",
          QByteArray("offscreen:configfile=" NUMERA_SOURCE_DIR "/tests/widgets/screen.json"));
  return true;
}();
}  // namespace
