// The settings window as a real dialog, built offscreen: its controls stand
// where the design puts them and show what the settings logic holds.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/settings_dialog.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::TestGame;

class SettingsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApp();
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    t.s.AppPath = dir.path();
  }
  QTemporaryDir dir;
  TestGame t;
};

// At zoom 1 the design (twips / 15); zoomed, every place and size grows.
TEST_F(SettingsWindow, FramesOptionsAndLabelsStandAtTheirDesignPlacesTimesTheZoom) {
  const struct {
    const char* caption;
    QRect rect;
    QStringList labels;
  } frames[] = {
      {"ばつの種類", {8, 8, 81, 137}, {"×", "■", "なし", "偽物", ""}},
      {"背景色", {8, 152, 81, 113}, {"青", "紫", "適当", "夜空"}},
      {"フォント",
       {96, 8, 145, 113},
       {"ＭＳ ゴシック", "ＭＳ 明朝", "@ＭＳゴシック", "レインボー"}},
      {"メッセージ", {248, 152, 121, 113}, {"標準", "なし", "しつこい", "もふり"}},
      {"音", {248, 8, 121, 137}, {"メッセージ", "選択時", "クリア", "移動", "その他"}},
  };
  for (const int z : {1, 2}) {
    SettingsDialog w(t.g, nullptr, z);
    EXPECT_EQ(w.windowTitle(), "詳細設定");
    EXPECT_EQ(w.size(), QSize(372, 276) * z);
    EXPECT_EQ(w.okButton()->text(), "OK");
    EXPECT_EQ(w.okButton()->geometry(), QRect(128 * z, 224 * z, 97 * z, 25 * z));
    EXPECT_EQ(w.font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(w.font().pointSizeF(), 9.0 * z);
    for (int f = 0; f < 5; ++f) {
      const QRect& r = frames[f].rect;
      EXPECT_EQ(w.frame(f)->title(), frames[f].caption);
      EXPECT_EQ(w.frame(f)->geometry(), QRect(r.topLeft() * z, r.size() * z));
      for (int i = 0; i < frames[f].labels.size(); ++i) {
        QAbstractButton* b = f < 4 ? static_cast<QAbstractButton*>(w.option(f, i)) : w.check(i);
        QLabel* l = f < 4 ? w.optionLabel(f, i) : w.checkLabel(i);
        EXPECT_EQ(b->parentWidget(), w.frame(f));
        EXPECT_EQ(b->geometry(), QRect(8 * z, (16 + 24 * i) * z, 17 * z, 17 * z)) << f << i;
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_EQ(l->parentWidget(), w.frame(f));
        EXPECT_EQ(l->text(), frames[f].labels[i]) << f << i;
        EXPECT_EQ(l->geometry().topLeft(), QPoint(32, 16 + 24 * i) * z) << f << i;
        EXPECT_EQ(l->height(), 17 * z);
        EXPECT_EQ(l->font().pointSizeF(), 9.0 * z);
      }
    }
    EXPECT_THROW(w.option(0, 5), std::out_of_range);
    EXPECT_THROW(w.option(1, 4), std::out_of_range);
  }
}

TEST_F(SettingsWindow, ShowsTheStoredSettingsAndItsLabelColoursWithARandomRainbow) {
  t.s.CrossKind = 2;
  t.s.BackgroundKind = 3;
  t.s.FontKind = 1;
  t.s.MessageMode = 3;
  t.s.SoundSwitch(1) = 1;
  t.s.SoundSwitch(2) = 2;                          // only exactly 1 is on
  t.rng.values = {0x0000FF / 16777216.0 + 1e-12};  // the rainbow: red
  SettingsDialog w(t.g, nullptr);
  const int checked[4] = {2, 3, 1, 3}, counts[4] = {5, 4, 4, 4};
  for (int g = 0; g < 4; ++g)
    for (int i = 0; i < counts[g]; ++i)
      EXPECT_EQ(w.option(g, i)->isChecked(), i == checked[g]) << g << i;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.check(i)->isChecked(), i == 1) << i;
  const std::pair<QLabel*, QColor> colours[] = {
      {w.optionLabel(0, 0), {255, 0, 0}},   {w.optionLabel(1, 0), {0, 128, 0}},
      {w.optionLabel(1, 1), {128, 0, 128}}, {w.optionLabel(1, 3), {0, 0, 128}},
      {w.rainbowLabel(), {255, 0, 0}},
  };
  for (const auto& [label, colour] : colours)
    EXPECT_EQ(label->palette().color(QPalette::WindowText), colour) << label->text().toStdString();
}

TEST_F(SettingsWindow, MissingVerticalFontChecksTheFirstFontAgain) {
  t.win.vertical_font = false;
  SettingsDialog w(t.g, nullptr);
  t.msgs.Press("Ok");
  w.option(2, 2)->click();
  EXPECT_EQ(t.msgs.Messages(), QStringList{"このフォントは使用できません。"});
  EXPECT_TRUE(w.option(2, 0)->isChecked());
  EXPECT_FALSE(w.option(2, 2)->isChecked());
  EXPECT_EQ(t.s.FontKind, 0);
}

TEST_F(SettingsWindow, ClicksReachTheSettingsAndOkAppliesSavesAndCloses) {
  SettingsDialog w(t.g, nullptr);
  w.option(0, 4)->click();
  w.option(1, 1)->click();
  w.check(0)->click();
  w.check(3)->click();
  EXPECT_EQ(t.s.CrossKind, 4);
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.SoundSwitch(3), 0);  // check boxes count only at "OK"
  w.okButton()->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(t.s.Formain.BackColor, 0x800080);
  EXPECT_EQ(t.s.SoundSwitch(0) + t.s.SoundSwitch(5), 2);
  QFile file(dir.path() + "/Data/Data.dat");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().left(4), QByteArray::fromHex("04000100"));
}

TEST_F(SettingsWindow, ClosingWithoutOkKeepsClickedOptionsUnappliedAndUnsaved) {
  SettingsDialog w(t.g, nullptr);
  w.option(1, 1)->click();
  w.check(0)->click();
  w.reject();
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.Formain.BackColor, kDesignBackColor);
  EXPECT_EQ(t.s.SoundSwitch(0), 0);
  EXPECT_FALSE(QFile::exists(dir.path() + "/Data/Data.dat"));
}

}  // namespace
}  // namespace numera
