// The window layer around the logic: what the real window shows while the
// logic pauses, the size it takes, and the open dialog's language.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

#include "core/draw_board.h"
#include "diversions/background.h"
#include "files/open_puzzle.h"
#include "platform/language.h"
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

TEST(WindowLayer, TheNightSkyFlightShowsEveryFrameAtAboutOneDisplayFrameEach) {
  for (const double icons : {0.0, 0.7}) {  // one icon, three icons
    GameWindow gw;
    gw.t.s.BackgroundKind = 3;
    gw.t.rng.values = {icons};
    const auto* icon = gw.w.findChild<QWidget*>(QStringLiteral("PicGra_0"));
    int moves = 0;
    QPoint last = icon->pos();
    gw.t.pump.on_events = [&] {
      EXPECT_TRUE(icon->isVisibleTo(gw.w.centralWidget()));
      if (icon->pos() != last) ++moves;
      last = icon->pos();
    };
    const std::uint32_t start = gw.t.clock.now;
    Form_Click(gw.g);
    EXPECT_EQ(moves, 101) << icons;  // each frame is on the window during its pause
    EXPECT_GE(gw.t.clock.now - start, 1500u) << icons;
    EXPECT_LE(gw.t.clock.now - start, 2000u) << icons;
    EXPECT_FALSE(icon->isVisibleTo(gw.w.centralWidget()));
  }
}

TEST(WindowLayer, EveryOpenSetsTheWindowSizeAgain) {
  GameWindow gw;
  const QString puzzle = QStringLiteral(NUMERA_BUILD_DIR "/doubutsu.mlt");
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  const QSize opened(393, 538);  // 5900 x 8080 twips; offscreen there is no frame
  EXPECT_EQ(gw.w.size(), opened);
  gw.w.resize(700, 300);  // by hand
  ASSERT_TRUE(OpenPuzzleFromCommandLine(gw.g, puzzle));
  EXPECT_EQ(gw.w.size(), opened);
}

bool Japanese(const QString& text) {
  for (const QChar c : text)
    if ((c >= QChar(0x3040) && c <= QChar(0x30FF)) || (c >= QChar(0x4E00) && c <= QChar(0x9FFF)))
      return true;
  return false;
}

TEST(WindowLayer, TheOpenDialogSpeaksJapaneseAndNamesItsFiltersAsWritten) {
  GameWindow gw;
  UseJapaneseQtTexts();
  QStringList filters, texts;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; i < types->count(); ++i) filters << types->itemText(i);
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
      texts << dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
    for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons()) texts << b->text();
    dialog->reject();
  });
  ファイルを開く_Click(gw.g);
  EXPECT_EQ(filters, (QStringList{"ミルテン用ファイル", "全てのファイル"}));
  ASSERT_EQ(texts.size(), 5);
  for (const QString& text : texts) EXPECT_TRUE(Japanese(text)) << text.toStdString();
}

}  // namespace
}  // namespace numera
