#include "play/word_chain.h"

namespace numera {

const Chain& WordChoiceChain() {
  constexpr int kDone = -1;
  const QString ok = QStringLiteral("Ok");
  static const Chain chain{
      {1, "この単語でいいですか？", {ok}, {2}},
      {2, "本当にいいですか？", {ok}, {3}},
      {3, "この単語がいいですか？", {ok}, {4}},
      {4, "どうしてもこの単語でなければいけませんか？", {ok}, {5}},
      {5,
       "あなたのその選択が最終的にあなたの得点に深くかかわることでしょう。それでもよろしいですか？",
       {ok},
       {6}},
      {6, "後悔しませんか？", {ok}, {kDone}},
  };
  return chain;
}

void ConfirmWordChoice(Game& g) {
  WordChoiceChain().Run(g, 1);
}

}  // namespace numera
