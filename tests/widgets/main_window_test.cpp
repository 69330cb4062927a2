// The real windows, built offscreen: menu tree, control positions at the
// design size and zoomed, the message box window and the board picture.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QFontInfo>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "core/draw_board.h"
#include "dialogs/message_box.h"
#include "platform/app_icon.h"
#include "platform/message_window.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::EnsureApp;

QStringList Captions(QWidget* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

TEST(MainWindow, HasTheWholeMenuTreeWithThePuzzleCommandsDisabledUntilAPuzzleIsOpen) {
  EnsureApp();
  MainWindow w;
  EXPECT_EQ(w.windowTitle(), "ぬめら");
  EXPECT_EQ(w.windowIcon().pixmap(48).toImage().convertToFormat(QImage::Format_ARGB32),
            DrawNumeraIcon(48).convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(Captions(w.menuBar()), (QStringList{"ファイル", "その他"}));
  EXPECT_EQ(Captions(w.menuBar()->actions()[0]->menu()),
            (QStringList{"開く...", "上書き保存...", "名前が付いて保存...", "-", "終了"}));
  EXPECT_EQ(Captions(w.menuBar()->actions()[1]->menu()),
            (QStringList{"設定", "-", "移動", "クリア", "-", "ヘルプ", "バージョン情報"}));
  EXPECT_EQ(Captions(w.moveMenu()), (QStringList{"上へ移動", "下へ移動", "左へ移動", "右へ移動"}));
  GameState s;
  for (const bool open : {false, true}) {
    s.Formain.MenusEnabled = open;
    w.Sync(s);
    for (const char* name : {"上書き保存する", "名前が付いて保存", "すべてクリア"})
      EXPECT_EQ(w.action(QString::fromUtf8(name))->isEnabled(), open) << name;
    EXPECT_EQ(w.moveMenu()->menuAction()->isEnabled(), open);
    EXPECT_TRUE(w.action("ファイルを開く")->isEnabled());
    EXPECT_TRUE(w.action("設定")->isEnabled());
  }
}

// At zoom 1 every control stands where the design puts it; zoomed, its
// place, its size and its letters grow with the zoom.
// Shown by the game, the window stays: its close box asks first, and
// "いいえ" keeps it on the screen.
TEST(MainWindow, TheCloseBoxAnsweredNoKeepsTheWindow) {
  testing::GameWindow gw;
  gw.t.s.MessageMode = message_mode::kStandard;
  gw.win.ShowMainWindow();
  EXPECT_TRUE(gw.w.isVisible());
  gw.t.msgs.Press(QStringLiteral("いいえ"));
  EXPECT_FALSE(gw.w.close());
  EXPECT_TRUE(gw.w.isVisible());
  EXPECT_EQ(gw.t.msgs.Pending(), 0u);
}

TEST(MainWindow, ControlsStandAtTheirDesignPositionsTimesTheZoom) {
  EnsureApp();
  const struct {
    const char* name;
    QRect rect;
    bool visible;
  } controls[] = {
      {"Pimain", {8, 8, 251, 251}, true},      {"La_1", {272, 8, 159, 17}, false},
      {"La2_1", {432, 8, 65, 17}, false},      {"Lg1", {8, 328, 129, 33}, false},
      {"Lg2", {8, 376, 241, 33}, false},       {"Lg3", {8, 424, 241, 33}, false},
      {"Coc", {16, 272, 73, 41}, true},        {"Co_0", {152, 296, 49, 25}, true},
      {"Co_1", {200, 296, 49, 25}, true},      {"Co_2", {176, 272, 49, 25}, true},
      {"Co_3", {176, 320, 49, 25}, true},      {"PicGra_0", {272, 272, 51, 51}, false},
      {"PicGra_1", {272, 336, 51, 51}, false}, {"PicGra_2", {272, 400, 51, 51}, false},
  };
  for (const int z : {1, 2}) {
    MainWindow w;
    w.SetZoom(z);
    w.Sync(GameState{});
    EXPECT_EQ(w.size(), QSize(4150 / 15, 700 / 15) * z);  // the narrow strip
    for (const auto& c : controls) {
      auto* widget = w.findChild<QWidget*>(QString::fromUtf8(c.name));
      ASSERT_NE(widget, nullptr) << c.name;
      EXPECT_EQ(widget->geometry(), QRect(c.rect.topLeft() * z, c.rect.size() * z)) << c.name;
      EXPECT_EQ(widget->isVisibleTo(widget->parentWidget()), c.visible) << c.name;
    }
    QStringList captions;
    for (const char* name : {"Coc", "Co_0", "Co_1", "Co_2", "Co_3"})
      captions << w.findChild<QPushButton*>(QString::fromLatin1(name))->text();
    EXPECT_EQ(captions, (QStringList{"Cleaｒ", "←", "→", "↑", "↓"}));
    EXPECT_EQ(QFontInfo(w.la(90)->font()).pixelSize(), 16 * z);
    EXPECT_EQ(QFontInfo(w.findChild<QLabel*>("Lg2")->font()).pixelSize(), 24 * z);
  }
}

TEST(MessageWindow, HasTheLaidOutSizeAtTheZoomAndOnlyAButtonClosesIt) {
  EnsureApp();
  const MessageBoxRequest box =
      LayoutMessageBox("どうしますか？", "ぬめら", 3, "開く", "閉じる", "ホント勘弁してください");
  // Button 2 starts at 202.5: rounded at zoom 1, exact at zoom 2.
  for (const auto& [z, button2] :
       {std::pair{1, QRect(203, 37, 159, 24)}, std::pair{2, QRect(405, 74, 318, 48)}}) {
    MessageWindow dialog(box, nullptr, z);
    EXPECT_EQ(dialog.size(), QSize(370, 62) * z);
    EXPECT_EQ(dialog.windowTitle(), "ぬめら");
    EXPECT_EQ(dialog.label()->text(), "どうしますか？");
    EXPECT_EQ(dialog.label()->geometry(), QRect(8 * z, 8 * z, 354 * z, 33 * z));
    EXPECT_EQ(dialog.button(2)->geometry(), button2);
    EXPECT_EQ(dialog.button(2)->text(), "ホント勘弁してください");
    EXPECT_EQ(QFontInfo(dialog.font()).pixelSize(), 12 * z);  // 9 points
  }
  MessageWindow dialog(box, nullptr);
  dialog.show();
  QCloseEvent close;
  QApplication::sendEvent(&dialog, &close);
  EXPECT_FALSE(close.isAccepted());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  QTest::mouseClick(dialog.button(1), Qt::LeftButton);
  EXPECT_EQ(dialog.pressed(), 1);
  EXPECT_FALSE(dialog.isVisible());
  MessageWindow one(LayoutMessageBox("あ", "t", 1, "はい", "x", "y"), nullptr);  // buttons beyond 1
  EXPECT_FALSE(one.button(1)->isVisibleTo(&one) || one.button(2)->isVisibleTo(&one));
}

// A box belongs to the game's window even before that is shown, offers no
// minimize or maximize button, and minimized all the same it comes back with
// the window: the game waits for its answer.
TEST(MessageWindow, IsADialogOfTheWindowThatComesBackWhenMinimized) {
  EnsureApp();
  MainWindow owner;
  MessageWindow box(LayoutMessageBox("あ", "t", 1, "1", "", ""), &owner);
  ASSERT_NE(owner.windowHandle(), nullptr);
  EXPECT_EQ(box.windowHandle()->transientParent(), owner.windowHandle());
  EXPECT_EQ(box.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
  EXPECT_EQ(box.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
            Qt::WindowCloseButtonHint);
  owner.show();
  box.show();
  owner.showMinimized();
  box.showMinimized();
  QApplication::processEvents();
  EXPECT_FALSE(box.isMinimized());
  EXPECT_FALSE(owner.isMinimized());
  EXPECT_TRUE(box.isVisible());
}

// One press, one answer: repeats answer nothing, and a key already down when
// the box appears (it answered the box before) counts only once released and
// pressed again.
TEST(MessageWindow, EnterOrSpaceAnswersOnlyWithAPressThatBeganInTheBox) {
  EnsureApp();
  const auto send = [](QWidget& box, QEvent::Type type, Qt::Key key, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(box.focusWidget(), &event);
  };
  const struct {
    Qt::Key key;
    int tabs;   // Tab presses after the box opens on its first button
    bool held;  // down since before the box
  } presses[] = {{Qt::Key_Return, 0, false}, {Qt::Key_Enter, 2, false}, {Qt::Key_Space, 1, false},
                 {Qt::Key_Return, 1, true},  {Qt::Key_Space, 2, true},  {Qt::Key_Enter, 0, true}};
  for (const auto& p : presses) {
    MessageWindow before(LayoutMessageBox("い", "t", 1, "1", "", ""), nullptr);
    before.show();
    QApplication::setActiveWindow(&before);
    if (p.held) send(before, QEvent::KeyPress, p.key);
    MessageWindow dialog(LayoutMessageBox("あ", "t", 3, "1", "2", "3"), nullptr);
    EXPECT_EQ(dialog.button(0)->geometry(), QRect(9, 37, 89, 24));  // 8.5 rounds to 9
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    for (int i = 0; i < p.tabs; ++i) QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    send(dialog, QEvent::KeyPress, p.key, true);  // marked as a repeat
    if (p.held) {  // repeats as X delivers them, unmarked, then the release
      send(dialog, QEvent::KeyPress, p.key);
      send(dialog, QEvent::KeyRelease, p.key);
    }
    EXPECT_TRUE(dialog.isVisible()) << p.key << " held " << p.held;
    QTest::keyClick(dialog.focusWidget(), p.key);
    EXPECT_EQ(dialog.pressed(), p.tabs) << p.key << " held " << p.held;
    EXPECT_FALSE(dialog.isVisible()) << p.key;
  }
}

// A letter shows inside its own cell, about its middle, at the design size
// and centred in small cells, written across or on its side.
TEST(BoardPicture, PaintsEachLetterInsideItsCell) {
  const struct {
    int n;
    double zoom;
    const char* font;
  } cases[] = {{10, 1, "ＭＳ ゴシック"},
               {10, 1, "@ＭＳ ゴシック"},
               {30, 2, "ＭＳ 明朝"},
               {30, 2, "@ＭＳ ゴシック"}};
  for (const auto& c : cases) {
    testing::GameWindow gw;
    gw.w.SetZoom(c.zoom);
    gw.t.LoadWords(c.n, {"国"});
    gw.t.s.Formain.PimainFontName = QString::fromUtf8(c.font);
    gw.t.s.Formain.PimainFontSize = std::max(0.75 * (30 - c.n), 0.75);
    gw.t.s.CrossKind = cross_kind::kBlank;  // no end marks beside it
    DrawBoard(gw.g);
    const QImage empty = gw.w.board()->grab().toImage();
    gw.t.s.WordUsed(1) = 1;
    gw.t.s.WordX(1) = gw.t.s.WordY(1) = 4;
    DrawBoard(gw.g);
    const QImage image = gw.w.board()->grab().toImage();
    EXPECT_TRUE(c.n != 10 || qGray(image.pixel(24, 100)) < 128);  // a grid line
    QRect ink;                                                    // what the letter changed
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != empty.pixel(x, y)) ink |= QRect(x, y, 1, 1);
    // Cell 4 as the board prints into it: from its grid line on, as wide as
    // a cell less a line.
    const double from = 250 * 4 / c.n * c.zoom, room = (250.0 / c.n - 1) * c.zoom;
    const QRectF cell(from, from, room + 1, room + 1);
    EXPECT_TRUE(cell.contains(QRectF(ink))) << c.n << c.font;
    EXPECT_GT(ink.width() * ink.height(), cell.width() * cell.height() / 4) << c.n << c.font;
    const QPointF off = QRectF(ink).center() - cell.center();
    EXPECT_LE(std::max(std::abs(off.x()), std::abs(off.y())), cell.width() / 8) << c.n << c.font;
  }
}

// At every size the icon shows its little board: a word across and one
// down on orange and blue tiles, each closed by a red cross on its
// diagonals, the other cells cream, on green with transparent corners.
// A change repaints only the cells it touched, a new grid everything; the
// screen then shows what painting the whole board afresh shows.
TEST(BoardPicture, TheScreenShowsEveryCellAChangeTouched) {
  testing::GameWindow gw;
  gw.t.LoadWords(10, {"ねこ"});
  gw.t.s.Formain.WidthTwips = 5900;  // the whole board in the window
  gw.t.s.Formain.HeightTwips = 8080;
  gw.t.s.Formain.OuterSizeSets = 1;
  DrawBoard(gw.g);
  gw.w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&gw.w));
  BoardView* board = gw.w.board();
  for (const auto& [used, n] : {std::pair{1, 10}, std::pair{0, 10}, std::pair{0, 15}}) {
    gw.t.s.BoardSize = n;  // a new grid with the same letters
    gw.t.s.WordUsed(1) = used;
    gw.t.s.WordX(1) = gw.t.s.WordY(1) = 4;
    DrawBoard(gw.g);
    QApplication::processEvents();
    const QPoint at = board->mapTo(&gw.w, QPoint(0, 0));
    const QImage shown =
        gw.w.screen()
            ->grabWindow(gw.w.winId(), at.x(), at.y(), board->width(), board->height())
            .toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              board->grab().toImage().convertToFormat(QImage::Format_RGB32))
        << used << " " << n;
  }
}

TEST(AppIcon, ShowsItsBoardAtEverySize) {
  const auto is = [](QColor c, const char* kind) {
    const int r = c.red(), g = c.green(), b = c.blue();
    if (!strcmp(kind, "orange")) return r > 200 && g > 80 && g < 200 && b < 100;
    if (!strcmp(kind, "blue")) return b > 200 && r < 200;
    if (!strcmp(kind, "red")) return r > g + 60 && r > b + 60;
    if (!strcmp(kind, "cream")) return std::min({r, g, b}) > 180;
    if (!strcmp(kind, "line")) return r > 180 && b < 205;
    return g > r + 40 && g > b + 40;  // green
  };
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QImage icon = DrawNumeraIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    const int cell = static_cast<int>((size - 2 * (size >= 32 ? size * 0.15 : 1.5)) / 4);
    const int left = (size - 4 * cell) / 2, d = std::max(1, qRound(cell * 0.15));
    // The colour at a point of cell (x, y), from its centre; on a pixel edge,
    // any of the pixels that meet there.
    const auto at = [&](int x, int y, const char* kind, double dx = 0, double dy = 0) {
      const double px = left + (x + 0.5) * cell + dx, py = left + (y + 0.5) * cell + dy;
      for (const double ex : {-0.25, 0.25})
        for (const double ey : {-0.25, 0.25})
          if (is(icon.pixelColor(int(px + ex), int(py + ey)), kind)) return true;
      return false;
    };
    const struct {
      int x, y;
      const char* kind;
    } cells[] = {{0, 1, "orange"}, {2, 1, "orange"}, {1, 2, "blue"},  {1, 3, "blue"},
                 {3, 1, "red"},    {1, 0, "red"},    {0, 0, "cream"}, {3, 3, "cream"}};
    for (const auto& c : cells) {
      EXPECT_TRUE(at(c.x, c.y, c.kind)) << size << " " << c.x << c.y << " " << c.kind;
      if (strcmp(c.kind, "red")) continue;
      for (const auto& [dx, dy] : {std::pair{-d, -d}, {d, d}, {-d, d}, {d, -d}})
        EXPECT_TRUE(at(c.x, c.y, "red", dx, dy)) << size << " " << dx << dy;
    }
    // The grid between the cream cells of the last row and column.
    EXPECT_TRUE(size < 32 ||
                (at(3, 3, "line", -cell / 2.0, 0) && at(3, 3, "line", 0, -cell / 2.0)));
    EXPECT_TRUE(is(icon.pixelColor(size / 2, left / 2), "green")) << size;
    EXPECT_LT(icon.pixelColor(0, 0).alpha(), 64) << size;
  }
}

TEST(Fonts, JapaneseSystemFontNamesResolveToInstalledJapaneseFonts) {
  EnsureApp();
  ASSERT_TRUE(JapaneseGothicInstalled()) << "install fonts-ipafont-gothic";
  const QString gothic = QFontInfo(GameFont("ＭＳ ゴシック", 12)).family();
  const QString mincho = QFontInfo(GameFont("ＭＳ 明朝", 12)).family();
  EXPECT_TRUE(gothic.contains("Gothic") || gothic.contains("Sans")) << gothic.toStdString();
  EXPECT_TRUE(mincho.contains("Mincho") || mincho.contains("Serif")) << mincho.toStdString();
  EXPECT_EQ(QFontInfo(GameFont("@ＭＳ ゴシック", 12)).family(), gothic);
  EXPECT_TRUE(IsVerticalFontName("@ＭＳ ゴシック"));
  EXPECT_FALSE(IsVerticalFontName("ＭＳ ゴシック"));
}

}  // namespace
}  // namespace numera
