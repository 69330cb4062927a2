#include "core/draw_board.h"

#include "core/word_geometry.h"

namespace numera {

void RebuildBoard(GameState& s) {
  const int n = s.BoardSize;
  for (int x = -1; x <= n; ++x)
    for (int y = -1; y <= n; ++y) s.Board(x, y).clear();
  for (int i = 1; i <= s.WordCount; ++i) {
    if (s.WordUsed(i) != 1) continue;
    const QString& word = s.Words(i);
    const int len = static_cast<int>(word.size());
    WriteWord(
        s.Board, len, s.WordX(i), s.WordY(i), s.WordDir(i),
        [&word](int k) { return word.mid(k, 1); }, kCross);
    // A placed word shown in orange lights its letters.
    if (s.Formain.La(i).ForeColor != colour::kOrange) continue;
    for (int k = 0; k < len; ++k) {
      const BoardCell c = LetterCell(s.WordX(i), s.WordY(i), s.WordDir(i), k);
      s.CellFlag(c.X, c.Y) = 1;
    }
  }
}

CellPrint ShownCell(GameState& s, int x, int y) {
  CellPrint cell;
  s.BoardShown(x, y) = s.Board(x, y);
  if (s.CellFlag(x, y) == 1) cell.Color = colour::kOrange;
  if (s.CellFlag(x, y) == 2) cell.Color = colour::kGreen;
  if (s.BoardShown(x, y) == kCross) {
    switch (s.CrossKind) {
      case cross_kind::kRedCross:
        cell.Color = colour::kRed;
        break;
      case cross_kind::kBlock:
        s.BoardShown(x, y) = QStringLiteral("■");
        break;
      case cross_kind::kPear:
        s.BoardShown(x, y) = QStringLiteral("梨");
        cell.Color = colour::kNearWhite;
        break;
      case cross_kind::kFakeLetter: {
        const int fake = s.FakeWordIndex;
        s.BoardShown(x, y) = (fake >= 1 && fake <= 90) ? s.Words(fake).mid(1, 1) : QString();
        break;
      }
      case cross_kind::kBlank:
        s.BoardShown(x, y) = kIdeographicSpace;
        break;
      default:
        break;
    }
  }
  if (s.BoardShown(x, y) != kIdeographicSpace && s.FontKind == font_kind::kRainbow)
    cell.Color = s.CellColor(x, y);
  cell.Text = s.BoardShown(x, y);
  return cell;
}

void DrawBoard(Game& g) {
  GameState& s = g.s;
  MainWindowState& w = s.Formain;
  const int n = s.BoardSize;
  RebuildBoard(s);

  // The picture is painted whole every time, so a word taken back leaves no
  // trace behind.
  Canvas& canvas = g.p.BoardCanvas;
  const double W = w.Pimain.Width;
  const double H = w.Pimain.Height;
  canvas.BeginFrame(w.Pimain.Width, w.Pimain.Height, w.PimainFontName, w.PimainFontSize);
  for (int k = 1; k <= n - 1; ++k) {
    const double gx = k * (W - 1) / n - 1;
    const double gy = k * (H - 1) / n - 1;
    canvas.Line(gx, 0, gx, H, colour::kBlack);
    canvas.Line(0, gy, W, gy, colour::kBlack);
  }
  for (int y = 0; y <= n - 1; ++y) {
    for (int x = 0; x <= n - 1; ++x) {
      const CellPrint cell = ShownCell(s, x, y);
      if (cell.Text.isEmpty()) continue;
      canvas.Print((W - 1) * x / n + 1, (W - 1) * y / n + 1, cell.Text, cell.Color);
    }
  }
  canvas.EndFrame();

  w.Lg1.Caption = QString::number(s.PlacedCount) + s.CountSuffix;
  w.Lg2.ForeColor = s.NoRecord == 1 ? colour::kRed : colour::kBlack;
  w.Lg2.Caption = QStringLiteral("NOW:") + QString::number(s.Score) + s.ScoreSuffix;
  w.Lg3.Caption = QStringLiteral("MAX:") + QString::number(s.BestScore) + s.ScoreSuffix;
  g.p.Win.SyncMainWindow();
}

}  // namespace numera
