#include "app/startup.h"

#include "core/appearance.h"
#include "core/regular_file.h"
#include "core/settings_file.h"

namespace numera {

void ResetGameState(GameState& s) {
  s.PlacedCount = 0;
  s.Score = 0;
  for (int i = 1; i <= 90; ++i) {
    s.WordUsed(i) = 0;
    s.WordX(i) = 0;
    s.WordY(i) = 0;
    s.WordDir(i) = 0;
    s.Words(i).clear();
    s.WordPoints(i) = 0;
  }
  s.Board.Fill(QString());
  s.CountSuffix = kIdeographicSpace;
  s.ScoreSuffix = kIdeographicSpace;
  s.CrossKind = 0;
  s.BackgroundKind = 0;
  s.FontKind = 0;
  s.MessageMode = message_mode::kStandard;
  s.SelectedIndex = 0;
  s.Formain.MenusEnabled = false;
}

const Chain& StartupChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  static const Chain chain{
      {1, "ミルテん゛を開きますか？", {yes, no}, {2, 2}},
      {2, "間違えました。ぬめらを開きますか？", {yes, no}, {12, 3}},
      {3, "では閉じてもいいですか？", {yes, no}, {4, 11}},
      {4, "本当に閉じますか？", {yes}, {5}},
      {5, "本当に？", {yes, no}, {6, 11}},
      {6, "後悔しませんか？", {"しない", "するかも"}, {7, 11}},
      {7, "では閉じます。", {"Ok", "否"}, {8, 11}},
      {8, "また機会があればお会いしましょう。", {"わかった"}, {9}},
      {9, "絶対ですよ？", {"了解"}, {10}},
      {10, "絶対に絶対ですよ？", {"了解", "断る"}, {kStartupQuit, 20}},
      {11, "どうしますか？", {"開く", "閉じる", "ホント勘弁してください"}, {12, 4, 20}},
      {12, "使用上のご注意を説明します。", {yes, no}, {13, 11}},
      {13,
       "他人に迷惑をかけない程度にはっちゃけつつも節度を守り良心に則り楽しみましょう。",
       {yes, no},
       {15, 14}},
      {14, "後で私のデスクに来なさい。", {no}, {11}},
      {15, "部屋は明るいですか？", {"明るい", "暗い"}, {17, 16}},
      {16, "明るくしましたか？", {"した", "まだ"}, {17, 16}},
      {17, "ではぬめらを開きます。", {"いいよ", "いやだ"}, {18, 3}},
      {18, "注意事項は守れそうですか？", {"まかせて", "ゴメン無理だと思う"}, {19, 20}},
      {19,
       "なおぬめらを使用した上で何か不都合があってもこっちは知らんよ。",
       {"ばっちこーい", "保障してくれなきゃ困る。"},
       {21, 20}},
      {20, "くへっ。", {"くへっ。"}, {11}},
      {21, "そろそろぬめらを開きましょう。", {"はいよ", "もういいよ"}, {22, 11}},
      {22, "健闘をお祈りいたします。", {"Ok"}, {23}},
      {23, "本当に注意事項は守れそうですか？", {yes, no}, {kStartupContinue, 3}},
  };
  return chain;
}

namespace {

// Shows what reading the Data folder had to say, one box a problem; ends the
// program when start-up cannot go on.
void Report(Game& g, QStringList* messages, bool goOn) {
  for (const QString& message : *messages) ShowMessage(g, message, kTitle, 1, QStringLiteral("Ok"));
  messages->clear();
  if (!goOn) g.p.Win.EndProgram(1);
}

}  // namespace

void Main(Game& g) {
  GameState& s = g.s;
  g.p.Rng.Randomize();
  ResetGameState(s);
  QStringList messages;
  Report(g, &messages, ReadDataDat(s, &messages));
  ApplyBackgroundKind(g);
  ApplyFontKind(s);
  Report(g, &messages, LoadSounds(s, &messages));
  // What a save killed half-way left behind in the game's own folders.
  RemoveStaleTemporaryFiles(s.AppPath);
  RemoveStaleTemporaryFiles(DataFolder(s));
  if (s.MessageMode == message_mode::kPersistent && StartupChain().Run(g, 1) == kStartupQuit)
    g.p.Win.EndProgram(0);
  g.p.Win.ShowMainWindow();
}

}  // namespace numera
