#include "workshop/print/print_command.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/regular_file.h"
#include "workshop/checker.h"
#include "workshop/command_line.h"
#include "workshop/command_output.h"
#include "workshop/page_layout.h"
#include "workshop/solver.h"
#include "workshop/tool_io.h"

namespace numera::workshop {

namespace {

using tool::Err;

// Device units a point: the writer's resolution over 72.
constexpr int kResolution = 1200;
constexpr double kScale = kResolution / 72.0;

const QString kGothic = QStringLiteral("IPAGothic");
const QString kMincho = QStringLiteral("IPAMincho");

struct Sheet {
  QString Title;
  PuzzleFile Puzzle;
};

QRectF Device(const QRectF& r) {
  return {r.x() * kScale, r.y() * kScale, r.width() * kScale, r.height() * kScale};
}

QFont PageFont(const QString& family, double points) {
  QFont font(family);
  font.setPointSizeF(points);
  return font;
}

// The page's texts and the grid, with the board's letters and marks when a
// board is given.
void PaintPage(QPainter& painter, const PageLayout& page, int n, const GameState* board) {
  for (const PageText& t : page.Texts) {
    painter.setFont(PageFont(t.Mincho ? kMincho : kGothic, t.Size));
    painter.drawText(Device(t.Box), Qt::AlignVCenter | (t.Right ? Qt::AlignRight : Qt::AlignLeft),
                     t.Text);
  }
  const QRectF grid = Device(page.Grid);
  const double cell = page.Cell * kScale;
  painter.setPen(QPen(Qt::gray, 0.5 * kScale));
  for (int k = 1; k < n; ++k) {
    painter.drawLine(
        QLineF(grid.left() + k * cell, grid.top(), grid.left() + k * cell, grid.bottom()));
    painter.drawLine(
        QLineF(grid.left(), grid.top() + k * cell, grid.right(), grid.top() + k * cell));
  }
  painter.setPen(QPen(Qt::black, 1.5 * kScale));
  painter.drawRect(grid);
  if (!board) return;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const QString& text = board->Board(x, y);
      if (text.isEmpty()) continue;
      const bool mark = text == QString(QChar(kMarkCell));
      painter.setPen(mark ? Qt::gray : Qt::black);
      painter.setFont(PageFont(kGothic, page.LetterSize * (mark ? 0.6 : 1)));
      painter.drawText(QRectF(grid.left() + x * cell, grid.top() + y * cell, cell, cell),
                       Qt::AlignCenter, text);
    }
  }
}

// The stored board, or the best the solver finds when none is stored, and
// the line that says which.
QString SolutionBoard(const PuzzleFile& puzzle, double seconds, GameState& s) {
  const bool stored = StoresBoard(puzzle);
  SolveResult result;
  if (!stored) {
    SolveOptions options;
    options.Seconds = seconds;
    result = Solve(PuzzleWords(puzzle), puzzle.BoardSize, options);
  }
  const CheckReport r = CheckPuzzle(stored ? puzzle : WithPlacements(puzzle, result.Placements), s);
  return SolutionLine(r, stored, result.Proven);
}

}  // namespace

int PrintCommand(const QStringList& list) {
  Args args;
  if (!ParseArgs(QStringLiteral("print"), list, &args)) return args.Exit;
  int copies = 1;
  double seconds = 10;
  const QString paper = args.Values.value(QStringLiteral("--paper"), QStringLiteral("a4"));
  if (!Number(args, "--copies", 1, 100, &copies) ||
      !Number(args, "--seconds", 0.01, 86400.0, &seconds))
    return 2;
  if (paper != QLatin1String("a4") && paper != QLatin1String("letter"))
    return Misuse(*FindCommand(QStringLiteral("print")),
                  QStringLiteral("--paper には a4 か letter を書いてください。"));
  const QString out = args.Value("-o");
  if (const QString missing = tool::MissingFolder(out); !missing.isEmpty()) {
    Err(missing);
    return 1;
  }
  std::vector<Sheet> sheets;
  for (const QString& path : args.Files) {
    Sheet sheet;
    if (!tool::ReadPuzzle(path, &sheet.Puzzle)) return 1;
    sheet.Title = QFileInfo(path).fileName();
    if (sheet.Title.endsWith(QLatin1String(".mlt"))) sheet.Title.chop(4);
    sheets.push_back(std::move(sheet));
  }
  const QStringList families = QFontDatabase::families();
  if (!families.contains(kGothic) || !families.contains(kMincho)) {
    Err(
        QStringLiteral("IPA フォントが見つかりません。fonts-ipafont-gothic と "
                       "fonts-ipafont-mincho を入れてください。"));
    return 1;
  }

  const QSizeF size = paper == QLatin1String("a4") ? A4Paper() : LetterPaper();
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setResolution(kResolution);
  writer.setPageSize(QPageSize(paper == QLatin1String("a4") ? QPageSize::A4 : QPageSize::Letter));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setTitle(sheets.size() == 1 ? sheets[0].Title : QStringLiteral("ぬめら"));
  writer.setCreator(QStringLiteral("numera-puzzle"));
  QPainter painter(&writer);
  int pages = 0;
  auto next = [&] {
    if (pages++ > 0) writer.newPage();
  };
  for (const Sheet& sheet : sheets) {
    const PageLayout page = LayOutPuzzle(size, sheet.Title, sheet.Puzzle);
    for (int c = 0; c < copies; ++c) {
      next();
      PaintPage(painter, page, sheet.Puzzle.BoardSize, nullptr);
    }
  }
  if (args.Has("--solution")) {
    for (const Sheet& sheet : sheets) {
      GameState s;
      const QString subtitle = SolutionBoard(sheet.Puzzle, seconds, s);
      next();
      PaintPage(painter,
                LayOutPage(size, sheet.Title + QStringLiteral("（答え）"), subtitle,
                           sheet.Puzzle.BoardSize, ListedWords(sheet.Puzzle)),
                sheet.Puzzle.BoardSize, &s);
    }
  }
  painter.end();
  const FileResult written = WriteRegularFile(out, pdf.data());
  if (!written.Ok()) {
    Err(QStringLiteral("「%1」に書き込めませんでした。").arg(out) + written.Problem);
    return 1;
  }
  return Out(QStringLiteral("「%1」を作りました（%2 ページ）。\n").arg(out).arg(pages).toUtf8(), 0);
}

}  // namespace numera::workshop
