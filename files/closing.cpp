#include "files/closing.h"

#include "dialogs/chain.h"

namespace numera {

namespace {

constexpr int kEnd = -1;   // the program ends
constexpr int kStay = -2;  // the close is cancelled

// The persistent goodbye. Steps 2 to 5 run twice: the second round (ids 7x)
// leads on to step 8 instead of step 6. Only step 1 carries the title
// "ぬめらん", also when a loop comes back to it.
const Chain& ClosingChain() {
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  const QString close = QStringLiteral("ぬめらを閉じますか？");
  const QString go_on = QStringLiteral("ぬめらを続けますか？");
  const QString lately = QStringLiteral("ところで最近どうですか？");
  const QString score =
      QStringLiteral("言い方が悪かったです。スコアはどうですか？最高記録を更新できましたか？");
  const QString did = QStringLiteral("できた"), did_not = QStringLiteral("できなかった");
  const QString congrats = QStringLiteral("おめでとうございます。");
  const QString sorry = QStringLiteral("ご愁傷様です。");
  const QString thanks = QStringLiteral("どうも");
  const QString next_time = QStringLiteral("また次回も頑張ってくださいね。");
  const QString by_the_way = QStringLiteral("ところで");
  static const Chain chain{
      {1, close, {yes, no}, {10, 2}, QStringLiteral("ぬめらん")},
      {2, go_on, {yes, no}, {3, 3}},
      {3, lately, {yes, no}, {4, 4}},
      {4, score, {did, did_not}, {41, 42}},
      {41, congrats, {thanks}, {5}},
      {42, sorry, {thanks}, {5}},
      {5, next_time, {by_the_way}, {6}},
      {6, close, {yes, no}, {10, 72}},
      {72, go_on, {yes, no}, {73, 73}},
      {73, lately, {yes, no}, {74, 74}},
      {74, score, {did, did_not}, {741, 742}},
      {741, congrats, {thanks}, {75}},
      {742, sorry, {thanks}, {75}},
      {75, next_time, {by_the_way}, {8}},
      {8, close, {yes, no}, {10, 9}},
      {9, go_on, {yes, no}, {kStay, 10}},
      {10, "しっかり保存しましたか？", {yes, no}, {11, 12}},
      {11, "保存したと明言できますか？", {yes, no}, {15, 1}},
      {12, "保存せずにぬめらを閉じてもいいですか？", {yes, no}, {13, 13}},
      {13, "本当に保存しなくてもいいですか？", {yes, no}, {14, 2}},
      {14, "一度失ったデータは元に戻すことが出来ません。それでもいいですか？", {yes, no}, {15, 2}},
      {15, "それではぬめらを閉じます。", {yes}, {16}},
      {16, "また機会があればお会いしましょう。", {"わかった"}, {17}},
      {17, "絶対にゼッタイですよ？", {"Ok"}, {kEnd}},
  };
  return chain;
}

}  // namespace

void Form_Unload(Game& g, Integer& cancel) {
  if (g.s.MessageMode == message_mode::kNone) g.p.Win.EndProgram(0);
  if (g.s.MessageMode == message_mode::kPersistent) {
    if (ClosingChain().Run(g, 1) == kEnd) g.p.Win.EndProgram(0);
    cancel = 1;
    return;
  }
  // 標準 and もふり ask once. So does a message setting no option carries (a
  // damaged Data.dat): the window must either close with the program or stay,
  // never vanish while the program goes on.
  ShowMessage(g, QStringLiteral("終了しますか？"), kTitle, 2, QStringLiteral("はい"),
              QStringLiteral("いいえ"));
  if (g.s.MsgResult == 0) g.p.Win.EndProgram(0);
  cancel = 1;
}

void 終了_Click(Game& g) {
  Integer cancel = 0;
  Form_Unload(g, cancel);
}

}  // namespace numera
