// The window layer around the logic: what the real window shows while the
// logic pauses, and the open dialog's language.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <set>

#include "core/draw_board.h"
#include "diversions/background.h"
#include "files/open_puzzle.h"
#include "platform/language.h"
#include "platform/settings_dialog.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::GameWindow;

TEST(WindowLayer, AnArrowMoveShowsTheNewSelectionForItsWholePause) {
  GameWindow gw;
  gw.t.LoadWords(10, {"いぬ", "ねこ", "うし"});
  DrawBoard(gw.g);
  QTest::mouseClick(gw.w.la(1), Qt::LeftButton);
  QColor first, second;
  gw.t.pump.on_events = [&] {
    if (first.isValid()) return;
    first = gw.w.la(1)->palette().color(QPalette::WindowText);
    second = gw.w.la(2)->palette().color(QPalette::WindowText);
  };
  gw.t.keys.down = {kVkDown};
  gw.w.PollKeysNow();
  EXPECT_EQ(gw.t.s.SelectedIndex, 2);
  EXPECT_EQ(first, QColor(Qt::black));
  EXPECT_EQ(second, QColor(0x80, 0x80, 0xFF));
}

// The main loop polls the keys only between handlers: a key held through
// the pauses of the night-sky flight moves the selection once it has ended.
TEST(WindowLayer, AKeyHeldWhileAHandlerRunsMovesNothingUntilItEnds) {
  GameWindow gw;
  gw.t.LoadWords(10, {"いぬ", "ねこ"});
  gw.t.s.BackgroundKind = 3;
  DrawBoard(gw.g);
  QTest::mouseClick(gw.w.la(1), Qt::LeftButton);
  gw.t.keys.down = {kVkDown};
  int pauses = 0;
  gw.t.pump.on_events = [&] { gw.w.PollKeysNow(), ++pauses; };
  QTest::mouseClick(gw.w.centralWidget(), Qt::LeftButton, {}, {3, 3});
  EXPECT_GT(pauses, 100);
  EXPECT_EQ(gw.t.s.SelectedIndex, 1);
  gw.w.PollKeysNow();
  EXPECT_EQ(gw.t.s.SelectedIndex, 2);
}

// The keys are polled while a word is selected, the first one included, and
// not at all without one: an idle game costs nothing.
TEST(WindowLayer, TheKeysArePolledOnlyWhileAWordIsSelected) {
  GameWindow gw;
  gw.t.LoadWords(10, {"いぬ", "ねこ"});
  DrawBoard(gw.g);
  gw.w.StartKeyPoll();
  QTest::qWait(120);
  EXPECT_TRUE(gw.t.keys.queried.empty());
  QTest::mouseClick(gw.w.la(1), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !gw.t.keys.queried.empty(); }, 5000));
}

// Without an X server the arrows are as the game's windows see them: down
// from press to release (once, however many widgets the press passes) or
// until the game loses the focus, and down while the press is handled.
TEST(WindowLayer, AnArrowIsDownFromItsPressToItsReleaseInTheGamesWindows) {
  testing::EnsureApp();
  QtKeys keys;
  QWidget parent;
  QWidget* child = new QWidget(&parent);
  parent.show();
  std::vector<std::int16_t> handled;
  keys.on_arrow_press = [&] { handled.push_back(keys.GetAsyncKeyState(kVkUp)); };
  QTest::keyPress(child, Qt::Key_Up);
  EXPECT_NE(keys.GetAsyncKeyState(kVkUp), 0);
  EXPECT_EQ(keys.GetAsyncKeyState(kVkDown), 0);
  QTest::keyRelease(child, Qt::Key_Up);
  EXPECT_EQ(keys.GetAsyncKeyState(kVkUp), 0);
  EXPECT_EQ(handled, std::vector<std::int16_t>{std::int16_t(0x8000)});
  QTest::keyPress(child, Qt::Key_Left);
  QEvent away(QEvent::ApplicationDeactivate);
  QApplication::sendEvent(qApp, &away);
  EXPECT_EQ(keys.GetAsyncKeyState(kVkLeft), 0);
}

TEST(WindowLayer, TheNightSkyFlightShowsEveryFrameAtAboutOneDisplayFrameEach) {
  for (const double icons : {0.0, 0.7}) {  // one icon, three icons
    GameWindow gw;
    gw.t.s.BackgroundKind = 3;
    gw.t.rng.values = {icons};
    const auto* icon = gw.w.findChild<QWidget*>(QStringLiteral("PicGra_0"));
    std::set<int> places;  // where the icon is seen in the pauses
    gw.t.pump.on_events = [&] {
      if (icon->isVisibleTo(gw.w.centralWidget())) places.insert(icon->x() * 10000 + icon->y());
    };
    const std::uint32_t start = gw.t.clock.now;
    Form_Click(gw.g);
    EXPECT_EQ(places.size(), 101u) << icons;  // each frame is on the window during its pause
    EXPECT_GE(gw.t.clock.now - start, 1500u) << icons;
    EXPECT_LE(gw.t.clock.now - start, 2000u) << icons;
    EXPECT_FALSE(icon->isVisibleTo(gw.w.centralWidget()));
  }
}

// The modal window open now if it is a T. A failure here must still close
// whatever is open, or the test waits for ever in the dialog.
template <typename T>
T* TheModal() {
  QWidget* modal = QApplication::activeModalWidget();
  auto* dialog = qobject_cast<T*>(modal);
  EXPECT_NE(dialog, nullptr);
  if (!dialog && modal) modal->close();
  return dialog;
}

TEST(WindowLayer, TheOpenDialogSpeaksJapaneseAndNamesItsFiltersAsWritten) {
  GameWindow gw;
  UseJapaneseQtTexts();
  QStringList filters, texts;
  QLocale::Language language = QLocale::AnyLanguage;
  QTimer::singleShot(0, [&] {
    auto* dialog = TheModal<QFileDialog>();
    if (!dialog) return;
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; i < types->count(); ++i) filters << types->itemText(i);
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
      texts << dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
    for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons()) texts << b->text();
    language = dialog->locale().language();  // how it writes dates and sizes
    dialog->reject();
  });
  ファイルを開く_Click(gw.g);
  EXPECT_EQ(filters, (QStringList{"ミルテン用ファイル", "全てのファイル"}));
  ASSERT_EQ(texts.size(), 5);  // three labels, two buttons: each says something in Japanese
  EXPECT_EQ(texts.filter(QRegularExpression(QStringLiteral("[ぁ-ヿ一-鿿]"))), texts);
  EXPECT_EQ(language, QLocale::Japanese);
}

// その他 → 設定 opens the settings window as a modal dialog over the main
// window, and the game waits for it.
TEST(WindowLayer, TheSettingsWindowIsAModalDialogOfTheMainWindow) {
  GameWindow gw;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = TheModal<SettingsDialog>();
    if (!dialog) return;
    seen = true;
    EXPECT_EQ(dialog->parentWidget(), &gw.w);
    EXPECT_TRUE(dialog->isModal());
    dialog->reject();
  });
  RunSettingsDialog(gw.g);
  EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace numera
