#include "diversions/random_event.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "dialogs/chain.h"

namespace numera {

namespace {

// The events told in code rather than by a script, and the script whose
// ending is scored.
constexpr int kStoryEvent = 20;
constexpr int kDamageEvent = 24;
constexpr int kIgnoreEvent = 31;

constexpr int kEnd = -1;
// An exit that goes on at a step chosen at random (see RandomBranch).
constexpr int kDraw = -2;

// Int(Rnd * n + 1): 1 to n with equal chance.
int RandomInt(Game& g, int n) {
  const int v = static_cast<int>(std::floor(g.p.Rng.Rnd() * n + 1));
  return std::clamp(v, 1, n);
}

// Number-to-text with the blank a non-negative number keeps for its sign.
QString SignedText(long v) {
  return (v >= 0 ? QStringLiteral(" ") : QString()) + QString::number(v);
}

struct RandomBranch {
  int Choices = 1;    // draw g = Int(Rnd * Choices + 1)
  int FirstStep = 1;  // and go on at step FirstStep + g - 1
};

// One event as data: its boxes with their titles, captions and branches, and
// the exits after which a random draw picks the next box.
struct JokeScript {
  Chain Steps;
  std::map<int, RandomBranch> Draws = {};
};

int RunScript(Game& g, const JokeScript& script) {
  int exit = script.Steps.Run(g, 1);
  for (auto it = script.Draws.find(exit); it != script.Draws.end(); it = script.Draws.find(exit)) {
    const int pick = RandomInt(g, it->second.Choices);
    exit = script.Steps.Run(g, it->second.FirstStep + pick - 1);
  }
  return exit;
}

const QString kOk = QStringLiteral("Ok");
const QString kGoOn = QStringLiteral("▼");
const QString kRight = QStringLiteral("正解！");
const QString kWrong = QStringLiteral("違うよ");

// Event 31 reports how long the player kept ignoring things; each exit
// carries the score reached.
constexpr int IgnoreExit(int score) {
  return -1000 - score;
}

// Every event but the story builder (20) and the damage report (24), whose
// texts are made while they run.
const std::map<int, JokeScript>& Scripts() {
  const QString calc = QStringLiteral("ぬめら計算");
  const QString numera = kTitle;
  const QString tricks = QStringLiteral("禁断の裏技集");
  const QString yes = QStringLiteral("はい"), no = QStringLiteral("いいえ");
  const QString problem = QStringLiteral("ぬめら問題");
  const QString challenge = QStringLiteral("ぬめらからの挑戦状");
  const QString ignore = QStringLiteral("無視度チェック！");
  const QString doIgnore = QStringLiteral("無視する");
  const QString cannot1 = QStringLiteral("無視できない");
  const QString cannot2 = QStringLiteral("それは無視できない");
  const QString cannot3 = QStringLiteral("それはさすがに無視できない");
  const QString crab = QStringLiteral("お空にカニが飛んでいます。");
  const QString turtle = QStringLiteral("お空にカメが飛んでいます。");
  const QString beard = QStringLiteral("お空にヒゲが飛んでいます。");
  const QString failed = QStringLiteral("旅立ち失敗―村人Ａエンド");

  static const std::map<int, JokeScript> scripts{
      {1, {{{1, "１＋１＝？", {"２"}, {2}, calc}, {2, kRight, {kOk}, {kEnd}, calc}}}},
      {2,
       {{{1,
          "（８２１－１７５）×（２０８／１３３）÷（（８６１＋９８５）÷（９６８－４７１））－１３７＝？",
          {"１３５"},
          {2},
          calc},
         {2, kRight, {kOk}, {kEnd}, calc}}}},
      {3,
       {{{1,
          "（（（４７＋２３×１１－９１）÷（７６×９１－７６）×６０）＋４６×１２）÷１７＝？",
          {"４４"},
          {2},
          calc},
         {2, kWrong, {kOk}, {kEnd}, calc}}}},
      {4,
       {{{1,
          "７６×５１－４２×９＋３１×？＝７３１１",
          {"１２３", "１３３", "１１３"},
          {2, 3, 3},
          calc},
         {2, kRight, {kOk}, {kEnd}, calc},
         {3, kWrong, {kOk}, {kEnd}, calc}}}},
      {5,
       {{{1, "メッセージは全部で１００種類!!全部見たかな？", {yes, no}, {2, 3}, numera},
         {2, "そんなにないよ。", {kOk}, {kEnd}, numera},
         {3, "やっぱり。", {kOk}, {kEnd}, numera}}}},
      {6,
       {{{1,
          "このメッセージとてもレア！確率なんと１０万分の１！！",
          {"うそ？", "本当？"},
          {2, 2},
          numera},
         {2, "うそ。", {kOk}, {kEnd}, "アルマジロ"}}}},
      {7,
       {{{1, "あなた何がた？", {"Ａ型", "Ｂ型", "Ｃ型"}, {kDraw, kDraw, kDraw}, "型占い"},
         {11, "明日は雨が降るよ。", {kOk}, {kEnd}, "型占い"},
         {12, "昨日は占い１位だったよ。", {kOk}, {kEnd}, "型占い"},
         {13, "嘘ついちゃダメだよ。", {kOk}, {kEnd}, "型占い"}},
        {{kDraw, {3, 11}}}}},
      {8,
       {{{1, "あなた何座？", {"しし座", "やぎ座", "ほし座"}, {kDraw, kDraw, 2}, "星占い"},
         {2, "俺色に染まれ！(病気)", {kOk}, {kEnd}, "星占い"},
         {11, "今日のラッキーパーソンはＯ型の人だよ。", {kOk}, {kEnd}, "星占い"},
         {12, "今日のラッキーアイテムはダチョウの卵だよ。", {kOk}, {kEnd}, "星占い"},
         {13, "今日のラッキーマクラは低反発枕だよ。", {kOk}, {kEnd}, "星占い"}},
        {{kDraw, {3, 11}}}}},
      {9, {{{1, "裏技その１:背景が適当のときに背景をクリックすると…", {kOk}, {kEnd}, tricks}}}},
      {10, {{{1, "裏技その３:背景が夜空のときに背景をクリックすると…", {kOk}, {kEnd}, tricks}}}},
      {11,
       {{{1,
          "メッセージのタイトルが｢ぴよまる｣になっているのがあるぞ!!探してみよう!!",
          {kOk},
          {kEnd},
          "ぴよまる"}}}},
      {12,
       {{{1,
          "メッセージのタイトルが｢アルマジロ｣になっているのがあるぞ!!探してみよう!!",
          {kOk},
          {kEnd},
          numera}}}},
      {13,
       {{{1,
          "｢ぬめら｣をやるときは部屋を明るくしてパソコンから離れておやり下さい。",
          {"ムリ", "了承"},
          {2, 3},
          "ぬめらからのお願い"},
         {2, "たしかに", {kOk}, {kEnd}, numera},
         {3, "がんばれ", {kOk}, {kEnd}, numera}}}},
      {14,
       {{{1,
          "｢ぬめら｣はノンフィクションですが人物名、団体名など実在のものとは一切関係ありません。",
          {kOk},
          {kEnd},
          "ぬめらの提供でお送りいたします"}}}},
      {15, {{{1, "１＋１＝？", {"３"}, {2}, calc}, {2, kWrong, {kOk}, {kEnd}, calc}}}},
      {16,
       {{{1,
          "いきなり性格判断!!宇宙人が目の前に現れました。あなたはどうしますか？",
          {"あくしゅする", "あいさつする", "なぐる"},
          {2, 3, 4},
          "性格判断"},
         {2,
          "しかし宇宙人には手とおぼしきものはないようだ。どうしますか？",
          {"どこでもいいからつかむ", "近所の太郎君を呼ぶ"},
          {5, 6},
          "性格判断"},
         {3,
          "相手にシカトされました。どうしますか？",
          {"警察に連れていく", "カツ丼を食べさせる"},
          {7, 8},
          "性格判断"},
         {4,
          "しかし攻撃ははずれた!!どうしますか？",
          {"かかとおとし", "環境問題について語り合う"},
          {9, 10},
          "性格判断"},
         {5,
          "あなたは細かいことにはこだわらない人ですね。でもそれが相手に不快感を与えてるかもしれません。気をつけましょう。",
          {kOk},
          {kEnd},
          "性格判断"},
         {6,
          "あなたは人に頼りがちですね(特に太郎君に)。もう少し自分の意見を持ちましょう。",
          {kOk},
          {kEnd},
          "性格判断"},
         {7,
          "あなたは怒ると何をするか分からない人ですね。たまに電柱に当たったりしていませんか？",
          {kOk},
          {kEnd},
          "性格判断"},
         {8,
          "あなたは早く物事を解決させたい人ですね。しかし他の人(宇宙人含む)はそれについていけないようです。",
          {kOk},
          {kEnd},
          "性格判断"},
         {9,
          "あなたは同じ失敗を繰り返す人ですね。このままだと宇宙人を誰かに取られてしまいますよ。",
          {kOk},
          {kEnd},
          "性格判断"},
         {10,
          "あなたは物事に臨機応変に対応できる人ですね。でもいきなり人を殴るのはやめましょう。",
          {kOk},
          {kEnd},
          "性格判断"}}}},
      {17,
       {{{1,
          "心理テスト!!無人島に持っていくなら次のうちドレ？",
          {"たこ足コード", "わりばし", "東京ドーム"},
          {2, 3, 4},
          "心理テスト"},
         {2,
          "何本でも繋げるコード…それはあなたの無分別さを表しています。慰謝料を払うことにならない様注意しましょう。",
          {kOk},
          {kEnd},
          "心理テスト"},
         {3,
          "割らないと使えないはし…それはあなたの孤独感を表しています。怪しい宗教に入って心を癒しましょう。",
          {kOk},
          {kEnd},
          "心理テスト"},
         {4,
          "絶対に有り得ない選択肢…それはあなたの奇想天外さを表しています。それをどういかすかが今後の人生の鍵となりそうです。",
          {kOk},
          {kEnd},
          "心理テスト"}}}},
      {18,
       {{{1,
          "あなたは中ボスになりたいですか？",
          {"なりたい", "なりたくない", "大ボスなら"},
          {2, 3, 4},
          "街角アンケート"},
         {2, "時給安いよ。", {kOk}, {kEnd}, numera},
         {3, "贅沢言ってるとプー太郎になるよ。", {kOk}, {kEnd}, numera},
         {4, "夢見てると路頭に迷うよ。", {kOk}, {kEnd}, numera}}}},
      {19,
       {{{1, "おめでとう!!レベルが上がりました。", {kGoOn}, {2}, "ぬめら～冒険の章～"},
         {2, "ちからが３上がった!", {kGoOn}, {3}, "ぬめら～冒険の章～"},
         {3, "かしこさが１上がった!", {kGoOn}, {4}, "ぬめら～冒険の章～"},
         {4, "すばやさが２．２ノット上がった!", {kGoOn}, {5}, "ぬめら～冒険の章～"},
         {5, "人生経験はこんなことでは得られないのだよ。", {kGoOn}, {6}, "ぬめら～冒険の章～"},
         {6, "魔王が倒れた!", {kGoOn}, {7}, "ぬめら～冒険の章～"},
         {7, "なんか世界に平和が訪れた!", {"おわり"}, {kEnd}, "ぬめら～冒険の章～"}}}},
      {21,
       {{{1, "きょうのしゅくだい。", {kOk}, {2}, challenge},
         {2, "こんびにのとびらに「ひらけごま！」という。", {kOk}, {3}, challenge},
         {3, "３０かい。", {kOk}, {kEnd}, challenge}}}},
      {22,
       {{{1,
          "Ａさんはちょっとしたいたずらが好きで、Ｂさんはくすっと笑えるいたずらが好きで、Ｃさんは腹黒い人です。",
          {kGoOn},
          {2},
          problem},
         {2,
          "ＢさんはＡさんの赤色のペンのキャップを取り、Ｃさんにキャップを渡しました。",
          {kGoOn},
          {3},
          problem},
         {3,
          "ＡさんはＣさんの青色のペンのキャップを取り、自分の黄色のペンのキャップと換えました。",
          {kGoOn},
          {4},
          problem},
         {4,
          "ＣさんはＢさんの赤色と青色のペンのキャップを取り、Ａさんの赤色のペンに青色のペンのキャップをつけました。",
          {kGoOn},
          {5},
          problem},
         {5, "さて、問題です。", {kOk}, {kDraw}, problem},
         {11,
          "Ａさんの黄色のペンには誰の何色のペンのキャップが付いているでしょうか。",
          {"Ａさんの黄色", "Ｂさんの青色", "Ｃさんの赤色"},
          {20, 21, 21},
          problem},
         {12,
          "Ｂさんが持っているペンの中でキャップが付いていないのは何個でしょうか。",
          {"１個", "２個", "３個"},
          {21, 20, 21},
          problem},
         {13,
          "Ｃさんは誰のキャップを持っていますか",
          {"Ａさん", "ＡさんとＢさん", "Ｂさん"},
          {21, 20, 21},
          problem},
         {20, kRight, {kOk}, {kEnd}, problem},
         {21, kWrong, {kOk}, {kEnd}, problem}},
        {{kDraw, {3, 11}}}}},
      {23,
       {{{1, "ＡさんとＢさんのどちらかがうそつきです。", {kGoOn}, {2}, problem},
         {2, "どちらが嘘をついているのか、当ててください。", {kGoOn}, {3}, problem},
         {3, "会話(略)", {"Ａさん", "Ｂさん", "出題者"}, {kEnd, kEnd, kEnd}, problem}}}},
      {25, {{{1, "クリックしてください。", {kOk}, {kEnd}, numera}}}},
      {26,
       {{{1,
          "タイムマシンがあったら",
          {"特許取得へ", "特許取得へ", "特許取得へ"},
          {2, 2, 3},
          numera},
         {2, "正解です。", {kOk}, {kEnd}, numera},
         {3, "むしろ当たり前ですよね。", {kOk}, {kEnd}, numera}}}},
      {27,
       {{{1,
          "毎秒３０ｍで動いているインド象(２トン)が静止しているシロアリ(５グラム)にぶつかりました。",
          {kOk},
          {2},
          challenge},
         {2,
          "どうなりましたか。解答とその解答にいたる経過を詳しくメールで送ること。ただし互いに剛体とする。",
          {kOk},
          {kEnd},
          challenge}}}},
      {28,
       {{{1,
          "チョコレートが解ける温度は？",
          {"１０Ｋ", "２０℃", "３０℃"},
          {3, 2, 3},
          "ぬめら問題(１問１０点)"},
         {2, kRight, {kOk}, {kEnd}, problem},
         {3, "不正解！", {kOk}, {kEnd}, problem}}}},
      {29,
       {{{1, "次の問題を５秒以内に答えてください。", {kOk}, {2}, problem},
         {2,
          "にひゃくごじゅうさんかけるはちじゅうにはさんよりおおきいあるか？",
          {"７４６", "３２０８２", "８１"},
          {4, 4, 3},
          problem},
         {3, kRight, {kOk}, {kEnd}, problem},
         {4, kWrong, {kOk}, {kEnd}, problem}}}},
      {30,
       {{{1,
          "トリック･オア･トリート？（いたずらしないと おかしをあげちゃうよっ)",
          {kOk},
          {kEnd},
          "ぬめらは万年ハロウィンです。"}}}},
      {31,
       {{{1, crab, {doIgnore, cannot1}, {2, IgnoreExit(0)}, ignore},
         {2, turtle, {doIgnore, cannot2}, {3, IgnoreExit(10)}, ignore},
         {3, beard, {doIgnore, cannot3}, {4, IgnoreExit(30)}, ignore},
         {4, crab, {doIgnore, cannot1}, {5, IgnoreExit(50)}, ignore},
         {5, turtle, {doIgnore, cannot2}, {6, IgnoreExit(50)}, ignore},
         {6, beard, {doIgnore, cannot3}, {7, IgnoreExit(50)}, ignore},
         {7, crab, {doIgnore, cannot1}, {8, IgnoreExit(70)}, ignore},
         {8,
          "お空に地球が飛んでいます。",
          {cannot1, doIgnore},
          {IgnoreExit(90), IgnoreExit(1000)},
          ignore}}}},
      {32,
       {{{1, "今日は何の日ですか？", {"旅立ちの日", "旅立ちの日"}, {2, 2}, "ぬめら～旅立ちの章～"},
         {2, "何のために旅立つのですか？", {"鬼退治", "魔王退治"}, {3, 4}, "ぬめら～旅立ちの章～"},
         {3,
          "親に止められました。「そんなことより畑仕事やっとくれ」",
          {kGoOn},
          {5},
          "ぬめら～旅立ちの章～"},
         {4, "", {kGoOn}, {5}, "ぬめら～旅立ちの章～"},
         {5, failed, {kOk}, {kEnd}, "ぬめら～旅立ちの章～"}}}},
  };
  return scripts;
}

// Event 20: five questions; each answer's caption is added to the story,
// and the story so far is the title of the next question.
void StoryBuilder(Game& g) {
  struct Question {
    QString Title;
    QString Message;
    QStringList Captions;
  };
  static const Question questions[] = {
      {"いつ", "いつ？", {"この後すぐ", "バブル全盛期", "１０年後"}},
      {"どこで", "どこで？", {"この場所で", "Ｍ２階で", "軽しか入らない駐車場で"}},
      {"だれが", "だれが？", {"ミュータント７号が", "蠢くものが", "サプライズ芸人が"}},
      {"だれに",
       "だれに？",
       {"一輪車に乗ったカラスに", "当社のマスコットに", "３７歳自営業の男性に"}},
      {"何をした", "何をした？", {"ケリ入れます。延髄。", "マーベラス。", "投資しちゃいなよ。"}},
  };
  QString story;
  for (const Question& q : questions) {
    ShowMessage(g, q.Message, story + q.Title, 3, q.Captions[0], q.Captions[1], q.Captions[2]);
    story += q.Captions.value(g.s.MsgResult);
  }
  ShowMessage(g, story, kTitle, 1, kOk);
}

// Event 24: a random amount of damage, 0 to 39999.
void Damage(Game& g) {
  const long n = static_cast<long>(std::floor(g.p.Rng.Rnd() * 40000));
  ShowMessage(g, SignedText(n) + QStringLiteral("のダメージを受けた！"),
              QStringLiteral("ぬめら～苦難の章～"), 1, kOk);
}

}  // namespace

void RandomEvent(Game& g) {
  // Every event is as likely as any other: the scripted ones and the two
  // told in code, numbered together from 1.
  const int k = RandomInt(g, static_cast<int>(Scripts().size()) + 2);
  if (k == kStoryEvent) return StoryBuilder(g);
  if (k == kDamageEvent) return Damage(g);
  const int exit = RunScript(g, Scripts().at(k));
  if (k == kIgnoreEvent) {
    const int score = IgnoreExit(0) - exit;
    ShowMessage(g,
                QStringLiteral("あなたの無視度は") + SignedText(score) + QStringLiteral("です。"),
                QStringLiteral("無視度チェック！"), 1, kOk);
  }
}

}  // namespace numera
