#include "app/application.h"

#include <QApplication>
#include <csignal>

#include "app/startup.h"
#include "core/draw_board.h"
#include "files/open_puzzle.h"
#include "platform/fonts.h"
#include "platform/language.h"
#include "platform/main_window.h"
#include "platform/message_window.h"
#include "platform/qt_platform.h"

namespace numera {

int RunNumera(int argc, char** argv) {
  // Past a file size limit a write fails and is reported, instead of the
  // game ending without a word in the middle of a save.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("numera"));
  QGuiApplication::setDesktopFileName(QStringLiteral("numera"));
  InstallFontSubstitutions();
  UseJapaneseQtTexts();

  GameState state;
  state.AppPath = QCoreApplication::applicationDirPath();
  MainWindow window;  // created hidden; shown at the end of start-up

  QtSound sound;
  QtClock clock;
  QtPump pump;
  QtKeys keys;
  QtRandom rng;
  QtFileDialog files(&window);
  QtMessageHost messages(&window);
  QtWindows windows(window, state);
  Platform platform{messages, sound, clock, pump, keys, rng, files, *window.board(), windows};
  Game game{state, platform};
  windows.Bind(&game);
  window.Attach(&game);

  Main(game);
  // The name's own bytes (Qt has taken its options out of argv by now).
  if (argc > 1) OpenPuzzleArgument(game, QByteArray(argv[1]));
  DrawBoard(game);
  window.StartKeyPoll();
  keys.on_arrow_press = [&window] { window.PollKeysNow(); };
  return app.exec();
}

}  // namespace numera
