#include <QFileInfo>

#include "files/puzzle_file.h"
#include "workshop/check_report.h"
#include "workshop/command_line.h"
#include "workshop/command_output.h"
#include "workshop/commands.h"
#include "workshop/maker.h"
#include "workshop/tool_io.h"
#include "workshop/word_check.h"
#include "workshop/word_list.h"

namespace numera::workshop {

namespace {

using tool::Err;

QString SolutionPath(const QString& out) {
  const QString base = out.endsWith(QLatin1String(".mlt")) ? out.left(out.size() - 4) : out;
  return base + QStringLiteral(".solution.mlt");
}

}  // namespace

int MakeCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("make"), list, &args)) return args.Exit;
  const bool dictionary = args.Has("--dictionary");
  if (args.Files.size() != (dictionary ? 1 : 2))
    return Misuse(*FindCommand(QStringLiteral("make")),
                  dictionary ? QStringLiteral("--dictionary のときは OUT.mlt だけを書きます。")
                             : QStringLiteral("単語のファイルと OUT.mlt を書いてください。"));
  MakeOptions options;
  options.Words = dictionary ? 20 : 0;
  options.Drop = args.Has("--drop");
  if (!Number(args, "--size", 1, 30, &options.Size) ||
      !Number(args, "--words", 1, kMostWords, &options.Words) ||
      !Number<std::uint64_t>(args, "--seed", 0, 1ULL << 52, &options.Seed) ||
      !Number(args, "--seconds", 0.01, 86400.0, &options.Seconds))
    return 2;
  const QString out = args.Files.last();
  // Nothing to wait for when the puzzle could not be written anyway.
  if (const QString missing = tool::MissingFolder(out); !missing.isEmpty()) {
    Err(missing);
    return 1;
  }
  options.FirstAnswer = [](const std::vector<Word>& left, double seconds, double rest) {
    Err(QStringLiteral("%1 秒で見つけた盤には、次の %2 語が並びません: %3。"
                       "残りの %4 秒で、もっと多くの単語が並ぶ盤を探します。")
            .arg(seconds, 0, 'f', 1)
            .arg(left.size())
            .arg(WordNames(left))
            .arg(rest, 0, 'f', 1));
  };
  QString problem;
  std::vector<Word> words;
  MadePuzzle made;
  bool ok = false;
  if (dictionary) {
    ok = ReadDictionary(DictionaryPath(), options.Size, &words, &problem) &&
         MakeFromPool(words, options, &made, &problem);
  } else if (ReadWordsFile(args.Files[0], &words, &problem)) {
    for (const QString& warning : WordWarnings(words)) Err(warning);
    ok = MakeFromList(words, options, &made, &problem);
  }
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
    // The message names the file that failed, which may be either of them.
    Err(tool::AsGiven(tool::AsGiven(message, out), SolutionPath(out)));
    return 1;
  }
  QString text;
  if (!made.Repeats.empty())
    text += QStringLiteral("次の単語は 1 回だけ入れました: %1。\n").arg(RepeatNames(made.Repeats));
  if (!made.Dropped.empty())
    text += QStringLiteral("次の %1 語を外しました: %2。\n")
                .arg(made.Dropped.size())
                .arg(WordNames(made.Dropped));
  text += QStringLiteral("「%1」と「%2」を作りました（%3 × %3、%4 語、%5点）。\n")
              .arg(out, SolutionPath(out))
              .arg(options.Size)
              .arg(puzzle.WordCount)
              .arg(solution.Score);
  return Out(text.toUtf8(), 0);
}

}  // namespace numera::workshop
