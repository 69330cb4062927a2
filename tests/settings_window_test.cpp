#include "settings/settings_window.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::TestGame;

// A game whose Data folder exists, so "OK" can save.
struct SettingsGame : TestGame {
  QTemporaryDir dir;
  SettingsGame() {
    QDir(dir.path()).mkdir(QStringLiteral("Data"));
    s.AppPath = dir.path();
  }
};

// Opens the window through the menu and drives it like a player would:
// `clicks` runs between the load step and "OK".
void OpenAndPressOk(TestGame& t, const std::function<void(SettingsWindowState&)>& clicks = {}) {
  t.win.on_settings = [&t, clicks] {
    SettingsWindowState w;
    Formain2_Load(t.g, w);
    if (clicks) clicks(w);
    Command1_Click(t.g, w);
    EXPECT_TRUE(w.Closed);
  };
  設定_Click(t.g);
}

// --- Opening chain ----------------------------------------------------------

TEST(SettingsOpening, OtherMessageModesOpenTheWindowAtOnce) {
  for (Integer mode : {0, 1, 3}) {
    TestGame t;
    t.s.MessageMode = mode;
    設定_Click(t.g);
    EXPECT_EQ(t.win.settings_opened, 1) << mode;
    EXPECT_TRUE(t.msgs.boxes.empty()) << mode;
  }
}

TEST(SettingsOpening, PersistentModeWaysThatLeaveTheWindowUnopened) {
  struct Way {
    QStringList presses;
    QStringList messages;
  };
  const std::vector<Way> ways{
      {{"いいえ"}, {"設定を変更しますか？"}},
      {{"はい", "うざかった"}, {"設定を変更しますか？", "しつこさを強調した設定はどうでしたか？"}},
      {{"はい", "しつこかった", "いいえ", "いいえ", "Ok"},
       {"設定を変更しますか？", "しつこさを強調した設定はどうでしたか？",
        "今の設定を変更してしまうのですか？", "設定は変更せずに設定内容を確認するのですか？",
        "引き続きお楽しみ下さい。"}},
  };
  for (const Way& way : ways) {
    TestGame t;
    t.s.MessageMode = 2;
    for (const QString& c : way.presses) t.msgs.Press(c);
    設定_Click(t.g);
    EXPECT_EQ(t.win.settings_opened, 0) << way.presses.join(",").toStdString();
    EXPECT_EQ(t.msgs.Messages(), way.messages);
    EXPECT_EQ(t.msgs.Pending(), 0u);
    for (const QString& title : t.msgs.Titles()) EXPECT_EQ(title, "ぬめら");
  }
}

TEST(SettingsOpening, PersistentModeWaysThatOpenTheWindowEndWithThanks) {
  struct Way {
    QStringList presses;
    QStringList messages;
  };
  const QString q1 = "設定を変更しますか？", q2 = "しつこさを強調した設定はどうでしたか？",
                q3 = "今の設定を変更してしまうのですか？",
                q3a = "設定は変更せずに設定内容を確認するのですか？",
                q4 = "再び「しつこい」を選んでいただけますか？",
                q4a = "気が向いたら選んでいただけますか？", q4b = "そんなこといわずに。",
                q5 = "ありがとうございます！";
  const std::vector<Way> ways{
      {{"はい", "しつこかった", "はい", "はい", "Ok"}, {q1, q2, q3, q4, q5}},
      {{"はい", "しつこかった", "いいえ", "はい", "はい", "Ok"}, {q1, q2, q3, q3a, q4, q5}},
      {{"はい", "しつこかった", "はい", "いいえ", "はい", "Ok"}, {q1, q2, q3, q4, q4a, q5}},
      {{"はい", "しつこかった", "いいえ", "はい", "いいえ", "いいえ", "わかった", "Ok"},
       {q1, q2, q3, q3a, q4, q4a, q4b, q5}},
  };
  for (const Way& way : ways) {
    TestGame t;
    t.s.MessageMode = 2;
    for (const QString& c : way.presses) t.msgs.Press(c);
    設定_Click(t.g);
    EXPECT_EQ(t.win.settings_opened, 1) << way.presses.join(",").toStdString();
    EXPECT_EQ(t.msgs.Messages(), way.messages);
    EXPECT_EQ(t.msgs.Pending(), 0u);
  }
}

// --- Load step ------------------------------------------------------------

TEST(SettingsLoad, ChecksTheStoredOptionsAndSwitches) {
  TestGame t;
  t.s.CrossKind = 3;
  t.s.BackgroundKind = 1;
  t.s.FontKind = 1;
  t.s.MessageMode = 3;
  t.s.SoundSwitch(0) = 1;
  t.s.SoundSwitch(1) = 0;
  t.s.SoundSwitch(2) = 2;  // only 1 means on
  t.s.SoundSwitch(3) = -1;
  t.s.SoundSwitch(4) = 1;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  EXPECT_EQ(w.Option1, 3);
  EXPECT_EQ(w.Option2, 1);
  EXPECT_EQ(w.Option3, 1);
  EXPECT_EQ(w.Option4, 3);
  EXPECT_EQ(w.Check1, (std::array<bool, 5>{true, false, false, false, true}));
  EXPECT_EQ(t.s.SettingsSeen, 0);
  // Loading applies nothing.
  EXPECT_EQ(t.s.Formain.BackColor, kDesignBackColor);
}

TEST(SettingsLoad, RainbowLabelTakesAFull24BitRandomColour) {
  TestGame t;
  t.rng.values = {0.5};
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  EXPECT_EQ(w.RainbowLabelColor, 0x800000);
  TestGame top;
  top.rng.values = {0.99999999999};
  Formain2_Load(top.g, w);
  EXPECT_EQ(w.RainbowLabelColor, 0xFFFFFF);
}

TEST(SettingsLoad, SettingsSeenRecordsPersistentModeAtOpening) {
  TestGame t;
  t.s.MessageMode = 2;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  EXPECT_EQ(t.s.SettingsSeen, 1);
  t.s.MessageMode = 0;
  Formain2_Load(t.g, w);
  EXPECT_EQ(t.s.SettingsSeen, 0);
}

TEST(SettingsLoad, OutOfRangeStoredValuesFallBackToTheFirstOption) {
  TestGame t;
  t.s.CrossKind = 5;
  t.s.BackgroundKind = -1;
  t.s.FontKind = 4;
  t.s.MessageMode = 300;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  EXPECT_EQ(w.Option1, 0);
  EXPECT_EQ(w.Option2, 0);
  EXPECT_EQ(w.Option3, 0);
  EXPECT_EQ(w.Option4, 0);
  // The variables follow what the window shows, so "OK" saves what is seen.
  EXPECT_EQ(t.s.CrossKind, 0);
  EXPECT_EQ(t.s.BackgroundKind, 0);
  EXPECT_EQ(t.s.FontKind, 0);
  EXPECT_EQ(t.s.MessageMode, 0);
  EXPECT_TRUE(t.msgs.boxes.empty());
}

// --- Font test ------------------------------------------------------------

TEST(SettingsFont, StoredVerticalFontWithoutJapaneseFontFallsBackOnOpening) {
  TestGame t;
  t.s.FontKind = 2;
  t.win.vertical_font = false;
  t.msgs.Press("Ok");
  t.win.on_settings = [&t] {
    SettingsWindowState w;
    Formain2_Load(t.g, w);
    EXPECT_EQ(w.Option3, 0);
  };
  設定_Click(t.g);
  ASSERT_EQ(t.msgs.boxes.size(), 1u);
  EXPECT_EQ(t.msgs.boxes[0].Message, "このフォントは使用できません。");
  EXPECT_EQ(t.msgs.boxes[0].Title, "ぬめら");
  EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});
  EXPECT_EQ(t.s.FontKind, 0);
  EXPECT_EQ(t.s.Formain.FontName, "ＭＳ ゴシック");
}

TEST(SettingsFont, ChoosingVerticalFontWithoutJapaneseFontFallsBack) {
  TestGame t;
  t.win.vertical_font = false;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  t.msgs.Press("Ok");
  Option3_Click(t.g, w, 2);
  EXPECT_EQ(t.msgs.Messages(), QStringList{"このフォントは使用できません。"});
  EXPECT_EQ(w.Option3, 0);
  EXPECT_EQ(t.s.FontKind, 0);
  EXPECT_EQ(t.s.Formain.FontName, "ＭＳ ゴシック");
}

TEST(SettingsFont, AvailableVerticalFontBecomesTheWindowFontWithoutABox) {
  TestGame t;
  t.win.vertical_font = true;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  Option3_Click(t.g, w, 2);
  EXPECT_TRUE(t.msgs.boxes.empty());
  EXPECT_EQ(w.Option3, 2);
  EXPECT_EQ(t.s.FontKind, 2);
  EXPECT_EQ(t.s.Formain.FontName, "@ＭＳ ゴシック");
  // The board font changes only with "OK".
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ ゴシック");
}

// --- Option clicks and "OK" ------------------------------------------------

TEST(SettingsOptions, ClicksStoreAtOnceButApplyOnlyWithOk) {
  SettingsGame t;
  SettingsWindowState w;
  Formain2_Load(t.g, w);
  Option1_Click(t.g, w, 4);
  Option2_Click(t.g, w, 1);
  Option3_Click(t.g, w, 1);
  Option4_Click(t.g, w, 3);
  EXPECT_EQ(t.s.CrossKind, 4);
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.FontKind, 1);
  EXPECT_EQ(t.s.MessageMode, 3);
  EXPECT_EQ(t.s.Formain.BackColor, kDesignBackColor);
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ ゴシック");
  Command1_Click(t.g, w);
  EXPECT_EQ(t.s.Formain.BackColor, 0x800080);
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ 明朝");
  EXPECT_TRUE(t.msgs.boxes.empty());  // no message outside しつこい
  EXPECT_GT(t.win.syncs, 0);          // the main window is shown the change
}

TEST(SettingsOk, AppliesEveryBackgroundKind) {
  const std::vector<std::pair<int, Colour>> expected{
      {0, 0x008000}, {1, 0x800080}, {2, 838608}, {3, 0x400000}};
  for (const auto& [kind, colour] : expected) {
    SettingsGame t;
    t.rng.values = {0.0, 0.5};  // the rainbow label, then the random background
    OpenAndPressOk(t, [&](SettingsWindowState& w) { Option2_Click(t.g, w, kind); });
    EXPECT_EQ(t.s.Formain.BackColor, colour) << kind;
  }
}

TEST(SettingsOk, AppliesEveryBoardFont) {
  const std::vector<QString> fonts{"ＭＳ ゴシック", "ＭＳ 明朝", "@ＭＳ ゴシック", "ＭＳ ゴシック"};
  for (int kind = 0; kind < 4; ++kind) {
    SettingsGame t;
    t.s.Formain.PimainFontName = "design";
    OpenAndPressOk(t, [&](SettingsWindowState& w) { Option3_Click(t.g, w, kind); });
    EXPECT_EQ(t.s.Formain.PimainFontName, fonts[static_cast<std::size_t>(kind)]) << kind;
  }
}

TEST(SettingsOk, SoundChecksSetSlotsZeroToNineAndKeepTheRest) {
  SettingsGame t;
  for (int i = 0; i <= 19; ++i) t.s.SoundSwitch(i) = 7;
  t.s.SoundSwitch(1) = 1;
  t.s.SoundSwitch(2) = 2;  // shown unchecked, saved as 0
  OpenAndPressOk(t, [&](SettingsWindowState& w) {
    EXPECT_EQ(w.Check1, (std::array<bool, 5>{false, true, false, false, false}));
    Check1_Click(w, 3, true);  // 移動 on, その他 stays off
  });
  const std::vector<int> moves{0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
  for (int i = 0; i <= 19; ++i) EXPECT_EQ(t.s.SoundSwitch(i), moves[i]) << i;

  SettingsGame other;
  other.s.SoundSwitch(3) = 1;
  OpenAndPressOk(other, [&](SettingsWindowState& w) {
    Check1_Click(w, 3, false);
    Check1_Click(w, 4, true);  // その他 on, 移動 off
  });
  const std::vector<int> others{0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i <= 19; ++i) EXPECT_EQ(other.s.SoundSwitch(i), others[i]) << i;
}

TEST(SettingsOk, RainbowGivesEveryCellANewColourRowByRow) {
  SettingsGame t;
  t.LoadWords(3, {"ねこ"});
  t.s.CellColor.Fill(-5);
  // The label colour first, then nine cells: row 0 left to right, row 1, ...
  t.rng.values = {0.0};
  for (int k = 1; k <= 9; ++k) t.rng.values.push_back(k / 10.0);
  OpenAndPressOk(t, [&](SettingsWindowState& w) { Option3_Click(t.g, w, 3); });
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int k = 1 + row * 3 + col;
      EXPECT_EQ(t.s.CellColor(col, row), static_cast<Colour>(k / 10.0 * 1677216)) << col << row;
    }
  }
  EXPECT_EQ(t.s.CellColor(3, 0), -5);  // outside the board: untouched
  EXPECT_EQ(t.s.CellColor(-1, -1), -5);
  EXPECT_EQ(t.rng.draws, 10);
}

TEST(SettingsOk, RainbowWithoutABoardDrawsNothing) {
  SettingsGame t;
  t.s.CellColor.Fill(-5);
  OpenAndPressOk(t, [&](SettingsWindowState& w) { Option3_Click(t.g, w, 3); });
  EXPECT_EQ(t.rng.draws, 1);  // the label colour only
  EXPECT_EQ(t.s.CellColor(0, 0), -5);
}

TEST(SettingsOk, RandomBackgroundIsNewOnEveryOkAndBelowTheLimit) {
  SettingsGame t;
  t.s.BackgroundKind = 2;
  std::vector<Colour> seen;
  for (double v : {0.0, 0.25, 0.999999999}) {
    t.rng.values = {0.0, v};
    OpenAndPressOk(t);
    seen.push_back(t.s.Formain.BackColor);
  }
  EXPECT_EQ(seen, (std::vector<Colour>{0, 419304, 1677215}));
}

// --- Welcome chain --------------------------------------------------------

const QStringList kWelcomeMiddle{
    "想像以上にしつこくないと評判なので安心してください。",
    "これをしつこいというと「しつこさ」を司る神様に怒られてしまいます。",
    "ですので、皆様このしつこい世界を存分にお楽しみ下さい。",
    "あ、いえ、そんなに言うほどしつこくはありませんのでご心配なさらずに。",
    "なお、このメッセージはこの世界にはじめて足を踏み入れた方にのみお伝えしています。",
    "というのは嘘で",
    "皆様には毎回このメッセージをお届けします。",
    "いえ、サービスですのでお気遣いなく。",
    "ではそろそろ始めましょう。",
    "ここで皆様にクイズです。",
    "１か２を選んでください。",
};
const QString kNewWelcome = "しつこい世界へようこそ。";
const QString kSeenWelcome =
    "引き続きしつこい世界へようこそ。例によって例のごとくメッセージをお伝えします。";

void PressNext(TestGame& t, int times) {
  for (int i = 0; i < times; ++i) t.msgs.Press("▼");
}

TEST(SettingsWelcome, SwitchingToPersistentWelcomesAndARightAnswerEndsIt) {
  SettingsGame t;
  t.rng.values = {0.0, 0.7};  // label colour; the right answer is "２"
  PressNext(t, 11);
  t.msgs.Press("２");
  PressNext(t, 2);
  OpenAndPressOk(t, [&](SettingsWindowState& w) { Option4_Click(t.g, w, 2); });
  QStringList expected{kNewWelcome};
  expected << kWelcomeMiddle << "おめでとうございます。"
           << "ではお楽しみ下さい。";
  EXPECT_EQ(t.msgs.Messages(), expected);
  EXPECT_EQ(t.msgs.boxes[11].Captions, (QStringList{"１", "２", "３"}));
  EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"▼"});
  for (const QString& title : t.msgs.Titles()) EXPECT_EQ(title, "ぬめら");
  EXPECT_EQ(t.msgs.Pending(), 0u);
}

TEST(SettingsWelcome, AWrongAnswerRunsTheWholeChainAgain) {
  SettingsGame t;
  t.s.MessageMode = 2;
  t.msgs.Press("はい");
  t.msgs.Press("しつこかった");
  t.msgs.Press("はい");
  t.msgs.Press("はい");
  t.msgs.Press("Ok");
  // Label colour; first quiz: right is "１" (0.3) but "２" is pressed; second
  // quiz: right is "２" (0.6) and "２" is pressed.
  t.rng.values = {0.0, 0.3, 0.6};
  PressNext(t, 11);
  t.msgs.Press("２");
  PressNext(t, 2);
  PressNext(t, 11);
  t.msgs.Press("２");
  PressNext(t, 2);
  OpenAndPressOk(t);
  QStringList expected = t.msgs.Messages().mid(0, 5);
  expected << kSeenWelcome << kWelcomeMiddle << "残念なことにはずれです。"
           << "さて、よくあるパターンですが、" << kSeenWelcome << kWelcomeMiddle
           << "おめでとうございます。"
           << "ではお楽しみ下さい。";
  EXPECT_EQ(t.msgs.Messages(), expected);
  EXPECT_EQ(t.msgs.Messages().at(4), "ありがとうございます！");
  EXPECT_EQ(t.msgs.Pending(), 0u);
}

TEST(SettingsWelcome, ThreeLeadsThroughFourFiveSixAndStartsAgain) {
  for (const QString& then : QStringList{"４", "５", "６"}) {
    SettingsGame t;
    t.rng.values = {0.0, 0.9, 0.1};  // label; the answers drawn after each quiz
    PressNext(t, 11);
    t.msgs.Press("３");
    t.msgs.Press(then);
    PressNext(t, 2);
    PressNext(t, 11);
    t.msgs.Press("１");
    PressNext(t, 2);
    OpenAndPressOk(t, [&](SettingsWindowState& w) { Option4_Click(t.g, w, 2); });
    QStringList expected{kNewWelcome};
    expected << kWelcomeMiddle << "１か２を選べっちゅーの。"
             << "もちろんのごとくはずれです。"
             << "上へ参ります。" << kNewWelcome << kWelcomeMiddle << "おめでとうございます。"
             << "ではお楽しみ下さい。";
    EXPECT_EQ(t.msgs.Messages(), expected);
    EXPECT_EQ(t.msgs.boxes[12].Captions, (QStringList{"４", "５", "６"}));
    EXPECT_EQ(t.msgs.Pending(), 0u);
  }
}

TEST(SettingsWelcome, TheAnswerIsDrawnAfterEachQuizBox) {
  SettingsGame t;
  t.rng.values = {0.0};
  t.rng.fallback = 0.0;  // the right answer is always "１"
  int drawsAtQuiz = -1;
  t.msgs.on_show = [&](const MessageBoxRequest& box) {
    if (box.Message == "１か２を選んでください。") drawsAtQuiz = t.rng.draws;
  };
  PressNext(t, 11);
  t.msgs.Press("１");
  PressNext(t, 2);
  OpenAndPressOk(t, [&](SettingsWindowState& w) { Option4_Click(t.g, w, 2); });
  EXPECT_EQ(drawsAtQuiz, 1);  // only the label colour so far
  EXPECT_EQ(t.rng.draws, 2);
}

}  // namespace
}  // namespace numera
