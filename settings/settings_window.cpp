#include "settings/settings_window.h"

#include <cmath>

#include "core/appearance.h"
#include "core/settings_file.h"

namespace numera {

namespace {

const QString kYes = QStringLiteral("はい");
const QString kNo = QStringLiteral("いいえ");
const QString kNext = QStringLiteral("▼");
const QString kOk = QStringLiteral("Ok");

// Index of the option to check for a stored value: the value itself when a
// button carries it, else the first button (a damaged Data.dat).
int OptionFor(Integer value, int count) {
  return value >= 0 && value < count ? value : 0;
}

Integer ClampIndex(int index, int count) {
  return static_cast<Integer>(OptionFor(static_cast<Integer>(index), count));
}

// The vertical board font is tried on the main window itself. Where it cannot
// be used the player is told, and the font choice falls back to the first
// option (which, like any option checked from code, runs its click).
void FontTest(Game& g, SettingsWindowState& w) {
  if (g.p.Win.VerticalFontAvailable()) {
    g.s.Formain.FontName = QStringLiteral("@ＭＳ ゴシック");
    return;
  }
  ShowMessage(g, QStringLiteral("このフォントは使用できません。"), kTitle, 1, kOk);
  g.s.FontKind = 0;
  Option3_Click(g, w, 0);
}

}  // namespace

const Chain& SettingsOpeningChain() {
  static const Chain chain{
      {1, "設定を変更しますか？", {kYes, kNo}, {2, kSettingsStayClosed}},
      {2,
       "しつこさを強調した設定はどうでしたか？",
       {"しつこかった", "うざかった"},
       {3, kSettingsStayClosed}},
      {3, "今の設定を変更してしまうのですか？", {kYes, kNo}, {4, 31}},
      {31, "設定は変更せずに設定内容を確認するのですか？", {kYes, kNo}, {4, 32}},
      {32, "引き続きお楽しみ下さい。", {kOk}, {kSettingsStayClosed}},
      {4, "再び「しつこい」を選んでいただけますか？", {kYes, kNo}, {5, 41}},
      {41, "気が向いたら選んでいただけますか？", {kYes, kNo}, {5, 42}},
      {42, "そんなこといわずに。", {"わかった"}, {5}},
      {5, "ありがとうございます！", {kOk}, {kSettingsOpen}},
  };
  return chain;
}

const Chain& SettingsWelcomeChain() {
  static const Chain chain{
      {kWelcomeSeenStep,
       "引き続きしつこい世界へようこそ。例によって例のごとくメッセージをお伝えします。",
       {kNext},
       {2}},
      {kWelcomeNewStep, "しつこい世界へようこそ。", {kNext}, {2}},
      {2, "想像以上にしつこくないと評判なので安心してください。", {kNext}, {3}},
      {3, "これをしつこいというと「しつこさ」を司る神様に怒られてしまいます。", {kNext}, {4}},
      {4, "ですので、皆様このしつこい世界を存分にお楽しみ下さい。", {kNext}, {5}},
      {5, "あ、いえ、そんなに言うほどしつこくはありませんのでご心配なさらずに。", {kNext}, {6}},
      {6,
       "なお、このメッセージはこの世界にはじめて足を踏み入れた方にのみお伝えしています。",
       {kNext},
       {7}},
      {7, "というのは嘘で", {kNext}, {8}},
      {8, "皆様には毎回このメッセージをお届けします。", {kNext}, {9}},
      {9, "いえ、サービスですのでお気遣いなく。", {kNext}, {10}},
      {10, "ではそろそろ始めましょう。", {kNext}, {11}},
      {11, "ここで皆様にクイズです。", {kNext}, {kWelcomeQuizStep}},
      {kWelcomeQuizStep,
       "１か２を選んでください。",
       {"１", "２", "３"},
       {kWelcomePressed1, kWelcomePressed1 - 1, kWelcomePressed1 - 2}},
      {kWelcomeRightStep, "おめでとうございます。", {kNext}, {kWelcomeRightStep + 1}},
      {kWelcomeRightStep + 1, "ではお楽しみ下さい。", {kNext}, {kWelcomeDone}},
      {kWelcomeWrongStep, "残念なことにはずれです。", {kNext}, {kWelcomeWrongStep + 1}},
      {kWelcomeWrongStep + 1, "さて、よくあるパターンですが、", {kNext}, {kWelcomeAgain}},
      {kWelcomeThreeStep,
       "１か２を選べっちゅーの。",
       {"４", "５", "６"},
       {kWelcomeThreeStep + 1, kWelcomeThreeStep + 1, kWelcomeThreeStep + 1}},
      {kWelcomeThreeStep + 1, "もちろんのごとくはずれです。", {kNext}, {kWelcomeThreeStep + 2}},
      {kWelcomeThreeStep + 2, "上へ参ります。", {kNext}, {kWelcomeAgain}},
  };
  return chain;
}

void WelcomeChain(Game& g) {
  const Chain& chain = SettingsWelcomeChain();
  for (;;) {
    const int first = g.s.SettingsSeen == 1 ? kWelcomeSeenStep : kWelcomeNewStep;
    const int pressed = kWelcomePressed1 - chain.Run(g, first);  // 0, 1 or 2
    // The right answer is drawn only after the box has closed, anew each time.
    const int right = static_cast<int>(std::floor(g.p.Rng.Rnd() * 2));
    int next = kWelcomeThreeStep;
    if (pressed == right) {
      next = kWelcomeRightStep;
    } else if (pressed == 1 - right) {
      next = kWelcomeWrongStep;
    }
    if (chain.Run(g, next) == kWelcomeDone) return;
  }
}

void Option1_Click(Game& g, SettingsWindowState& w, int index) {
  w.Option1 = ClampIndex(index, kCrossOptions);
  g.s.CrossKind = static_cast<Integer>(w.Option1);
}

void Option2_Click(Game& g, SettingsWindowState& w, int index) {
  w.Option2 = ClampIndex(index, kBackgroundOptions);
  g.s.BackgroundKind = static_cast<Integer>(w.Option2);
}

void Option3_Click(Game& g, SettingsWindowState& w, int index) {
  w.Option3 = ClampIndex(index, kFontOptions);
  g.s.FontKind = static_cast<Integer>(w.Option3);
  if (w.Option3 == font_kind::kVerticalGothic) FontTest(g, w);
}

void Option4_Click(Game& g, SettingsWindowState& w, int index) {
  w.Option4 = ClampIndex(index, kMessageOptions);
  g.s.MessageMode = static_cast<Integer>(w.Option4);
}

void Check1_Click(SettingsWindowState& w, int index, bool checked) {
  if (index >= 0 && index < kSoundChecks) w.Check1[static_cast<std::size_t>(index)] = checked;
}

void Formain2_Load(Game& g, SettingsWindowState& w) {
  GameState& s = g.s;
  w = SettingsWindowState{};
  Option1_Click(g, w, OptionFor(s.CrossKind, kCrossOptions));
  Option2_Click(g, w, OptionFor(s.BackgroundKind, kBackgroundOptions));
  Option3_Click(g, w, OptionFor(s.FontKind, kFontOptions));
  Option4_Click(g, w, OptionFor(s.MessageMode, kMessageOptions));
  w.RainbowLabelColor = static_cast<Colour>(std::floor(g.p.Rng.Rnd() * kRainbowLabelRange));
  s.SettingsSeen = s.MessageMode == message_mode::kPersistent ? 1 : 0;
  for (int i = 0; i < kSoundChecks; ++i) Check1_Click(w, i, s.SoundSwitch(i) == 1);
  w.Loaded = true;
}

void Command1_Click(Game& g, SettingsWindowState& w) {
  GameState& s = g.s;
  ApplyBackgroundKind(g);
  ApplyFontKind(s);

  for (int i = 0; i < kSoundChecks; ++i) {
    s.SoundSwitch(i) = w.Check1[static_cast<std::size_t>(i)] ? 1 : 0;
  }
  s.SoundSwitch(sound_slot::kRefusedShift) = s.SoundSwitch(sound_slot::kShift);
  for (int i = 6; i <= 9; ++i) s.SoundSwitch(i) = s.SoundSwitch(4);

  if (s.FontKind == font_kind::kRainbow) {
    for (int row = 0; row <= s.BoardSize - 1; ++row) {
      for (int column = 0; column <= s.BoardSize - 1; ++column) {
        s.CellColor(column, row) = RandomColour(g.p.Rng);
      }
    }
  }

  // The board picture is painted whole at every redraw, so clearing it means
  // letting the main window show the new background and font now; the board
  // follows at the next redraw (every message box starts with one).
  g.p.Win.SyncMainWindow();

  // A file that cannot be written costs only the saving: the settings are
  // already in effect and stay so until the program ends.
  QString error;
  if (!WriteDataDat(s, &error)) ShowMessage(g, error, kTitle, 1, kOk);

  if (s.MessageMode == message_mode::kPersistent) WelcomeChain(g);
  w.Closed = true;
}

void 設定_Click(Game& g) {
  if (g.s.MessageMode == message_mode::kPersistent &&
      SettingsOpeningChain().Run(g, 1) != kSettingsOpen)
    return;
  g.p.Win.ShowSettingsWindow();
}

}  // namespace numera
