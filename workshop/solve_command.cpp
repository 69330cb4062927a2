#include <unistd.h>

#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

#include "files/puzzle_file.h"
#include "workshop/check_report.h"
#include "workshop/checker.h"
#include "workshop/command_line.h"
#include "workshop/command_output.h"
#include "workshop/commands.h"
#include "workshop/solver.h"
#include "workshop/tool_io.h"

namespace numera::workshop {

using tool::Err;

namespace {

// The progress line on a terminal, written over in place.
void ShowProgress(const QByteArray& text) {
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
  std::fflush(stderr);
}

}  // namespace

int SolveCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("solve"), list, &args)) return args.Exit;
  SolveOptions options;
  if (!Number(args, "--seconds", 0.01, 86400.0, &options.Seconds) ||
      !Number<std::uint64_t>(args, "--seed", 0, 1ULL << 52, &options.Seed) ||
      !Number(args, "--threads", 1, 64, &options.Threads))
    return 2;
  PuzzleFile puzzle;
  if (!tool::ReadPuzzle(args.Files[0], &puzzle)) return 2;
  const bool terminal = isatty(STDERR_FILENO) == 1;
  if (terminal) {
    options.Progress = [](const SolveProgress& p) {
      ShowProgress(QStringLiteral("\r最高 %1点（%2 語）  上限 %3点  %4 局面  %5 秒  ")
                       .arg(p.Best)
                       .arg(p.Placed)
                       .arg(p.Bound)
                       .arg(p.Nodes)
                       .arg(p.Elapsed, 0, 'f', 1)
                       .toUtf8());
    };
  }
  const SolveResult result = Solve(PuzzleWords(puzzle), puzzle.BoardSize, options);
  if (terminal) ShowProgress("\n");

  // The board as the game sees it when the placements are played in file order.
  const PuzzleFile solved = WithPlacements(puzzle, result.Placements);
  GameState s;
  const CheckReport check = CheckPuzzle(solved, s);
  if (!check.Complete || check.Score != result.Score) {
    Err(QStringLiteral("見つけた盤面をゲームが完成と認めませんでした。") + ReportText(check));
    return 1;
  }
  if (args.Values.contains(QStringLiteral("--write")) &&
      !tool::WritePuzzle(args.Values[QStringLiteral("--write")], solved))
    return 1;
  if (args.Has("--json")) {
    QJsonArray placements;
    for (const Placement& p : result.Placements) {
      const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(p.Word)];
      placements.append(QJsonObject{
          {"index", p.Word + 1}, {"text", e.Text()}, {"x", p.X}, {"y", p.Y}, {"dir", p.Dir}});
    }
    return OutJson({{"score", result.Score},
                    {"placed_count", check.PlacedCount},
                    {"word_count", puzzle.WordCount},
                    {"proven", result.Proven},
                    {"bound", result.Bound},
                    {"gap", GapPercent(result)},
                    {"nodes", static_cast<double>(result.Nodes)},
                    {"seconds", result.Elapsed},
                    {"first_board_seconds", result.FirstBoardAt},
                    {"all_words_seconds", result.AllWordsAt},
                    {"best_seconds", result.BestAt},
                    {"board", QJsonArray::fromStringList(check.Board)},
                    {"placements", placements}},
                   0);
  }
  QString text = check.Board.join(QLatin1Char('\n')) + QLatin1Char('\n');
  text += QStringLiteral("得点 %1点、置いた単語 %2 / %3\n")
              .arg(result.Score)
              .arg(check.PlacedCount)
              .arg(puzzle.WordCount);
  text +=
      result.Proven
          ? QStringLiteral("これより高い得点の完成した盤面はありません（探索を終えました）。\n")
          : QStringLiteral("時間内に見つかった最高です（もっと高い得点があるかもしれません）。\n") +
                QStringLiteral("上限 %1点、差 %2 %\n")
                    .arg(result.Bound)
                    .arg(GapPercent(result), 0, 'f', 1);
  text += QStringLiteral("%1 局面、%2 秒\n").arg(result.Nodes).arg(result.Elapsed, 0, 'f', 2);
  return Out(text.toUtf8(), 0);
}

}  // namespace numera::workshop
