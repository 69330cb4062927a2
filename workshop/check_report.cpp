#include "workshop/check_report.h"

#include <QJsonArray>
#include <algorithm>
#include <ranges>
#include <set>

namespace numera::workshop {

namespace {

QString Span(int from, int to) {
  return from == to ? QString::number(from + 1)
                    : QStringLiteral("%1〜%2").arg(from + 1).arg(to + 1);
}

QString Place(int x0, int y0, int x1, int y1) {
  return QStringLiteral("%1 行 %2 列").arg(Span(y0, y1), Span(x0, x1));
}

QString Place(const Cell& c) {
  return Place(c.X, c.Y, c.X, c.Y);
}

QString WordsText(const std::vector<WordOnBoard>& words) {
  QStringList out;
  for (const WordOnBoard& w : words) out << QStringLiteral("%1「%2」").arg(w.Index).arg(w.Text);
  return out.isEmpty() ? QString() : QStringLiteral("単語 ") + out.join(QStringLiteral("、"));
}

QString FigureText(const Figure& f) {
  const auto [left, right] = std::ranges::minmax(f.Cells | std::views::transform(&Cell::X));
  // The cells are in reading order: the first is in the top row, the last in the bottom one.
  return QStringLiteral("  「%1」（%2）%3")
      .arg(f.Letters, Place(left, f.Cells.front().Y, right, f.Cells.back().Y), WordsText(f.Words));
}

QString RunText(const OpenRun& run) {
  QStringList ends;
  for (const Cell& c : run.OpenEnds) ends << Place(c);
  return QStringLiteral("端の閉じていない並び: 「%1」（%2）、空いている端 %3。%4")
      .arg(run.Letters, Place(run.From.X, run.From.Y, run.To.X, run.To.Y),
           ends.join(QStringLiteral("と ")), WordsText(run.Words));
}

QJsonObject CellJson(const Cell& c) {
  return {{"x", c.X}, {"y", c.Y}};
}

QJsonArray CellsJson(const std::vector<Cell>& cells) {
  QJsonArray out;
  for (const Cell& c : cells) out.append(CellJson(c));
  return out;
}

QJsonArray WordsJson(const std::vector<WordOnBoard>& words) {
  QJsonArray out;
  for (const WordOnBoard& w : words) out.append(QJsonObject{{"index", w.Index}, {"text", w.Text}});
  return out;
}

}  // namespace

QStringList RuledBoard(const CheckReport& r) {
  const int n = static_cast<int>(r.Board.size()) - 2;
  std::set<int> rows, columns;
  auto mark = [&](const Cell& c) {
    rows.insert(c.Y);
    columns.insert(c.X);
  };
  for (const Cell& c : r.Unconnected) mark(c);
  for (const OpenRun& run : r.OpenRuns)
    for (int x = run.From.X; x <= run.To.X; ++x)
      for (int y = run.From.Y; y <= run.To.Y; ++y) mark({x, y});
  // Four columns before the first cell: the row number and the ring.
  QString tens = QStringLiteral("    "), units = tens, under = tens;
  for (int x = 0; x < n; ++x) {
    tens += x + 1 >= 10 ? QStringLiteral("%1 ").arg((x + 1) / 10) : QStringLiteral("  ");
    units += QStringLiteral("%1 ").arg((x + 1) % 10);
    under += columns.count(x) ? QStringLiteral("^ ") : QStringLiteral("  ");
  }
  auto trimmed = [](QString line) {
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    return line;
  };
  QStringList lines;
  if (n >= 10) lines << trimmed(tens);
  lines << trimmed(units);
  for (int y = -1; y <= n; ++y) {
    const QString label =
        y < 0 || y == n ? QStringLiteral("  ") : QStringLiteral("%1").arg(y + 1, 2);
    lines << label + r.Board[y + 1] + (rows.count(y) ? QStringLiteral(" <") : QString());
  }
  if (!columns.empty()) lines << trimmed(under);
  return lines;
}

QString ReportText(const CheckReport& r) {
  QStringList lines = RuledBoard(r);
  lines << QStringLiteral("得点 %1点、置いた単語 %2 / %3")
               .arg(r.Score)
               .arg(r.PlacedCount)
               .arg(r.WordCount);
  if (r.PlacedCount == 0 && r.Refused.empty())
    lines << QStringLiteral(
        "単語がひとつも置かれていません（何もない盤は、ゲームの決まりでは完成です）。");
  else
    lines << (r.Complete ? QStringLiteral("盤面は完成しています。")
                         : QStringLiteral("盤面は完成していません。"));
  if (r.Figures.size() > 1) {
    lines << QStringLiteral("いちばん大きな文字のかたまり（%1 文字）とつながっていない文字:")
                 .arg(r.Figures[0].Cells.size());
    for (std::size_t f = 1; f < r.Figures.size(); ++f) lines << FigureText(r.Figures[f]);
  }
  for (const OpenRun& run : r.OpenRuns) lines << RunText(run);
  for (const RefusedPlacement& p : r.Refused)
    lines << QStringLiteral("置けない単語: %1「%2」（%3から%4）")
                 .arg(p.Index)
                 .arg(p.Text, Place(p.At),
                      p.Dir == 0 ? QStringLiteral("横") : QStringLiteral("縦"));
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QJsonObject ReportJson(const CheckReport& r) {
  QJsonArray figures, runs, refused;
  for (const Figure& f : r.Figures)
    figures.append(QJsonObject{
        {"letters", f.Letters}, {"cells", CellsJson(f.Cells)}, {"words", WordsJson(f.Words)}});
  for (const OpenRun& run : r.OpenRuns) {
    QJsonObject o{{"from", CellJson(run.From)},
                  {"to", CellJson(run.To)},
                  {"open_ends", CellsJson(run.OpenEnds)},
                  {"letters", run.Letters},
                  {"words", WordsJson(run.Words)}};
    o.insert(run.Across ? QStringLiteral("row") : QStringLiteral("column"),
             run.Across ? run.From.Y : run.From.X);
    runs.append(o);
  }
  for (const RefusedPlacement& p : r.Refused)
    refused.append(QJsonObject{
        {"index", p.Index}, {"text", p.Text}, {"x", p.At.X}, {"y", p.At.Y}, {"dir", p.Dir}});
  return {{"score", r.Score},          {"placed_count", r.PlacedCount},
          {"word_count", r.WordCount}, {"complete", r.Complete},
          {"figures", figures},        {"unconnected", CellsJson(r.Unconnected)},
          {"open_runs", runs},         {"refused", refused}};
}

}  // namespace numera::workshop
