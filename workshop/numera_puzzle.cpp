// numera-puzzle: the puzzle authors' tool. Its commands and their options
// are listed in workshop/command_line.cpp; `numera-puzzle --help`
// prints them.
//
// It reads and writes puzzles with the game's own code and judges boards
// with the game's own rules. Only print needs the window system's fonts and
// painting, and it paints offscreen, so no display is needed.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <csignal>
#include <cstring>
#include <memory>

#include "workshop/command_line.h"
#include "workshop/commands.h"
#include "workshop/print/print_command.h"
#include "workshop/tool_io.h"

namespace {

using namespace numera::workshop;

int Run(const QStringList& args) {
  const QString name = args.value(1);
  const QStringList rest = args.mid(2);
  if (name == QLatin1String("--help") || name == QLatin1String("-h"))
    return numera::tool::Print(ToolHelp().toUtf8()) ? 0 : 1;
  if (name == QLatin1String("info")) return InfoCommand(rest);
  if (name == QLatin1String("pack")) return PackCommand(rest);
  if (name == QLatin1String("check")) return CheckCommand(rest);
  if (name == QLatin1String("solve")) return SolveCommand(rest);
  if (name == QLatin1String("make")) return MakeCommand(rest);
  if (name == QLatin1String("print")) return PrintCommand(rest);
  numera::tool::Err((name.isEmpty()
                         ? QString()
                         : QStringLiteral("「%1」というコマンドはありません。\n").arg(name)) +
                    ToolHelp().trimmed());
  return 2;
}

// The toolkit's notes about the offscreen session (no runtime folder, no
// screen) are no news to the author; what print has to say, it says itself.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) numera::tool::Err(message);
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file size limit a write fails with an error (and its temporary
  // file goes) instead of ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  const bool printing = argc > 1 && std::strcmp(argv[1], "print") == 0;
  if (printing) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietToolkit);
  }
  const std::unique_ptr<QCoreApplication> app =
      printing ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
  const std::optional<QStringList> args = numera::tool::Arguments(argc, argv);
  return args ? Run(*args) : 1;
}
