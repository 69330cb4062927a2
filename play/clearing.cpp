#include "play/clearing.h"

#include "core/sound.h"
#include "core/wait.h"
#include "dialogs/chain.h"
#include "play/word_labels.h"

namespace numera {

namespace {

constexpr int kClear = -1;
constexpr int kKeep = -2;
constexpr int kPauseThenStep5 = -3;
constexpr int kPauseThenStep6 = -4;

// The persistent setting's ten boxes. Two exits stand for the pauses after
// the fourth and the fifth box, after which the chain goes on.
const Chain& ClearingChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  static const Chain chain{
      {1, "クリアしてもよろしいですか？", {yes, no}, {2, kKeep}},
      {2,
       "この場合のクリアとは「ステージクリア」などの用法とは違いますがよろしいですか？",
       {yes, no},
       {3, kKeep}},
      {3,
       "この場合のクリアとは「初期状態に戻す」の意味合いですが、よろしいですか？",
       {yes, no},
       {4, kKeep}},
      {4, "クリアします。", {yes, no}, {kPauseThenStep5, kKeep}},
      {5, "本当にクリアしてもよろしいですか？", {yes, no}, {kPauseThenStep6, kKeep}},
      {6, "今ならまだ間に合いますよ？", {yes, no}, {7, kKeep}},
      {7, "一度クリアしたものはもう二度と元には戻りません。", {yes, no}, {8, kKeep}},
      {8, "本当によろしいですか？", {yes, no}, {9, kKeep}},
      {9, "でも", {yes, no}, {10, kKeep}},
      {10, "本当にクリアします。", {yes, no}, {kClear, kKeep}},
  };
  return chain;
}

bool RunClearingChain(Game& g) {
  const Chain& chain = ClearingChain();
  int exit = chain.Run(g, 1);
  if (exit == kPauseThenStep5) {
    Wait(g, 800);
    exit = chain.Run(g, 5);
  }
  if (exit == kPauseThenStep6) {
    Wait(g, 600);
    exit = chain.Run(g, 6);
  }
  return exit == kClear;
}

bool ConfirmClear(Game& g) {
  switch (g.s.MessageMode) {
    case message_mode::kStandard:
    case message_mode::kRandomJokes:
      ShowMessage(g, QStringLiteral("クリアしますか？"), kTitle, 2, QStringLiteral("はい"),
                  QStringLiteral("いいえ"));
      return g.s.MsgResult == 0;
    case message_mode::kPersistent:
      return RunClearingChain(g);
    default:
      return true;
  }
}

}  // namespace

void Coc_Click(Game& g) {
  GameState& s = g.s;
  g.p.Win.FocusBoard();
  if (!ConfirmClear(g)) return;
  PlaySlot(g, sound_slot::kClearing);
  const int n = s.BoardSize;
  for (int x = 0; x <= n - 1; ++x)
    for (int y = 0; y <= n - 1; ++y) s.Board(x, y).clear();
  for (int i = 1; i <= s.WordCount; ++i) {
    s.WordUsed(i) = 0;
    SetWordColour(s, i, colour::kBlack);
  }
  s.SelectedIndex = 0;
  s.PlacedCount = 0;
  s.Score = 0;
  s.NoRecord = 0;
  // The empty board is painted by the next redraw of the main loop.
}

}  // namespace numera
