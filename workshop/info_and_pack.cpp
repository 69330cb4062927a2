// info and pack: the puzzle file and its JSON, both ways, with the game's
// own reader and writer, so info refuses exactly the files the game refuses
// and pack never writes one the game would refuse.
#include "files/puzzle_json.h"
#include "workshop/command_line.h"
#include "workshop/commands.h"
#include "workshop/tool_io.h"

namespace numera::workshop {

int InfoCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("info"), list, &args)) return args.Exit;
  PuzzleFile puzzle;
  if (!tool::ReadPuzzle(args.Files[0], &puzzle)) return 1;
  return tool::Print(PuzzleToJson(puzzle)) ? 0 : 1;
}

int PackCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("pack"), list, &args)) return args.Exit;
  const QString& source = args.Files[0];
  QByteArray json;
  if (!tool::ReadSource(source, &json)) return 1;
  PuzzleFile puzzle;
  QString problem;
  if (!PuzzleFromJson(json, &puzzle, &problem)) {
    tool::Err(QStringLiteral("「%1」からパズルを作れません。%2").arg(source, problem));
    return 1;
  }
  return tool::WritePuzzle(args.Files[1], puzzle) ? 0 : 1;
}

}  // namespace numera::workshop
