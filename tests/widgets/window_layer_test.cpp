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

TEST(WindowLayer, TheOpenDialogSpeaksJapaneseAndNamesItsFiltersAsWritten) {
  GameWindow gw;
  UseJapaneseQtTexts();
  QStringList filters, texts;
  QTimer::singleShot(0, [&] {
    // A failure here must still close whatever is open, or the test waits
    // for ever in the dialog.
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    EXPECT_NE(dialog, nullptr);
    if (!dialog) {
      if (modal) modal->close();
      return;
    }
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; i < types->count(); ++i) filters << types->itemText(i);
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
      texts << dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
    for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons()) texts << b->text();
    dialog->reject();
  });
  ファイルを開く_Click(gw.g);
  EXPECT_EQ(filters, (QStringList{"ミルテン用ファイル", "全てのファイル"}));
  ASSERT_EQ(texts.size(), 5);  // three labels, two buttons: each says something in Japanese
  EXPECT_EQ(texts.filter(QRegularExpression(QStringLiteral("[ぁ-ヿ一-鿿]"))), texts);
}

}  // namespace
}  // namespace numera
