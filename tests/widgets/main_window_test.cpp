// The real windows, built offscreen: menu tree, control positions, the
// message box window and the board picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "core/draw_board.h"
#include "dialogs/message_box.h"
#include "platform/fonts.h"
#include "platform/formain.h"
#include "platform/formain3.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::EnsureApp;

QStringList Captions(QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

QWidget* Child(QWidget* root, const char* name) {
  return root->findChild<QWidget*>(QString::fromUtf8(name));
}

TEST(MainWindow, HasTheWholeMenuTree) {
  EnsureApp();
  Formain w;
  EXPECT_EQ(w.windowTitle(), "ぬめら");
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  EXPECT_EQ(top[0]->text(), "ファイル");
  EXPECT_EQ(top[1]->text(), "その他");
  EXPECT_EQ(Captions(top[0]->menu()),
            (QStringList{"開く...", "上書き保存...", "名前が付いて保存...", "-", "終了"}));
  EXPECT_EQ(Captions(top[1]->menu()),
            (QStringList{"設定", "-", "移動", "クリア", "-", "ヘルプ", "バージョン情報"}));
  EXPECT_EQ(Captions(w.moveMenu()), (QStringList{"上へ移動", "下へ移動", "左へ移動", "右へ移動"}));
  for (const char* name :
       {"ファイルを開く", "上書き保存する", "名前が付いて保存", "終了", "設定", "上へ移動する",
        "下へ移動する", "左へ移動する", "右へ移動する", "すべてクリア", "ヘルプ", "バージョン"})
    EXPECT_NE(w.action(QString::fromUtf8(name)), nullptr) << name;
}

TEST(MainWindow, PuzzleCommandsAreDisabledUntilAPuzzleIsOpen) {
  EnsureApp();
  Formain w;
  GameState s;
  w.Sync(s);
  EXPECT_TRUE(w.action("ファイルを開く")->isEnabled());
  EXPECT_FALSE(w.action("上書き保存する")->isEnabled());
  EXPECT_FALSE(w.action("名前が付いて保存")->isEnabled());
  EXPECT_FALSE(w.action("すべてクリア")->isEnabled());
  EXPECT_FALSE(w.moveMenu()->menuAction()->isEnabled());
  EXPECT_TRUE(w.action("設定")->isEnabled());
  s.Formain.MenusEnabled = true;
  w.Sync(s);
  EXPECT_TRUE(w.action("上書き保存する")->isEnabled());
  EXPECT_TRUE(w.moveMenu()->menuAction()->isEnabled());
}

TEST(MainWindow, ControlsStandAtTheirDesignPositions) {
  EnsureApp();
  Formain w;
  GameState s;
  w.Sync(s);
  EXPECT_EQ(w.size(), QSize(4150 / 15, 700 / 15));  // the narrow strip
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
      {"PicCheck", {232, 336, 19, 19}, false}, {"Text1", {0, 0, 57, 41}, false},
  };
  for (const auto& c : controls) {
    QWidget* widget = Child(&w, c.name);
    ASSERT_NE(widget, nullptr) << c.name;
    EXPECT_EQ(widget->geometry(), c.rect) << c.name;
    EXPECT_EQ(widget->isVisibleTo(widget->parentWidget()), c.visible) << c.name;
  }
  EXPECT_EQ(static_cast<QPushButton*>(Child(&w, "Coc"))->text(), "Cleaｒ");
  EXPECT_EQ(static_cast<QPushButton*>(Child(&w, "Co_0"))->text(), "←");
  EXPECT_EQ(static_cast<QPushButton*>(Child(&w, "Co_1"))->text(), "→");
  EXPECT_EQ(static_cast<QPushButton*>(Child(&w, "Co_2"))->text(), "↑");
  EXPECT_EQ(static_cast<QPushButton*>(Child(&w, "Co_3"))->text(), "↓");
  EXPECT_NE(Child(&w, "La_90"), nullptr);
}

TEST(MainWindow, SyncShowsLabelsWithTheirColours) {
  EnsureApp();
  Formain w;
  GameState s;
  s.Formain.La(3) = LabelView{"ねこ", 300, 40, 71, 17, true, colour::kLightBlue};
  s.Formain.BackColor = 0x400000;
  w.Sync(s);
  auto* la3 = w.la(3);
  EXPECT_EQ(la3->text(), "ねこ");
  EXPECT_EQ(la3->geometry(), QRect(300, 40, 71, 17));
  EXPECT_TRUE(la3->isVisibleTo(la3->parentWidget()));
  EXPECT_EQ(la3->palette().color(QPalette::WindowText), QColor(0x80, 0x80, 0xFF));
  EXPECT_EQ(w.centralWidget()->palette().color(QPalette::Window), QColor(0, 0, 0x40));
}

TEST(MessageWindow, HasTheLaidOutSizeAndOnlyAButtonClosesIt) {
  EnsureApp();
  const MessageBoxRequest box =
      LayoutMessageBox("どうしますか？", "ぬめら", 3, "開く", "閉じる", "ホント勘弁してください");
  Formain3 dialog(box, nullptr);
  EXPECT_EQ(dialog.size(), QSize(370, 62));
  EXPECT_EQ(dialog.windowTitle(), "ぬめら");
  EXPECT_EQ(dialog.label()->text(), "どうしますか？");
  EXPECT_EQ(dialog.label()->geometry(), QRect(8, 8, 354, 33));
  EXPECT_EQ(dialog.button(2)->geometry(), QRect(203, 37, 159, 24));  // 202.5 rounded
  EXPECT_EQ(dialog.button(2)->text(), "ホント勘弁してください");
  EXPECT_EQ(QFontInfo(dialog.font()).pixelSize(), 12);  // 9 points
  dialog.show();
  QCloseEvent close;
  QApplication::sendEvent(&dialog, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  QTest::mouseClick(dialog.button(1), Qt::LeftButton);
  EXPECT_EQ(dialog.pressed(), 1);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(MessageWindow, EnterOrSpacePressesTheFocusedButtonOnce) {
  EnsureApp();
  const struct {
    Qt::Key key;
    int tabs;  // Tab presses after the box opens on its first button
  } presses[] = {{Qt::Key_Return, 0}, {Qt::Key_Enter, 2}, {Qt::Key_Space, 1}};
  for (const auto& p : presses) {
    Formain3 dialog(LayoutMessageBox("あ", "t", 3, "1", "2", "3"), nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    for (int i = 0; i < p.tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    // A held key's repeats answer nothing.
    QKeyEvent repeat(QEvent::KeyPress, p.key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    EXPECT_TRUE(dialog.isVisible()) << p.key;
    QTest::keyClick(QApplication::focusWidget(), p.key);
    EXPECT_EQ(dialog.pressed(), p.tabs) << p.key;
    EXPECT_FALSE(dialog.isVisible()) << p.key;
  }
}

TEST(MessageWindow, ButtonsBeyondTheCountAreHidden) {
  EnsureApp();
  Formain3 dialog(LayoutMessageBox("あ", "t", 1, "はい", "x", "y"), nullptr);
  EXPECT_FALSE(dialog.button(1)->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.button(2)->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.button(0)->geometry(), QRect(9, 37, 89, 24));  // 8.5 rounds to 9
}

TEST(BoardPicture, PaintsTheLettersOfTheFrame) {
  EnsureApp();
  Formain w;
  testing::TestGame t;
  Platform p{t.msgs, t.sound, t.clock, t.pump, t.keys, t.rng, t.files, *w.board(), t.win};
  Game g{t.s, p};
  t.LoadWords(10, {"国"});
  t.s.Formain.PimainFontSize = 15;
  t.s.WordUsed(1) = 1;
  t.s.WordX(1) = 4;
  t.s.WordY(1) = 4;
  DrawBoard(g);
  const QImage image = w.board()->grab().toImage();
  // The cell (4, 4) holds dark ink; an empty cell (7, 7) stays white inside.
  auto inked = [&image](int cx, int cy) {
    int dark = 0;
    for (int y = cy * 25 + 3; y < cy * 25 + 22; ++y)
      for (int x = cx * 25 + 3; x < cx * 25 + 22; ++x)
        if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
  };
  EXPECT_GT(inked(4, 4), 10);
  EXPECT_EQ(inked(7, 7), 0);
  EXPECT_LT(qGray(image.pixel(qRound(250.0 / 10 - 1), 100)), 128);  // a grid line
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
