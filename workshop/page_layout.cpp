#include "workshop/page_layout.h"

#include <algorithm>
#include <cmath>

namespace numera::workshop {

namespace {

constexpr double kTitleSize = 20;
constexpr double kSubtitleSize = 10.5;
constexpr double kGap = 14;          // between the header, the grid and the list
constexpr double kLargestList = 12;  // font sizes of the word list
constexpr double kSmallestList = 5;
constexpr double kLineHeight = 1.6;  // of a list line, in ems
constexpr double kColumnGap = 1.5;   // between list columns, in ems

struct ListShape {
  double Size = 0;
  double EntryWidth = 0;  // a word, a space of one em and its points
  int Columns = 1;
  int Rows = 0;
  double Height() const { return Rows * Size * kLineHeight; }
};

ListShape ShapeList(const std::vector<ListedWord>& words, double size, double width) {
  double word = 0, points = 0;
  for (const ListedWord& w : words) {
    word = std::max(word, Ems(w.Text));
    points = std::max(points, Ems(w.Points));
  }
  ListShape s;
  s.Size = size;
  s.EntryWidth = (word + 1 + points) * size;
  const double gap = kColumnGap * size;
  s.Columns = std::max(1, static_cast<int>((width + gap) / (s.EntryWidth + gap)));
  const int count = static_cast<int>(words.size());
  s.Rows = (count + s.Columns - 1) / s.Columns;
  return s;
}

}  // namespace

QSizeF A4Paper() {
  return {595.276, 841.89};  // 210 x 297 mm
}

QSizeF LetterPaper() {
  return {612, 792};  // 8.5 x 11 inches
}

double Ems(const QString& text) {
  double ems = 0;
  for (const QChar c : text) ems += c.unicode() < 0x80 ? 0.5 : 1;
  return ems;
}

PageLayout LayOutPage(QSizeF page, const QString& title, const QString& subtitle, int boardSize,
                      const std::vector<ListedWord>& words) {
  const double width = page.width() - 2 * kPageMargin;
  PageLayout p;
  const double titleSize = std::min(kTitleSize, width / std::max(1.0, Ems(title)));
  double y = kPageMargin;
  p.Texts.push_back({QRectF(kPageMargin, y, width, titleSize * 1.4), title, titleSize, true});
  y += titleSize * 1.4;
  const double subtitleSize = std::min(kSubtitleSize, width / std::max(1.0, Ems(subtitle)));
  p.Texts.push_back({QRectF(kPageMargin, y, width, subtitleSize * 1.5), subtitle, subtitleSize});
  y += subtitleSize * 1.5 + kGap;

  const double height = page.height() - kPageMargin - y - kGap;
  const double leastSide = std::min(width, height / 2);
  ListShape list;
  for (double size = kLargestList; size >= kSmallestList; size -= 0.5) {
    list = ShapeList(words, size, width);
    if (height - list.Height() >= leastSide) break;
  }
  const double side = std::min(width, height - list.Height());
  p.Grid = QRectF(kPageMargin + (width - side) / 2, y, side, side);
  p.Cell = side / boardSize;
  p.LetterSize = p.Cell * 0.62;

  const double top = y + side + kGap;
  const double gap = kColumnGap * list.Size;
  for (int i = 0; i < static_cast<int>(words.size()); ++i) {
    const QRectF box(kPageMargin + (i / list.Rows) * (list.EntryWidth + gap),
                     top + (i % list.Rows) * list.Size * kLineHeight, list.EntryWidth,
                     list.Size * kLineHeight);
    const ListedWord& w = words[static_cast<std::size_t>(i)];
    p.Texts.push_back({box, w.Text, list.Size});
    p.Texts.push_back({box, w.Points, list.Size, false, true});
  }
  return p;
}

std::vector<ListedWord> ListedWords(const PuzzleFile& puzzle) {
  std::vector<ListedWord> words;
  for (const PuzzleEntry& e : ListEntries(puzzle))
    words.push_back({e.Text(), QStringLiteral("%1点").arg(e.Points)});
  return words;
}

bool StoresBoard(const PuzzleFile& puzzle) {
  const auto entries = ListEntries(puzzle);
  return std::any_of(entries.begin(), entries.end(),
                     [](const PuzzleEntry& e) { return e.Used == 1; });
}

QString SolutionLine(const CheckReport& r, bool stored, bool proven) {
  const QString counts =
      QStringLiteral("%1点、%2 / %3 語").arg(r.Score).arg(r.PlacedCount).arg(r.WordCount);
  if (stored)
    return QStringLiteral("答え・保存されている盤（%1%2）")
        .arg(counts, r.Complete ? QString() : QStringLiteral("、完成していません"));
  return QStringLiteral("答え・solve で探した盤（保存された盤がないため。%1、%2）")
      .arg(counts, proven ? QStringLiteral("これより高い得点はありません")
                          : QStringLiteral("時間内に見つかった最高"));
}

PageLayout LayOutPuzzle(QSizeF page, const QString& title, const PuzzleFile& puzzle) {
  return LayOutPage(
      page, title,
      QStringLiteral("%1 × %1 マス・%2 語").arg(puzzle.BoardSize).arg(puzzle.WordCount),
      puzzle.BoardSize, ListedWords(puzzle));
}

}  // namespace numera::workshop
