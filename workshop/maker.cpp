#include "workshop/maker.h"

#include <algorithm>
#include <chrono>

#include "workshop/builder.h"
#include "workshop/checker.h"
#include "workshop/solver.h"
#include "workshop/word_check.h"
#include "workshop/word_list.h"

namespace numera::workshop {

namespace {

// The pool's commonest words the maker draws from.
constexpr std::size_t kPoolSize = 2000;

bool CountsFit(std::size_t words, QString* problem) {
  if (words > kMostWords || words == 0) {
    *problem = QStringLiteral("単語は 1 個から %1 個までにしてください（%2 個です）。")
                   .arg(kMostWords)
                   .arg(words);
    return false;
  }
  return true;
}

bool Holdable(const std::vector<Word>& words, QString* problem) {
  if (!CountsFit(words.size(), problem)) return false;
  for (const Word& w : words) {
    const QString text = FromU16(w.Text);
    if (DecodeCp932(EncodeCp932(text)) != text) {
      *problem = QStringLiteral("「%1」にはシフト JIS で書けない文字があります。").arg(text);
      return false;
    }
  }
  return true;
}

// Sorts the words into the order of the list and renumbers the placements.
MadePuzzle InListOrder(const std::vector<Word>& words, const std::vector<Placement>& placements) {
  std::vector<int> order;
  for (const Placement& p : placements) order.push_back(p.Word);
  std::sort(order.begin(), order.end(), [&words](int a, int b) {
    const auto& ta = words[static_cast<std::size_t>(a)].Text;
    const auto& tb = words[static_cast<std::size_t>(b)].Text;
    return ta != tb ? ta < tb : a < b;
  });
  MadePuzzle made;
  std::vector<int> index(words.size(), -1);
  for (const int w : order) {
    index[static_cast<std::size_t>(w)] = static_cast<int>(made.Words.size());
    made.Words.push_back(words[static_cast<std::size_t>(w)]);
  }
  for (Placement p : placements) {
    p.Word = index[static_cast<std::size_t>(p.Word)];
    made.Placements.push_back(p);
  }
  return made;
}

// The words of the list the board leaves out, in list order.
std::vector<Word> LeftOut(const std::vector<Word>& words, const std::vector<Placement>& board) {
  std::vector<bool> placed(words.size());
  for (const Placement& p : board) placed[static_cast<std::size_t>(p.Word)] = true;
  std::vector<Word> left;
  auto on = placed.begin();
  for (const Word& w : words)
    if (!*on++) left.push_back(w);
  return left;
}

// The complete board with the most of the words: every word counts the
// same, so the solver's best board leaves out the fewest it can find. A
// short first search answers most lists; when it leaves words out, the rest
// of the time goes to a second one from another seed.
SolveResult MostWords(const std::vector<Word>& words, const MakeOptions& options) {
  std::vector<Word> equal = words;
  for (Word& w : equal) w.Points = 1;
  SolveOptions first;
  first.Seconds = std::min(options.Seconds, kFirstLook);
  first.Seed = options.Seed;
  SolveResult best = Solve(equal, options.Size, first);
  const double rest = options.Seconds - best.Elapsed;
  if (best.Placements.size() == words.size() || best.Proven || rest < 0.01) return best;
  if (options.FirstAnswer) options.FirstAnswer(LeftOut(words, best.Placements), best.Elapsed, rest);
  SolveOptions second = first;
  second.Seconds = rest;
  second.Seed = options.Seed + 1;
  const SolveResult again = Solve(equal, options.Size, second);
  if (again.Placements.size() > best.Placements.size()) best.Placements = again.Placements;
  best.Proven = again.Proven;
  return best;
}

std::vector<Word> Drawn(const std::vector<Word>& list, const MakeOptions& options) {
  std::vector<Word> words = list;
  if (options.Words > 0 && options.Words < static_cast<int>(list.size())) {
    Rng rng(options.Seed);
    rng.Shuffle(words);
    words.resize(static_cast<std::size_t>(options.Words));
  }
  return words;
}

}  // namespace

bool MakeFromList(const std::vector<Word>& list, const MakeOptions& options, MadePuzzle* out,
                  QString* problem) {
  if (options.Words > static_cast<int>(list.size())) {
    *problem = QStringLiteral("単語が %1 個しかありません。").arg(list.size());
    return false;
  }
  const std::vector<Word> words = Drawn(list, options);
  if (!Holdable(words, problem)) return false;
  const Screened screened = Screen(words, options.Size);
  const QStringList problems = ScreenProblems(screened, options.Size);
  if (!problems.isEmpty() && !options.Drop) {
    *problem = QStringLiteral("次の単語は並べられません。\n") + problems.join(QLatin1Char('\n')) +
               QStringLiteral("\n--drop を付けると、これらを外して作ります。");
    return false;
  }
  const std::vector<Word>& kept = screened.Kept;
  if (kept.empty()) {
    *problem =
        QStringLiteral("外したあとに残る単語がありません。\n") + problems.join(QLatin1Char('\n'));
    return false;
  }
  const QString room = RoomProblem(kept, options.Size);
  if (!room.isEmpty()) {
    *problem = room;
    return false;
  }
  const SolveResult result = MostWords(kept, options);
  const std::vector<Word> left = LeftOut(kept, result.Placements);
  if (!left.empty() && !options.Drop) {
    *problem =
        (result.Proven
             ? QStringLiteral("この単語をすべて %1 × %1 の盤に並べることはできません。"
                              "外す単語がいちばん少なくて済むのは、次の %2 語です: %3。")
                   .arg(options.Size)
             : QStringLiteral("%1 秒のうちに、すべての単語が並ぶ盤は見つかりませんでした。"
                              "見つかった中で外す単語がいちばん少ないのは、次の %2 語です: %3。")
                   .arg(options.Seconds))
            .arg(left.size())
            .arg(WordNames(left)) +
        QStringLiteral("\n--drop を付けると、これらを外して作ります。");
    return false;
  }
  *out = InListOrder(kept, result.Placements);
  out->Repeats = screened.Repeated;
  out->Dropped = screened.Left();
  out->Dropped.insert(out->Dropped.end(), left.begin(), left.end());
  return true;
}

bool MakeFromPool(const std::vector<Word>& pool, const MakeOptions& options, MadePuzzle* out,
                  QString* problem) {
  const int wanted = options.Words;
  // The dictionary's words have two letters or more: each takes three cells
  // or more of the rows' and columns' 2 N (N + 1) (see RoomProblem).
  const int most = 2 * options.Size * (options.Size + 1) / 3;
  if (wanted > most) {
    *problem = QStringLiteral("%1 × %1 の盤には、2 文字の単語でも %2 語までしか並びません。")
                   .arg(options.Size)
                   .arg(most);
    return false;
  }
  std::vector<Word> candidates;
  for (const Word& w : pool) {
    if (static_cast<int>(w.Text.size()) <= options.Size) candidates.push_back(w);
    if (candidates.size() == kPoolSize) break;
  }
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                            std::chrono::duration<double>(options.Seconds));
  Rng rng(options.Seed);
  while (std::chrono::steady_clock::now() < deadline) {
    rng.Shuffle(candidates);
    Layout layout(candidates, options.Size);
    std::uint64_t nodes = 0;
    // A long first word gives the others something to cross.
    const auto first = std::max_element(
        candidates.begin(),
        candidates.begin() + std::min<std::ptrdiff_t>(20, std::ssize(candidates)),
        [](const Word& a, const Word& b) { return a.Text.size() < b.Text.size(); });
    layout.Place(layout.Root(static_cast<int>(first - candidates.begin())));
    for (int w = 0; w < static_cast<int>(candidates.size()) &&
                    static_cast<int>(layout.Placed().size()) < wanted;
         ++w) {
      Placement p;
      if (!layout.IsPlaced(w) && BestCrossing(layout, w, rng, &p, &nodes)) layout.Place(p);
    }
    if (static_cast<int>(layout.Placed().size()) == wanted && layout.Complete()) {
      *out = InListOrder(candidates, layout.OnBoard());
      return true;
    }
  }
  *problem = QStringLiteral("%1 秒のうちに、%2 語の並ぶ盤を作れませんでした。")
                 .arg(options.Seconds)
                 .arg(wanted);
  return false;
}

PuzzleFile PuzzleFor(const MadePuzzle& made, int boardSize, bool solved) {
  PuzzleFile p = EmptyPuzzle(PuzzleLayout::kVersion2);
  int longest = 0;
  for (std::size_t i = 0; i < made.Words.size(); ++i) {
    p.Entries[i].TextBytes = EncodeCp932(FromU16(made.Words[i].Text));
    p.Entries[i].Points = made.Words[i].Points;
    longest = std::max(longest, static_cast<int>(made.Words[i].Text.size()));
  }
  p.CountSuffixBytes = EncodeCp932(QStringLiteral("語"));
  p.ScoreSuffixBytes = EncodeCp932(QStringLiteral("点"));
  p.BoardSize = static_cast<Integer>(boardSize);
  p.MaxWordLength = static_cast<Integer>(longest);
  p.WordCount = static_cast<Integer>(made.Words.size());
  return solved ? WithPlacements(p, made.Placements) : p;
}

}  // namespace numera::workshop
