// check: the stored placements played through the game's own rules, and
// what stands in the way of a complete board, in words or as JSON.
#include "core/game_state.h"
#include "workshop/check_report.h"
#include "workshop/command_line.h"
#include "workshop/command_output.h"
#include "workshop/commands.h"
#include "workshop/tool_io.h"

namespace numera::workshop {

int CheckCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("check"), list, &args)) return args.Exit;
  PuzzleFile puzzle;
  if (!tool::ReadPuzzle(args.Files[0], &puzzle)) return 2;
  GameState s;
  const CheckReport report = CheckPuzzle(puzzle, s);
  const int code = report.Complete ? 0 : 1;
  return args.Has("--json") ? OutJson(ReportJson(report), code)
                            : Out(ReportText(report).toUtf8(), code);
}

}  // namespace numera::workshop
