// The settings window as a real dialog, built offscreen: its controls stand
// where the design puts them and show what the settings logic holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/formain2_dialog.h"
#include "tests/widgets/game_window.h"

namespace numera {
namespace {

using testing::TestGame;

QColor TextColour(const QWidget* w) {
  return w->palette().color(QPalette::WindowText);
}

class SettingsDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureApp();
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    t.s.AppPath = dir.path();
  }
  QTemporaryDir dir;
  TestGame t;
};

TEST_F(SettingsDialog, HasTheDesignSizeTitleAndFrames) {
  Formain2 w(t.g, nullptr);
  EXPECT_EQ(w.windowTitle(), "詳細設定");
  EXPECT_EQ(w.size(), QSize(372, 276));
  const QStringList captions{"ばつの種類", "背景色", "フォント", "メッセージ", "音"};
  const QRect rects[5] = {{8, 8, 81, 137},
                          {8, 152, 81, 113},
                          {96, 8, 145, 113},
                          {248, 152, 121, 113},
                          {248, 8, 121, 137}};
  for (int f = 0; f < 5; ++f) {
    EXPECT_EQ(w.frame(f)->title(), captions[f]);
    EXPECT_EQ(w.frame(f)->geometry(), rects[f]) << f;
    EXPECT_EQ(w.frame(f)->parentWidget(), &w);
  }
  EXPECT_EQ(w.okButton()->text(), "OK");
  EXPECT_EQ(w.okButton()->geometry(), QRect(128, 224, 97, 25));
  EXPECT_EQ(w.font().family(), "ＭＳ ゴシック");
  EXPECT_EQ(w.font().pointSizeF(), 9.0);
}

TEST_F(SettingsDialog, OptionsAndLabelsStandInRowsInsideTheirFrames) {
  Formain2 w(t.g, nullptr);
  const std::vector<QStringList> labels{
      {"×", "■", "なし", "偽物", ""},
      {"青", "紫", "適当", "夜空"},
      {"ＭＳ ゴシック", "ＭＳ 明朝", "@ＭＳゴシック", "レインボー"},
      {"標準", "なし", "しつこい", "もふり"},
  };
  for (int g = 0; g < 4; ++g) {
    for (int i = 0; i < labels[g].size(); ++i) {
      QRadioButton* b = w.option(g, i);
      EXPECT_EQ(b->parentWidget(), w.frame(g));
      EXPECT_EQ(b->geometry(), QRect(8, 16 + 24 * i, 17, 17)) << g << i;
      EXPECT_TRUE(b->text().isEmpty());
      QLabel* l = w.optionLabel(g, i);
      EXPECT_EQ(l->parentWidget(), w.frame(g));
      EXPECT_EQ(l->text(), labels[g][i]) << g << i;
      EXPECT_EQ(l->geometry().topLeft(), QPoint(32, 16 + 24 * i)) << g << i;
      EXPECT_EQ(l->height(), 17);
    }
  }
  EXPECT_THROW(w.option(0, 5), std::out_of_range);
  EXPECT_THROW(w.option(1, 4), std::out_of_range);
  const QStringList sounds{"メッセージ", "選択時", "クリア", "移動", "その他"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(w.check(i)->parentWidget(), w.frame(4));
    EXPECT_EQ(w.check(i)->geometry(), QRect(8, 16 + 24 * i, 17, 17)) << i;
    EXPECT_EQ(w.checkLabel(i)->text(), sounds[i]);
    EXPECT_EQ(w.checkLabel(i)->geometry().topLeft(), QPoint(32, 16 + 24 * i));
  }
}

TEST_F(SettingsDialog, LabelColoursIncludeTheRandomRainbow) {
  t.rng.values = {0.5};  // Int(0.5 * 16777216) = 800000: dark blue
  Formain2 w(t.g, nullptr);
  EXPECT_EQ(TextColour(w.optionLabel(0, 0)), QColor(255, 0, 0));  // "×"
  EXPECT_EQ(TextColour(w.optionLabel(1, 0)), QColor(0, 128, 0));  // "青"
  EXPECT_EQ(TextColour(w.optionLabel(1, 1)), QColor(128, 0, 128));
  EXPECT_EQ(TextColour(w.optionLabel(1, 3)), QColor(0, 0, 128));  // "夜空"
  EXPECT_EQ(TextColour(w.rainbowLabel()), QColor(0, 0, 128));

  TestGame other;
  other.rng.values = {0x0000FF / 16777216.0 + 1e-12};
  Formain2 red(other.g, nullptr);
  EXPECT_EQ(TextColour(red.rainbowLabel()), QColor(255, 0, 0));
}

TEST_F(SettingsDialog, ShowsTheStoredSettings) {
  t.s.CrossKind = 2;
  t.s.BackgroundKind = 3;
  t.s.FontKind = 1;
  t.s.MessageMode = 3;
  t.s.SoundSwitch(1) = 1;
  t.s.SoundSwitch(2) = 2;
  Formain2 w(t.g, nullptr);
  const int expected[4] = {2, 3, 1, 3};
  const int counts[4] = {5, 4, 4, 4};
  for (int g = 0; g < 4; ++g) {
    for (int i = 0; i < counts[g]; ++i) {
      EXPECT_EQ(w.option(g, i)->isChecked(), i == expected[g]) << g << i;
    }
  }
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.check(i)->isChecked(), i == 1) << i;
}

TEST_F(SettingsDialog, MissingVerticalFontChecksTheFirstFontAgain) {
  t.win.vertical_font = false;
  Formain2 w(t.g, nullptr);
  t.msgs.Press("Ok");
  w.option(2, 2)->click();
  EXPECT_EQ(t.msgs.Messages(), QStringList{"このフォントは使用できません。"});
  EXPECT_TRUE(w.option(2, 0)->isChecked());
  EXPECT_FALSE(w.option(2, 2)->isChecked());
  EXPECT_EQ(t.s.FontKind, 0);
}

TEST_F(SettingsDialog, ClicksReachTheSettingsAndOkAppliesSavesAndCloses) {
  Formain2 w(t.g, nullptr);
  w.option(0, 4)->click();
  w.option(1, 1)->click();
  w.check(3)->click();
  EXPECT_EQ(t.s.CrossKind, 4);
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.SoundSwitch(3), 0);  // check boxes count only at "OK"
  w.okButton()->click();
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(t.s.Formain.BackColor, 0x800080);
  EXPECT_EQ(t.s.SoundSwitch(5), 1);
  QFile file(dir.path() + "/Data/Data.dat");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().left(4), QByteArray::fromHex("04000100"));
}

TEST_F(SettingsDialog, ClosingWithoutOkKeepsClickedOptionsUnappliedAndUnsaved) {
  Formain2 w(t.g, nullptr);
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
