// Every menu item, button, label, the board and the background, pressed in
// the real window offscreen, must do exactly what calling its command
// directly does: the same boxes, sounds, dialogs and changes of state.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/draw_board.h"
#include "diversions/background.h"
#include "files/closing.h"
#include "files/open_puzzle.h"
#include "files/puzzle_file.h"
#include "files/save_puzzle.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "play/clearing.h"
#include "play/placement.h"
#include "play/shifting.h"
#include "play/word_selection.h"
#include "settings/settings_window.h"
#include "settings/version_help.h"
#include "tests/support/walker.h"
#include "tests/widgets/game_window.h"

namespace numera::testing {
namespace {

// A 6 x 6 puzzle in play, ねこ across in the middle, every sound on; boxes
// are answered with their last button.
struct Rig {
  Rig() {
    PuzzleFile p = EmptyPuzzle(PuzzleLayout::kVersion2);
    p.BoardSize = 6;
    p.WordCount = 3;
    p.MaxWordLength = 2;
    const QStringList words{"ねこ", "こい", "いぬ"};
    for (int i = 0; i < 3; ++i) {
      p.Entries[std::size_t(i)].TextBytes = EncodeCp932(words[i]);
      p.Entries[std::size_t(i)].Points = 10 * (i + 1);
    }
    QString error;
    t.s.AppPath = dir.path();
    WritePuzzleFile(dir.filePath("kanji1.mlt"), p, &error);
    OpenPuzzleFromCommandLine(t.g, dir.filePath("kanji1.mlt"));
    t.Place(1, 2, 2, 0);
    for (int k = 0; k <= 19; ++k) t.s.SoundSwitch(k) = 1;
    t.s.BackgroundKind = 2;
    t.msgs.AlwaysLast();
    t.log.clear();
  }
  QString Record() {
    QString text = t.log.join('\n') + '\n';
    for (const MessageBoxRequest& b : t.msgs.boxes) text += b.Message + '\n';
    text += Describe(t.s);
    return text.replace(dir.path(), QStringLiteral("<AppPath>"));
  }
  QTemporaryDir dir;
  TestGame t;
};

using Handler = std::function<void(Game&)>;

TEST(Wiring, EveryControlReachesItsCommandWithItsArgument) {
  EnsureApp();  // at zoom 1, whatever the player's own settings say
  auto menu = [](const char* name) {
    return [=](MainWindow& w) { w.action(QString::fromUtf8(name))->trigger(); };
  };
  auto button = [](const char* name) {
    return [=](MainWindow& w) { w.findChild<QPushButton*>(QString::fromUtf8(name))->click(); };
  };
  auto click = [](QWidget* (*of)(MainWindow&), Qt::MouseButton b, QPoint at) {
    return [=](MainWindow& w) {
      QTest::mousePress(of(w), b, {}, at);
      QTest::mouseRelease(of(w), b, {}, at);
    };
  };
  auto label = [](int i, int button) -> std::vector<Handler> {
    return {[=](Game& g) { La_MouseDown(g, Integer(i), Integer(button)); },
            [=](Game& g) { La_MouseUp(g, Integer(i), Integer(button)); }};
  };
  auto board = [](int button, float x, float y) -> std::vector<Handler> {
    return {[=](Game& g) { Pimain_MouseDown(g, Integer(button), x, y); },
            [=](Game& g) { Pimain_MouseUp(g); }};
  };
  const auto shift = [](int d) -> std::vector<Handler> {
    return {[d](Game& g) { Co_Click(g, Integer(d)); }};
  };
  const auto chosen = [](Game& g) { La_MouseDown(g, 2, 1); };  // こい selected
  const struct Row {
    const char* what;
    std::function<void(MainWindow&)> press;
    std::vector<Handler> direct;
    Handler before = nullptr;
  } rows[] = {
      {"開く...", menu("ファイルを開く"), {ファイルを開く_Click}},
      {"上書き保存...", menu("上書き保存する"), {上書き保存する_Click}},
      {"名前が付いて保存...", menu("名前が付いて保存"), {名前が付いて保存_Click}},
      {"終了", menu("終了"), {終了_Click}},
      {"設定", menu("設定"), {設定_Click}},
      {"上へ移動", menu("上へ移動する"), shift(2)},
      {"下へ移動", menu("下へ移動する"), shift(3)},
      {"左へ移動", menu("左へ移動する"), shift(0)},
      {"右へ移動", menu("右へ移動する"), shift(1)},
      {"クリア", menu("すべてクリア"), {Coc_Click}},
      {"ヘルプ", menu("ヘルプ"), {ヘルプ_Click}},
      {"バージョン情報", menu("バージョン"), {バージョン_Click}},
      {"Cleaｒ", button("Coc"), {Coc_Click}},
      {"←", button("Co_0"), shift(0)},
      {"→", button("Co_1"), shift(1)},
      {"↑", button("Co_2"), shift(2)},
      {"↓", button("Co_3"), shift(3)},
      {"word 2, left",
       click([](MainWindow& w) -> QWidget* { return w.la(2); }, Qt::LeftButton, {5, 5}),
       label(2, 1)},
      {"points of word 3, left",
       click([](MainWindow& w) -> QWidget* { return w.la2(3); }, Qt::LeftButton, {5, 5}),
       label(3, 1)},
      {"placed word 1, right",
       click([](MainWindow& w) -> QWidget* { return w.la(1); }, Qt::RightButton, {5, 5}),
       label(1, 2)},
      {"the board, left on こ",
       click([](MainWindow& w) -> QWidget* { return w.board(); }, Qt::LeftButton, {130, 110}),
       board(1, 130, 110)},
      {"the board, left on こ with こい chosen",
       click([](MainWindow& w) -> QWidget* { return w.board(); }, Qt::LeftButton, {130, 110}),
       board(1, 130, 110), chosen},
      {"the board, right on こ with こい chosen",
       click([](MainWindow& w) -> QWidget* { return w.board(); }, Qt::RightButton, {130, 110}),
       board(2, 130, 110), chosen},
      {"the background",
       click([](MainWindow& w) { return w.centralWidget(); }, Qt::LeftButton, {265, 200}),
       {Form_Click}},
  };
  const std::string idle = Rig().Record().toStdString();
  for (const Row& row : rows) {
    Rig widgets, direct;
    if (row.before) {
      row.before(widgets.t.g), row.before(direct.t.g);
      widgets.t.log.clear(), direct.t.log.clear();
    }
    MainWindow w;
    w.Attach(&widgets.t.g);
    w.show();
    row.press(w);
    for (const Handler& h : row.direct) {
      h(direct.t.g);
      DrawBoard(direct.t.g);  // as after every handler the window runs
    }
    const std::string got = widgets.Record().toStdString();
    EXPECT_EQ(got, direct.Record().toStdString()) << row.what;
    EXPECT_NE(got, idle) << row.what << " did nothing at all";
  }
}

}  // namespace
}  // namespace numera::testing
