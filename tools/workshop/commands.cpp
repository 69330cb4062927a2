#include "tools/workshop/commands.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <cstdio>

#include "files/puzzle_file.h"
#include "tools/tool_io.h"
#include "tools/workshop/checker.h"
#include "tools/workshop/maker.h"
#include "tools/workshop/solver.h"
#include "tools/workshop/word_list.h"

namespace numera::workshop {

namespace {

using tool::Err;

// The progress line on a terminal, written over in place.
void ShowProgress(const QByteArray& text) {
  std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
  std::fflush(stderr);
}

// Standard output; a failed write is an error of the command.
int Out(const QByteArray& bytes, int code) {
  return tool::Print(bytes) ? code : 2;
}

int OutJson(const QJsonObject& json, int code) {
  return Out(QJsonDocument(json).toJson(QJsonDocument::Indented), code);
}

// Options with a value, switches and the other arguments, in order.
struct Args {
  QStringList Plain;
  QMap<QString, QString> Values;
  QStringList Switches;
  bool Has(const char* name) const { return Switches.contains(QLatin1String(name)); }
};

bool Parse(const QStringList& args, const QStringList& valued, const QStringList& switches,
           Args* out) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (valued.contains(a) && i + 1 < args.size()) {
      out->Values[a] = args[++i];
    } else if (switches.contains(a)) {
      out->Switches << a;
    } else if (a.startsWith(QLatin1String("--"))) {
      Err(QStringLiteral("「%1」は分かりません。").arg(a));
      return false;
    } else {
      out->Plain << a;
    }
  }
  return true;
}

// A number option within its range; the default when it is not given.
template <typename T>
bool Number(const Args& args, const char* name, T low, T high, T* value) {
  const auto it = args.Values.find(QLatin1String(name));
  if (it == args.Values.end()) return true;
  bool ok = false;
  const double v = it->toDouble(&ok);
  if (!ok || v < static_cast<double>(low) || v > static_cast<double>(high) ||
      (std::is_integral_v<T> && v != static_cast<double>(static_cast<T>(v)))) {
    Err(QStringLiteral("%1 には %2 から %3 までの数を書いてください。")
            .arg(QLatin1String(name))
            .arg(static_cast<double>(low))
            .arg(static_cast<double>(high)));
    return false;
  }
  *value = static_cast<T>(v);
  return true;
}

int Usage(const QString& line) {
  Err(QStringLiteral("使い方: numera-puzzle ") + line);
  return 2;
}

QJsonObject CellJson(const Cell& c) {
  return {{"x", c.X}, {"y", c.Y}};
}

QString CellText(const Cell& c) {
  return QStringLiteral("(%1, %2)").arg(c.X).arg(c.Y);
}

QString Direction(int dir) {
  return dir == 0 ? QStringLiteral("横") : QStringLiteral("縦");
}

QJsonObject ReportJson(const CheckReport& r) {
  QJsonArray unconnected, runs, refused;
  for (const Cell& c : r.Unconnected) unconnected.append(CellJson(c));
  for (const OpenRun& run : r.OpenRuns) {
    QJsonArray ends;
    for (const Cell& c : run.OpenEnds) ends.append(CellJson(c));
    QJsonObject o{{"from", CellJson(run.From)}, {"to", CellJson(run.To)}, {"open_ends", ends}};
    o.insert(run.Across ? QStringLiteral("row") : QStringLiteral("column"),
             run.Across ? run.From.Y : run.From.X);
    runs.append(o);
  }
  for (const RefusedPlacement& p : r.Refused)
    refused.append(QJsonObject{
        {"index", p.Index}, {"text", p.Text}, {"x", p.At.X}, {"y", p.At.Y}, {"dir", p.Dir}});
  return {{"score", r.Score},       {"placed_count", r.PlacedCount}, {"word_count", r.WordCount},
          {"complete", r.Complete}, {"unconnected", unconnected},    {"open_runs", runs},
          {"refused", refused}};
}

QString ReportText(const CheckReport& r) {
  QStringList lines = r.Board;
  lines << QStringLiteral("得点 %1点、置いた単語 %2 / %3")
               .arg(r.Score)
               .arg(r.PlacedCount)
               .arg(r.WordCount);
  lines << (r.Complete ? QStringLiteral("盤面は完成しています。")
                       : QStringLiteral("盤面は完成していません。"));
  if (!r.Unconnected.empty()) {
    QStringList cells;
    for (const Cell& c : r.Unconnected) cells << CellText(c);
    lines << QStringLiteral("ほかとつながっていない文字: ") + cells.join(QLatin1Char(' '));
  }
  for (const OpenRun& run : r.OpenRuns) {
    QStringList ends;
    for (const Cell& c : run.OpenEnds) ends << CellText(c);
    lines << QStringLiteral("端の閉じていない並び: %1 %2 の %3〜%4、空いている端 %5")
                 .arg(run.Across ? QStringLiteral("行") : QStringLiteral("列"))
                 .arg(run.Across ? run.From.Y : run.From.X)
                 .arg(CellText(run.From), CellText(run.To), ends.join(QLatin1Char(' ')));
  }
  for (const RefusedPlacement& p : r.Refused)
    lines << QStringLiteral("置けない単語: %1「%2」%3 %4")
                 .arg(p.Index)
                 .arg(p.Text, CellText(p.At), Direction(p.Dir));
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

std::vector<Word> PuzzleWords(const PuzzleFile& puzzle) {
  std::vector<Word> words;
  for (int i = 0; i < puzzle.WordCount; ++i) {
    const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(i)];
    words.push_back({ToU16(e.Text()), e.Points});
  }
  return words;
}

QString SolutionPath(const QString& out) {
  const QString base = out.endsWith(QLatin1String(".mlt")) ? out.left(out.size() - 4) : out;
  return base + QStringLiteral(".solution.mlt");
}

}  // namespace

int CheckCommand(const QStringList& list) {
  Args args;
  if (!Parse(list, {}, {"--json"}, &args) || args.Plain.size() != 1)
    return Usage(QStringLiteral("check FILE.mlt [--json]"));
  PuzzleFile puzzle;
  QString message;
  if (!ReadPuzzleFile(args.Plain[0], &puzzle, &message)) {
    Err(message);
    return 2;
  }
  GameState s;
  const CheckReport report = CheckPuzzle(puzzle, s);
  const int code = report.Complete ? 0 : 1;
  return args.Has("--json") ? OutJson(ReportJson(report), code)
                            : Out(ReportText(report).toUtf8(), code);
}

int SolveCommand(const QStringList& list) {
  Args args;
  if (!Parse(list, {"--seconds", "--seed", "--threads", "--write"}, {"--json"}, &args) ||
      args.Plain.size() != 1)
    return Usage(QStringLiteral(
        "solve FILE.mlt [--seconds S] [--seed K] [--threads T] [--write OUT.mlt] [--json]"));
  SolveOptions options;
  if (!Number(args, "--seconds", 0.01, 86400.0, &options.Seconds) ||
      !Number<std::uint64_t>(args, "--seed", 0, 1ULL << 52, &options.Seed) ||
      !Number(args, "--threads", 1, 64, &options.Threads))
    return 2;
  PuzzleFile puzzle;
  QString message;
  if (!ReadPuzzleFile(args.Plain[0], &puzzle, &message)) {
    Err(message);
    return 2;
  }
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
      !WritePuzzleFile(args.Values[QStringLiteral("--write")], solved, &message)) {
    Err(message);
    return 1;
  }
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

int MakeCommand(const QStringList& list) {
  Args args;
  const bool parsed =
      Parse(list, {"--size", "--words", "--seed", "--seconds"}, {"--dictionary"}, &args);
  const bool dictionary = args.Has("--dictionary");
  if (!parsed || args.Plain.size() != (dictionary ? 1 : 2) ||
      !args.Values.contains(QStringLiteral("--size")))
    return Usage(QStringLiteral(
        "make (WORDS.txt | --dictionary) --size N [--words K] [--seed K] [--seconds S] OUT.mlt"));
  MakeOptions options;
  options.Words = dictionary ? 20 : 0;
  if (!Number(args, "--size", 1, 30, &options.Size) ||
      !Number(args, "--words", 1, kMostWords, &options.Words) ||
      !Number<std::uint64_t>(args, "--seed", 0, 1ULL << 52, &options.Seed) ||
      !Number(args, "--seconds", 0.01, 86400.0, &options.Seconds))
    return 2;
  const QString out = args.Plain.last();
  QString problem;
  std::vector<Word> words;
  MadePuzzle made;
  const bool ok = dictionary ? ReadDictionary(DictionaryPath(), options.Size, &words, &problem) &&
                                   MakeFromPool(words, options, &made, &problem)
                             : ReadWordsFile(args.Plain[0], &words, &problem) &&
                                   MakeFromList(words, options, &made, &problem);
  if (!ok) {
    Err(QStringLiteral("パズルを作れません。") + problem);
    return 1;
  }
  const PuzzleFile puzzle = PuzzleFor(made, options.Size, false);
  const PuzzleFile solution = PuzzleFor(made, options.Size, true);
  GameState s;
  const CheckReport check = CheckPuzzle(solution, s);
  if (!check.Complete || check.PlacedCount != puzzle.WordCount) {
    Err(QStringLiteral("作った盤面をゲームが完成と認めませんでした。") + ReportText(check));
    return 1;
  }
  // The puzzle and its solution belong together: both are written whole
  // before either replaces what was there, or neither is.
  QString message;
  if (!WritePuzzleFiles({{out, &puzzle}, {SolutionPath(out), &solution}}, &message)) {
    Err(message);
    return 1;
  }
  return Out(QStringLiteral("「%1」と「%2」を作りました（%3 × %3、%4 語、%5点）。\n")
                 .arg(QFileInfo(out).fileName(), QFileInfo(SolutionPath(out)).fileName())
                 .arg(options.Size)
                 .arg(puzzle.WordCount)
                 .arg(solution.Score)
                 .toUtf8(),
             0);
}

}  // namespace numera::workshop
