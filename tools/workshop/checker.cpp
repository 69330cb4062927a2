#include "tools/workshop/checker.h"

#include <algorithm>

#include "core/draw_board.h"
#include "play/board_check.h"
#include "play/board_rules.h"
#include "play/placement.h"

namespace numera::workshop {

PuzzleFile WithPlacements(const PuzzleFile& puzzle, const std::vector<Placement>& placements) {
  PuzzleFile p = puzzle;
  for (int i = 0; i < p.WordCount; ++i) p.Entries[static_cast<std::size_t>(i)].Used = 0;
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

void JudgeBoard(GameState& s, CheckReport* report) {
  const int n = s.BoardSize;
  BCheck(s);
  report->Score = s.Score;
  report->PlacedCount = s.PlacedCount;
  report->WordCount = s.WordCount;
  report->Complete = s.NoRecord == 0 && report->Refused.empty();
  const TextCells cells{s.Board};
  report->Unconnected.clear();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      if (cells.Kind(x, y) == CellKind::kLetter && s.CheckFlag(x, y) == 0)
        report->Unconnected.push_back({x, y});
  report->OpenRuns.clear();
  ForEachOpenEnd(cells, n, [&](int x, int y, int dx, int dy) {
    Cell far{x + dx, y + dy};
    while (cells.Kind(far.X + dx, far.Y + dy) == CellKind::kLetter) far = {far.X + dx, far.Y + dy};
    const Cell near{x + dx, y + dy};
    const bool forward = dx + dy > 0;
    OpenRun run{dy == 0, forward ? near : far, forward ? far : near, {}};
    auto same = [&run](const OpenRun& r) {
      return r.Across == run.Across && r.From == run.From && r.To == run.To;
    };
    auto it = std::find_if(report->OpenRuns.begin(), report->OpenRuns.end(), same);
    if (it == report->OpenRuns.end()) it = report->OpenRuns.insert(report->OpenRuns.end(), run);
    it->OpenEnds.push_back({x, y});
  });
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
