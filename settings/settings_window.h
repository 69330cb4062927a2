// The settings window 詳細設定 (Formain2), as toolkit-free logic: the opening
// chain, the load step, the option clicks and "OK". The Qt window only shows
// SettingsWindowState and forwards clicks here; after every forwarded click
// it copies the state back onto its controls, because a click can check a
// different option than the one pressed (the font fallback).
#pragma once

#include <array>

#include "core/platform.h"
#include "dialogs/chain.h"

namespace numera {

// What the window shows. An option group's value is the index of its checked
// button, or -1 while none is checked (the window's design state).
struct SettingsWindowState {
  int Option1 = -1;              // ばつの種類, 0..4
  int Option2 = -1;              // 背景色, 0..3
  int Option3 = -1;              // フォント, 0..3
  int Option4 = -1;              // メッセージ, 0..3
  std::array<bool, 5> Check1{};  // 音: メッセージ, 選択時, クリア, 移動, その他
  Colour RainbowLabelColor = colour::kBlack;  // the label of "レインボー"
  bool Loaded = false;
  bool Closed = false;  // set by "OK": the window is to be unloaded
};

inline constexpr int kCrossOptions = 5;
inline constexpr int kBackgroundOptions = 4;
inline constexpr int kFontOptions = 4;
inline constexpr int kMessageOptions = 4;
inline constexpr int kSoundChecks = 5;

// The rainbow label's colour covers the full 24-bit range, unlike every other
// random colour of the game.
inline constexpr double kRainbowLabelRange = 16777216.0;

// The joke chain in front of the window under MessageMode 2.
inline constexpr int kSettingsStayClosed = -1;
inline constexpr int kSettingsOpen = -2;
const Chain& SettingsOpeningChain();

// The welcome chain after "OK" under MessageMode 2. The quiz box (step 12)
// leaves the chain with the pressed button; only then is the right answer
// drawn, and WelcomeChain goes on from the matching step.
inline constexpr int kWelcomeSeenStep = 1;   // first box when SettingsSeen = 1
inline constexpr int kWelcomeNewStep = 101;  // first box otherwise
inline constexpr int kWelcomeQuizStep = 12;
inline constexpr int kWelcomeRightStep = 20;
inline constexpr int kWelcomeWrongStep = 30;
inline constexpr int kWelcomeThreeStep = 40;
inline constexpr int kWelcomePressed1 = -11;  // "１"; "２" is -12, "３" -13
inline constexpr int kWelcomeAgain = -2;      // a wrong answer: from the top
inline constexpr int kWelcomeDone = -3;
const Chain& SettingsWelcomeChain();
// Runs the whole welcome chain, quiz and repeats included, until a right
// answer.
void WelcomeChain(Game& g);

// The load step: checks each group's option from its variable (running that
// option's click, as checking from code does), the font test with FontKind 2,
// the rainbow label's colour, SettingsSeen and the sound check boxes. A
// stored value with no option button checks index 0 instead.
void Formain2_Load(Game& g, SettingsWindowState& w);

// Option clicks store their index at once; nothing is applied before "OK".
void Option1_Click(Game& g, SettingsWindowState& w, int index);
void Option2_Click(Game& g, SettingsWindowState& w, int index);
void Option3_Click(Game& g, SettingsWindowState& w, int index);  // font test at 2
void Option4_Click(Game& g, SettingsWindowState& w, int index);
void Check1_Click(SettingsWindowState& w, int index, bool checked);

// "OK": applies background, board font, sounds and rainbow colours, writes
// Data.dat, runs the welcome chain under MessageMode 2 and marks the window
// closed.
void Command1_Click(Game& g, SettingsWindowState& w);

// Menu "設定": the opening chain, then the window itself (modal).
void 設定_Click(Game& g);

}  // namespace numera
