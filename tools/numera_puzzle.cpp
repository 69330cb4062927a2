// numera-puzzle: the puzzle authors' tool.
//
//   numera-puzzle info FILE            the puzzle as JSON on standard output
//   numera-puzzle pack SOURCE.json OUT  a puzzle file from that JSON
//   numera-puzzle check | solve | make  the workshop (tools/workshop/commands.h)
//
// It reads and writes puzzles with the game's own code, so `info` refuses
// exactly the files the game refuses (with the game's message) and `pack`
// never writes a file the game would refuse.
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <csignal>

#include "files/puzzle_file.h"
#include "files/puzzle_json.h"
#include "tools/tool_io.h"
#include "tools/workshop/commands.h"

namespace {

using numera::tool::Err;

int Usage() {
  Err(
      QStringLiteral("使い方:\n"
                     "  numera-puzzle info FILE.mlt          パズルを JSON で表示します\n"
                     "  numera-puzzle pack SOURCE.json OUT.mlt  JSON からパズルを作ります\n"
                     "  numera-puzzle check FILE.mlt [--json]   盤面が完成しているか確かめます\n"
                     "  numera-puzzle solve FILE.mlt [--seconds S] [--seed K] [--write OUT.mlt] "
                     "[--json]\n"
                     "                                       最高得点の盤面を探します\n"
                     "  numera-puzzle make (WORDS.txt | --dictionary) --size N [--words K] "
                     "[--seed K] OUT.mlt\n"
                     "                                       新しいパズルと解答を作ります"));
  return 2;
}

int Info(const QString& path) {
  numera::PuzzleFile puzzle;
  QString message;
  if (!numera::ReadPuzzleFile(path, &puzzle, &message)) {
    Err(message);
    return 1;
  }
  return numera::tool::Print(numera::PuzzleToJson(puzzle)) ? 0 : 1;
}

int Pack(const QString& source, const QString& target) {
  QByteArray json;
  if (!numera::tool::ReadSource(source, &json)) return 1;
  numera::PuzzleFile puzzle;
  QString problem;
  if (!numera::PuzzleFromJson(json, &puzzle, &problem)) {
    Err(QStringLiteral("「%1」からパズルを作れません。%2")
            .arg(QFileInfo(source).fileName(), problem));
    return 1;
  }
  QString message;
  if (!numera::WritePuzzleFile(target, puzzle, &message)) {
    Err(message);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file size limit a write fails with an error (and its temporary
  // file goes) instead of ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  QCoreApplication app(argc, argv);
  const std::optional<QStringList> parsed = numera::tool::Arguments(argc, argv);
  if (!parsed) return 1;
  const QStringList& args = *parsed;
  if (args.size() == 3 && args[1] == QLatin1String("info")) return Info(args[2]);
  if (args.size() == 4 && args[1] == QLatin1String("pack")) return Pack(args[2], args[3]);
  const QStringList rest = args.mid(2);
  if (args.size() >= 2 && args[1] == QLatin1String("check"))
    return numera::workshop::CheckCommand(rest);
  if (args.size() >= 2 && args[1] == QLatin1String("solve"))
    return numera::workshop::SolveCommand(rest);
  if (args.size() >= 2 && args[1] == QLatin1String("make"))
    return numera::workshop::MakeCommand(rest);
  return Usage();
}
