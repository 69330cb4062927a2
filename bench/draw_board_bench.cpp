// How long one redraw of a full 30 x 30 board takes: rebuilding the letters
// from the word records, and painting the picture offscreen with the real
// board widget and fonts.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "core/draw_board.h"
#include "platform/board_view.h"
#include "platform/fonts.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

void EnsureApp() {
  if (QApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "numera_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  InstallFontSubstitutions();
}

// 30 words of 28 letters across, one per row, every row full: 840 letters
// and 60 end marks, the most a 30 x 30 board prints.
void FillBoard(testing::TestGame& t) {
  QStringList words;
  for (int i = 0; i < 30; ++i) words << QString(28, QChar(0x3042 + i));
  t.LoadWords(30, words);
  for (int i = 1; i <= 30; ++i) {
    t.s.WordUsed(i) = 1;
    t.s.WordX(i) = 1;
    t.s.WordY(i) = static_cast<Integer>(i - 1);
  }
  t.s.Formain.PimainFontSize = 6;
}

void BM_DrawBoardRecordOnly(benchmark::State& state) {
  testing::TestGame t;
  FillBoard(t);
  for (auto _ : state) {
    DrawBoard(t.g);
    benchmark::DoNotOptimize(t.canvas.prints.size());
  }
}
BENCHMARK(BM_DrawBoardRecordOnly)->Unit(benchmark::kMicrosecond);

// At the view's zoom (the argument, in quarters): the picture grows with it.
void BM_DrawBoardPainted(benchmark::State& state) {
  EnsureApp();
  testing::TestGame t;
  FillBoard(t);
  BoardView view;
  view.SetZoom(state.range(0) / 4.0);
  Platform p{t.msgs, t.sound, t.clock, t.pump, t.keys, t.rng, t.files, view, t.win};
  Game g{t.s, p};
  DrawBoard(g);
  QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    DrawBoard(g);
    view.render(&image);
  }
}
BENCHMARK(BM_DrawBoardPainted)->Arg(4)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace numera
