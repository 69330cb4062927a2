#include "workshop/checker.h"

#include <algorithm>

#include "core/draw_board.h"
#include "play/board_check.h"
#include "play/board_rules.h"
#include "play/placement.h"

namespace numera::workshop {

PuzzleFile WithPlacements(const PuzzleFile& puzzle, const std::vector<Placement>& placements) {
  PuzzleFile p = puzzle;
  for (PuzzleEntry& e : ListEntries(p)) e.Used = 0;
  p.Score = 0;
  for (const Placement& pl : placements) {
    PuzzleEntry& e = p.Entries[static_cast<std::size_t>(pl.Word)];
    e.Used = 1;
    e.X = static_cast<Integer>(pl.X);
    e.Y = static_cast<Integer>(pl.Y);
    e.Dir = static_cast<Integer>(pl.Dir);
    p.Score += e.Points;
  }
  p.PlacedCount = static_cast<Long>(placements.size());
  return p;
}

CheckReport CheckPuzzle(const PuzzleFile& puzzle, GameState& s) {
  PuzzleFile empty = puzzle;
  for (PuzzleEntry& e : empty.Entries) e.Used = 0;
  empty.PlacedCount = 0;
  empty.Score = 0;
  InstallPuzzle(s, empty);
  RebuildBoard(s);
  CheckReport report;
  for (int i = 1; i <= puzzle.WordCount; ++i) {
    const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(i - 1)];
    if (e.Used != 1) continue;
    if (!CanPlaceWord(s, i, e.X, e.Y, e.Dir)) {
      report.Refused.push_back({i, e.Text(), {e.X, e.Y}, e.Dir});
      continue;
    }
    PlaceWord(s, i, e.X, e.Y, e.Dir);
    // The game redraws, and so rebuilds the board, before the next press.
    RebuildBoard(s);
  }
  JudgeBoard(s, &report);
  return report;
}

namespace {

// The placed words over each cell of the board. A word is placed only
// where the fit test lets it, wholly on the board.
class WordsByCell {
 public:
  explicit WordsByCell(const GameState& s) : n_(s.BoardSize), cells_(n_ * n_) {
    for (int i = 1; i <= s.WordCount; ++i) {
      if (s.WordUsed(i) != 1) continue;
      const int dx = 1 - s.WordDir(i), dy = s.WordDir(i);
      for (int k = 0; k < s.Words(i).size(); ++k) {
        const int x = s.WordX(i) + k * dx, y = s.WordY(i) + k * dy;
        cells_[static_cast<std::size_t>(y * n_ + x)].push_back({i, s.Words(i)});
      }
    }
  }
  // The words over these cells, each once, by entry.
  std::vector<WordOnBoard> Over(const std::vector<Cell>& cells) const {
    std::vector<WordOnBoard> words;
    for (const Cell& c : cells)
      for (const WordOnBoard& w : cells_[c.Y * n_ + c.X])
        if (std::find(words.begin(), words.end(), w) == words.end()) words.push_back(w);
    std::sort(words.begin(), words.end(),
              [](const WordOnBoard& a, const WordOnBoard& b) { return a.Index < b.Index; });
    return words;
  }

 private:
  int n_;
  std::vector<std::vector<WordOnBoard>> cells_;
};

// The figures of the board, the largest first (of equal ones, the one whose
// first letter comes first in reading order), and the letters outside the
// largest.
void FindFigures(const TextCells& cells, int n, const GameState& s, const WordsByCell& words,
                 CheckReport* report) {
  std::vector<Cell> letters;  // in reading order
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      if (cells.Kind(x, y) == CellKind::kLetter) letters.push_back({x, y});
  // Each letter's figure, counted from 1 in the reading order of their first letters.
  std::vector<int> figureOf(static_cast<std::size_t>(n * n));
  auto of = [&figureOf, n](const Cell& c) -> int& { return figureOf[c.Y * n + c.X]; };
  int count = 0;
  for (const Cell& first : letters) {
    if (of(first)) continue;
    of(first) = ++count;
    std::vector<Cell> stack{first};
    while (!stack.empty()) {
      const Cell c = stack.back();
      stack.pop_back();
      // The ring around the board holds no letters: the fill stays on the board.
      for (const Cell& d :
           {Cell{c.X + 1, c.Y}, Cell{c.X - 1, c.Y}, Cell{c.X, c.Y + 1}, Cell{c.X, c.Y - 1}}) {
        if (cells.Kind(d.X, d.Y) != CellKind::kLetter || of(d)) continue;
        of(d) = count;
        stack.push_back(d);
      }
    }
  }
  std::vector<Figure> figures(static_cast<std::size_t>(count));
  for (const Cell& c : letters) {
    Figure& f = figures[static_cast<std::size_t>(of(c) - 1)];
    f.Cells.push_back(c);
    f.Letters += s.Board(c.X, c.Y);
  }
  int main = 1;
  for (int f = 2; f <= count; ++f)
    if (figures[f - 1].Cells.size() > figures[main - 1].Cells.size()) main = f;
  for (const Cell& c : letters)
    if (of(c) != main) report->Unconnected.push_back(c);
  for (Figure& f : figures) f.Words = words.Over(f.Cells);
  std::stable_sort(figures.begin(), figures.end(), [](const Figure& a, const Figure& b) {
    return a.Cells.size() > b.Cells.size();
  });
  report->Figures = std::move(figures);
}

}  // namespace

void JudgeBoard(GameState& s, CheckReport* report) {
  const int n = s.BoardSize;
  BCheck(s);
  report->Score = s.Score;
  report->PlacedCount = s.PlacedCount;
  report->WordCount = s.WordCount;
  report->Complete = s.NoRecord == 0 && report->Refused.empty();
  const TextCells cells{s.Board};
  const WordsByCell words(s);
  FindFigures(cells, n, s, words, report);
  ForEachOpenEnd(cells, n, [&](int x, int y, int dx, int dy) {
    Cell far{x + dx, y + dy};
    while (cells.Kind(far.X + dx, far.Y + dy) == CellKind::kLetter) far = {far.X + dx, far.Y + dy};
    const Cell near{x + dx, y + dy};
    const bool forward = dx + dy > 0;
    OpenRun run{dy == 0, forward ? near : far, forward ? far : near, {}, {}, {}};
    auto same = [&run](const OpenRun& r) {
      return r.Across == run.Across && r.From == run.From && r.To == run.To;
    };
    auto it = std::find_if(report->OpenRuns.begin(), report->OpenRuns.end(), same);
    if (it == report->OpenRuns.end()) it = report->OpenRuns.insert(report->OpenRuns.end(), run);
    it->OpenEnds.push_back({x, y});
  });
  for (OpenRun& run : report->OpenRuns) {
    std::vector<Cell> letters;
    for (Cell c = run.From;; c = run.Across ? Cell{c.X + 1, c.Y} : Cell{c.X, c.Y + 1}) {
      letters.push_back(c);
      run.Letters += s.Board(c.X, c.Y);
      if (c == run.To) break;
    }
    run.Words = words.Over(letters);
  }
  report->Board = BoardText(s);
}

QStringList BoardText(const GameState& s) {
  const int n = s.BoardSize;
  QStringList rows;
  for (int y = -1; y <= n; ++y) {
    QString row;
    for (int x = -1; x <= n; ++x) {
      const QString& cell = s.Board(x, y);
      row += cell.isEmpty() ? QStringLiteral("・") : cell;
    }
    rows << row;
  }
  return rows;
}

}  // namespace numera::workshop
