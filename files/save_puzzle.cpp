#include "files/save_puzzle.h"

#include <QDir>

#include "core/wait.h"
#include "dialogs/chain.h"
#include "files/open_puzzle.h"
#include "files/puzzle_file.h"

namespace numera {

namespace {

constexpr int kCancel = -1;
constexpr int kSave = -2;

const Chain& BeforeSavingChain() {
  const QString ok = QStringLiteral("Ok");
  const QString mistake = QStringLiteral("まちがえた");
  const QString stop = QStringLiteral("やめとく");
  const QString reallyChose =
      QStringLiteral("つまりあなたは自ら望んで「保存する」を選んだのですね？");
  const QString notTooLate = QStringLiteral("今ならまだ間に合いますよ？");
  const QString reallySave = QStringLiteral("本当に保存するのですか？");
  static const Chain chain{
      {1, "あなたは「保存する」をクリックしました。", {ok}, {2}},
      {2,
       "近くの「設定」や「終了」などと間違えていませんか？",
       {mistake, "まちがえてない"},
       {7, 3}},
      {3, reallyChose, {"そうだ", "自らの意思ではない"}, {4, 4}},
      {4, "「保存する」のですか？", {"はい"}, {5}},
      {5, "本当に？", {"おうよ！", mistake}, {6, 7}},
      {6, "本当に間違えてクリックしたのではないのですね？", {"ちがう", mistake}, {8, 7}},
      {7, "気をつけてくださいね。", {ok}, {kCancel}},
      {8, "実は「ヘルプ」をクリックしようとしたとか。", {"いやいやいや", "実は…"}, {10, 9}},
      {9, "そうですか。", {"そうなのです"}, {kCancel}},
      {10, reallyChose, {"はい", "自らの意思でないが保存する"}, {11, 11}},
      {11, "本当に？", {"うん"}, {12}},
      {12, reallySave, {"してください", "しない"}, {13, kCancel}},
      {13, "後悔しませんか？", {"しません", "する…かも…"}, {15, 14}},
      {14, "　出　直　せ　", {ok}, {kCancel}},
      {15, notTooLate, {"保存", stop}, {16, kCancel}},
      {16, reallySave, {"もちろん", stop}, {17, kCancel}},
      {17, "分かりました。保存します。", {ok}, {18}},
      {18, notTooLate, {"ほ　ぞ　ん", stop}, {19, kCancel}},
      {19, "保存します。", {ok}, {20}},
      {20, "少しお待ち下さい。", {ok}, {kSave}},
  };
  return chain;
}

const Chain& AfterSavingLoop() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  static const Chain chain{
      {1,
       "もしかしたら何らかのバグや環境が原因で保存できていないかもしれません。念のため、もう一度保存しますか？",
       {yes, no},
       {2, 3}},
      {2, "保存されました。", {"Ok"}, {1}},
      {3, "本当に？", {yes, no}, {kCancel, 3}},
  };
  return chain;
}

// Writes the puzzle in play to path. A write that fails says so and is
// never followed by the messages that tell of a save.
void SaveTo(Game& g, const QString& path) {
  QString message;
  if (!WritePuzzleFile(path, PuzzleFromState(g.s), &message)) {
    ShowMessage(g, message, kTitle, 1, QStringLiteral("Ok"));
    return;
  }
  保存後メッセージ(g);
}

}  // namespace

bool 保存前メッセージ(Game& g) {
  if (g.s.NoRecord == 1) {
    ShowMessage(g, QStringLiteral("盤面が不完全ですが保存しますか？"), kTitle, 2,
                QStringLiteral("はい"), QStringLiteral("いいえ"));
    if (g.s.MsgResult == 1) return true;
  }
  if (g.s.MessageMode != message_mode::kPersistent) return false;
  if (BeforeSavingChain().Run(g, 1) == kCancel) return true;
  Wait(g, 1000);
  return false;
}

void 保存後メッセージ(Game& g) {
  switch (g.s.MessageMode) {
    case message_mode::kStandard:
    case message_mode::kRandomJokes:
      ShowMessage(g, QStringLiteral("保存されました。"), kTitle, 1, QStringLiteral("Ok"));
      break;
    case message_mode::kPersistent:
      AfterSavingLoop().Run(g, 1);
      break;
    default:
      break;
  }
}

void 上書き保存する_Click(Game& g) {
  if (保存前メッセージ(g)) return;
  if (g.s.Formain.Text1.isEmpty()) return;
  const std::optional<QString> path = CurrentPuzzlePath(g.s.Formain);
  if (!path) {
    // After a cancelled open dialog the status box holds no file to write
    // over; nothing is written anywhere.
    ShowMessage(
        g,
        QStringLiteral(
            "上書きするファイルがありません。「開く...」でファイルを選び直すか、「名前が付いて保存...」で保存してください。"),
        kTitle, 1, QStringLiteral("Ok"));
    return;
  }
  SaveTo(g, *path);
}

void 名前が付いて保存_Click(Game& g) {
  if (保存前メッセージ(g)) return;
  const QString path = QDir(g.s.AppPath)
                           .filePath(g.s.PuzzleName + QStringLiteral("-") +
                                     QString::number(g.s.Score) + QStringLiteral(".mlt"));
  SaveTo(g, path);
}

}  // namespace numera
