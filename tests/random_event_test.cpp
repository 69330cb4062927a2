#include "diversions/random_event.h"

#include <gtest/gtest.h>

#include <deque>

#include "tests/play_driver.h"

namespace numera {
namespace {

using testing::TestGame;

struct Box {
  QString Title;
  QString Message;
  QStringList Captions;
};

const QStringList kOk{"Ok"};
const QStringList kGoOn{"▼"};

// Rnd values that pick event k (Int(Rnd * 32 + 1)) and g of Int(Rnd * 3 + 1).
double EventValue(int k) {
  return (k - 0.5) / 32.0;
}
double OneOfThree(int g) {
  return (g - 0.5) / 3.0;
}

// Runs event k with the buttons pressed by index and the given further
// random values, and checks every box shown and that every draw was used.
void ExpectEvent(int k, const std::vector<int>& presses, const std::vector<Box>& expected,
                 const std::deque<double>& draws = {}) {
  SCOPED_TRACE("event " + std::to_string(k));
  TestGame t;
  t.rng.values = draws;
  t.rng.values.push_front(EventValue(k));
  for (int p : presses) t.msgs.PressIndex(p);
  RandomEvent(t.g);
  EXPECT_EQ(t.msgs.Pending(), 0u) << "fewer boxes than answers";
  EXPECT_EQ(t.rng.draws, 1 + static_cast<int>(draws.size()));
  ASSERT_EQ(t.msgs.boxes.size(), expected.size()) << t.msgs.Messages().join("|").toStdString();
  for (std::size_t b = 0; b < expected.size(); ++b) {
    const MessageBoxRequest& box = t.msgs.boxes[b];
    EXPECT_EQ(box.Title, expected[b].Title) << "box " << b + 1;
    EXPECT_EQ(box.Message, expected[b].Message) << "box " << b + 1;
    EXPECT_EQ(box.Captions, expected[b].Captions) << "box " << b + 1;
    EXPECT_EQ(box.Count, expected[b].Captions.size()) << "box " << b + 1;
  }
}

TEST(RandomEvent, TheDrawCoversTheWholeCatalogue) {
  // Int(Rnd * 32 + 1): the lowest value gives event 1, the highest event 32,
  // and the values either side of 1/32 events 1 and 2.
  const struct {
    double Value;
    QString FirstMessage;
  } cases[] = {
      {0.0, "１＋１＝？"},
      {1.0 / 32 - 1e-9, "１＋１＝？"},
      {1.0 / 32,
       "（８２１－１７５）×（２０８／１３３）÷（（８６１＋９８５）÷（９６８－４７１））－１３７＝"
       "？"},
      {0.999999, "今日は何の日ですか？"},
  };
  for (const auto& c : cases) {
    TestGame t;
    t.msgs.AlwaysFirst();
    t.rng.values = {c.Value};
    RandomEvent(t.g);
    ASSERT_FALSE(t.msgs.boxes.empty());
    EXPECT_EQ(t.msgs.boxes[0].Message, c.FirstMessage) << c.Value;
  }
}

TEST(RandomEvent, ArithmeticWithOneButton) {
  const QString calc = "ぬめら計算";
  ExpectEvent(1, {0, 0}, {{calc, "１＋１＝？", {"２"}}, {calc, "正解！", kOk}});
  ExpectEvent(2, {0, 0},
              {{calc,
                "（８２１－１７５）×（２０８／１３３）÷（（８６１＋９８５）÷（９６８－４７１））－"
                "１３７＝？",
                {"１３５"}},
               {calc, "正解！", kOk}});
  ExpectEvent(3, {0, 0},
              {{calc,
                "（（（４７＋２３×１１－９１）÷（７６×９１－７６）×６０）＋４６×１２）÷１７＝？",
                {"４４"}},
               {calc, "違うよ", kOk}});
  ExpectEvent(15, {0, 0}, {{calc, "１＋１＝？", {"３"}}, {calc, "違うよ", kOk}});
}

TEST(RandomEvent, ArithmeticWithThreeAnswers) {
  const QString calc = "ぬめら計算";
  const Box q{calc, "７６×５１－４２×９＋３１×？＝７３１１", {"１２３", "１３３", "１１３"}};
  ExpectEvent(4, {0, 0}, {q, {calc, "正解！", kOk}});
  ExpectEvent(4, {1, 0}, {q, {calc, "違うよ", kOk}});
  ExpectEvent(4, {2, 0}, {q, {calc, "違うよ", kOk}});
}

TEST(RandomEvent, HundredMessagesAndTheRareOne) {
  const Box q{"ぬめら", "メッセージは全部で１００種類!!全部見たかな？", {"はい", "いいえ"}};
  ExpectEvent(5, {0, 0}, {q, {"ぬめら", "そんなにないよ。", kOk}});
  ExpectEvent(5, {1, 0}, {q, {"ぬめら", "やっぱり。", kOk}});
  const Box rare{
      "ぬめら", "このメッセージとてもレア！確率なんと１０万分の１！！", {"うそ？", "本当？"}};
  for (int answer : {0, 1}) ExpectEvent(6, {answer, 0}, {rare, {"アルマジロ", "うそ。", kOk}});
}

TEST(RandomEvent, TypeFortuneIgnoresTheAnswer) {
  const Box q{"型占い", "あなた何がた？", {"Ａ型", "Ｂ型", "Ｃ型"}};
  const QString fortunes[] = {"明日は雨が降るよ。", "昨日は占い１位だったよ。",
                              "嘘ついちゃダメだよ。"};
  for (int answer : {0, 1, 2})
    for (int g : {1, 2, 3})
      ExpectEvent(7, {answer, 0}, {q, {"型占い", fortunes[g - 1], kOk}}, {OneOfThree(g)});
}

TEST(RandomEvent, StarFortune) {
  const Box q{"星占い", "あなた何座？", {"しし座", "やぎ座", "ほし座"}};
  ExpectEvent(8, {2, 0}, {q, {"星占い", "俺色に染まれ！(病気)", kOk}});
  const QString fortunes[] = {"今日のラッキーパーソンはＯ型の人だよ。",
                              "今日のラッキーアイテムはダチョウの卵だよ。",
                              "今日のラッキーマクラは低反発枕だよ。"};
  for (int answer : {0, 1})
    for (int g : {1, 2, 3})
      ExpectEvent(8, {answer, 0}, {q, {"星占い", fortunes[g - 1], kOk}}, {OneOfThree(g)});
}

TEST(RandomEvent, SingleNotices) {
  ExpectEvent(9, {0},
              {{"禁断の裏技集", "裏技その１:背景が適当のときに背景をクリックすると…", kOk}});
  ExpectEvent(10, {0},
              {{"禁断の裏技集", "裏技その３:背景が夜空のときに背景をクリックすると…", kOk}});
  ExpectEvent(11, {0},
              {{"ぴよまる",
                "メッセージのタイトルが｢ぴよまる｣になっているのがあるぞ!!探してみよう!!", kOk}});
  ExpectEvent(12, {0},
              {{"ぬめら",
                "メッセージのタイトルが｢アルマジロ｣になっているのがあるぞ!!探してみよう!!", kOk}});
  ExpectEvent(
      14, {0},
      {{"ぬめらの提供でお送りいたします",
        "｢ぬめら｣はノンフィクションですが人物名、団体名など実在のものとは一切関係ありません。",
        kOk}});
  ExpectEvent(25, {0}, {{"ぬめら", "クリックしてください。", kOk}});
  ExpectEvent(30, {0},
              {{"ぬめらは万年ハロウィンです。",
                "トリック･オア･トリート？（いたずらしないと おかしをあげちゃうよっ)", kOk}});
}

TEST(RandomEvent, ARequestFromTheGame) {
  const Box q{"ぬめらからのお願い",
              "｢ぬめら｣をやるときは部屋を明るくしてパソコンから離れておやり下さい。",
              {"ムリ", "了承"}};
  ExpectEvent(13, {0, 0}, {q, {"ぬめら", "たしかに", kOk}});
  ExpectEvent(13, {1, 0}, {q, {"ぬめら", "がんばれ", kOk}});
}

TEST(RandomEvent, PersonalityTestHasSixVerdicts) {
  const QString t = "性格判断";
  const Box q{t,
              "いきなり性格判断!!宇宙人が目の前に現れました。あなたはどうしますか？",
              {"あくしゅする", "あいさつする", "なぐる"}};
  const Box hands{t,
                  "しかし宇宙人には手とおぼしきものはないようだ。どうしますか？",
                  {"どこでもいいからつかむ", "近所の太郎君を呼ぶ"}};
  const Box ignored{
      t, "相手にシカトされました。どうしますか？", {"警察に連れていく", "カツ丼を食べさせる"}};
  const Box missed{
      t, "しかし攻撃ははずれた!!どうしますか？", {"かかとおとし", "環境問題について語り合う"}};
  ExpectEvent(16, {0, 0, 0},
              {q,
               hands,
               {t,
                "あなたは細かいことにはこだわらない人ですね。でもそれが相手に不快感を与えてるかもし"
                "れません。"
                "気をつけましょう。",
                kOk}});
  ExpectEvent(
      16, {0, 1, 0},
      {q,
       hands,
       {t, "あなたは人に頼りがちですね(特に太郎君に)。もう少し自分の意見を持ちましょう。", kOk}});
  ExpectEvent(
      16, {1, 0, 0},
      {q,
       ignored,
       {t, "あなたは怒ると何をするか分からない人ですね。たまに電柱に当たったりしていませんか？",
        kOk}});
  ExpectEvent(
      16, {1, 1, 0},
      {q,
       ignored,
       {t,
        "あなたは早く物事を解決させたい人ですね。しかし他の人(宇宙人含む)はそれについていけないよう"
        "です。",
        kOk}});
  ExpectEvent(
      16, {2, 0, 0},
      {q,
       missed,
       {t, "あなたは同じ失敗を繰り返す人ですね。このままだと宇宙人を誰かに取られてしまいますよ。",
        kOk}});
  ExpectEvent(
      16, {2, 1, 0},
      {q,
       missed,
       {t, "あなたは物事に臨機応変に対応できる人ですね。でもいきなり人を殴るのはやめましょう。",
        kOk}});
}

TEST(RandomEvent, PsychologyTestAndStreetSurvey) {
  const QString t = "心理テスト";
  const Box q{t,
              "心理テスト!!無人島に持っていくなら次のうちドレ？",
              {"たこ足コード", "わりばし", "東京ドーム"}};
  ExpectEvent(17, {0, 0},
              {q,
               {t,
                "何本でも繋げるコード…それはあなたの無分別さを表しています。慰謝料を払うことになら"
                "ない様注意"
                "しましょう。",
                kOk}});
  ExpectEvent(17, {1, 0},
              {q,
               {t,
                "割らないと使えないはし…それはあなたの孤独感を表しています。怪しい宗教に入って心を"
                "癒しましょ"
                "う。",
                kOk}});
  ExpectEvent(17, {2, 0},
              {q,
               {t,
                "絶対に有り得ない選択肢…それはあなたの奇想天外さを表しています。それをどういかすか"
                "が今後の人"
                "生の鍵となりそうです。",
                kOk}});

  const Box survey{"街角アンケート",
                   "あなたは中ボスになりたいですか？",
                   {"なりたい", "なりたくない", "大ボスなら"}};
  ExpectEvent(18, {0, 0}, {survey, {"ぬめら", "時給安いよ。", kOk}});
  ExpectEvent(18, {1, 0}, {survey, {"ぬめら", "贅沢言ってるとプー太郎になるよ。", kOk}});
  ExpectEvent(18, {2, 0}, {survey, {"ぬめら", "夢見てると路頭に迷うよ。", kOk}});
}

TEST(RandomEvent, AdventureChapter) {
  const QString t = "ぬめら～冒険の章～";
  ExpectEvent(19, {0, 0, 0, 0, 0, 0, 0},
              {{t, "おめでとう!!レベルが上がりました。", kGoOn},
               {t, "ちからが３上がった!", kGoOn},
               {t, "かしこさが１上がった!", kGoOn},
               {t, "すばやさが２．２ノット上がった!", kGoOn},
               {t, "人生経験はこんなことでは得られないのだよ。", kGoOn},
               {t, "魔王が倒れた!", kGoOn},
               {t, "なんか世界に平和が訪れた!", {"おわり"}}});
}

TEST(RandomEvent, StoryBuilderTitlesGrowWithTheAnswers) {
  const QStringList when{"この後すぐ", "バブル全盛期", "１０年後"};
  const QStringList where{"この場所で", "Ｍ２階で", "軽しか入らない駐車場で"};
  const QStringList who{"ミュータント７号が", "蠢くものが", "サプライズ芸人が"};
  const QStringList whom{"一輪車に乗ったカラスに", "当社のマスコットに", "３７歳自営業の男性に"};
  const QStringList what{"ケリ入れます。延髄。", "マーベラス。", "投資しちゃいなよ。"};
  ExpectEvent(
      20, {0, 0, 0, 0, 0, 0},
      {{"いつ", "いつ？", when},
       {"この後すぐどこで", "どこで？", where},
       {"この後すぐこの場所でだれが", "だれが？", who},
       {"この後すぐこの場所でミュータント７号がだれに", "だれに？", whom},
       {"この後すぐこの場所でミュータント７号が一輪車に乗ったカラスに何をした", "何をした？", what},
       {"ぬめら",
        "この後すぐこの場所でミュータント７号が一輪車に乗ったカラスにケリ入れます。延髄。", kOk}});
  ExpectEvent(20, {2, 1, 2, 1, 1, 0},
              {{"いつ", "いつ？", when},
               {"１０年後どこで", "どこで？", where},
               {"１０年後Ｍ２階でだれが", "だれが？", who},
               {"１０年後Ｍ２階でサプライズ芸人がだれに", "だれに？", whom},
               {"１０年後Ｍ２階でサプライズ芸人が当社のマスコットに何をした", "何をした？", what},
               {"ぬめら", "１０年後Ｍ２階でサプライズ芸人が当社のマスコットにマーベラス。", kOk}});
}

TEST(RandomEvent, ChallengeLetters) {
  const QString t = "ぬめらからの挑戦状";
  ExpectEvent(21, {0, 0, 0},
              {{t, "きょうのしゅくだい。", kOk},
               {t, "こんびにのとびらに「ひらけごま！」という。", kOk},
               {t, "３０かい。", kOk}});
  ExpectEvent(
      27, {0, 0},
      {{t,
        "毎秒３０ｍで動いているインド象(２トン)が静止しているシロアリ(５グラム)にぶつかりました。",
        kOk},
       {t,
        "どうなりましたか。解答とその解答にいたる経過を詳しくメールで送ること。ただし互いに剛体とす"
        "る"
        "。",
        kOk}});
}

TEST(RandomEvent, PenCapProblemAsksOneOfThreeQuestions) {
  const QString t = "ぬめら問題";
  const std::vector<Box> story{
      {t,
       "Ａさんはちょっとしたいたずらが好きで、Ｂさんはくすっと笑えるいたずらが好きで、Ｃさんは腹黒"
       "い人"
       "です。",
       kGoOn},
      {t, "ＢさんはＡさんの赤色のペンのキャップを取り、Ｃさんにキャップを渡しました。", kGoOn},
      {t, "ＡさんはＣさんの青色のペンのキャップを取り、自分の黄色のペンのキャップと換えました。",
       kGoOn},
      {t,
       "ＣさんはＢさんの赤色と青色のペンのキャップを取り、Ａさんの赤色のペンに青色のペンのキャップ"
       "をつけ"
       "ました。",
       kGoOn},
      {t, "さて、問題です。", kOk}};
  const Box questions[] = {
      {t,
       "Ａさんの黄色のペンには誰の何色のペンのキャップが付いているでしょうか。",
       {"Ａさんの黄色", "Ｂさんの青色", "Ｃさんの赤色"}},
      {t,
       "Ｂさんが持っているペンの中でキャップが付いていないのは何個でしょうか。",
       {"１個", "２個", "３個"}},
      {t, "Ｃさんは誰のキャップを持っていますか", {"Ａさん", "ＡさんとＢさん", "Ｂさん"}}};
  const int right[] = {0, 1, 1};
  for (int q : {1, 2, 3}) {
    for (int answer : {0, 1, 2}) {
      std::vector<Box> expected = story;
      expected.push_back(questions[q - 1]);
      expected.push_back({t, answer == right[q - 1] ? "正解！" : "違うよ", kOk});
      ExpectEvent(22, {0, 0, 0, 0, 0, answer, 0}, expected, {OneOfThree(q)});
    }
  }
}

TEST(RandomEvent, LiarPuzzleEndsWithoutJudging) {
  const QString t = "ぬめら問題";
  for (int answer : {0, 1, 2}) {
    ExpectEvent(23, {0, 0, answer},
                {{t, "ＡさんとＢさんのどちらかがうそつきです。", kGoOn},
                 {t, "どちらが嘘をついているのか、当ててください。", kGoOn},
                 {t, "会話(略)", {"Ａさん", "Ｂさん", "出題者"}}});
  }
}

TEST(RandomEvent, DamageIsWrittenWithALeadingBlank) {
  const QString t = "ぬめら～苦難の章～";
  ExpectEvent(24, {0}, {{t, " 0のダメージを受けた！", kOk}}, {0.0});
  ExpectEvent(24, {0}, {{t, " 12345のダメージを受けた！", kOk}}, {12345.5 / 40000});
  ExpectEvent(24, {0}, {{t, " 39999のダメージを受けた！", kOk}}, {0.9999999});
}

TEST(RandomEvent, TimeMachineAndChocolateAndFiveSeconds) {
  const Box machine{"ぬめら", "タイムマシンがあったら", {"特許取得へ", "特許取得へ", "特許取得へ"}};
  ExpectEvent(26, {0, 0}, {machine, {"ぬめら", "正解です。", kOk}});
  ExpectEvent(26, {1, 0}, {machine, {"ぬめら", "正解です。", kOk}});
  ExpectEvent(26, {2, 0}, {machine, {"ぬめら", "むしろ当たり前ですよね。", kOk}});

  const Box choc{
      "ぬめら問題(１問１０点)", "チョコレートが解ける温度は？", {"１０Ｋ", "２０℃", "３０℃"}};
  ExpectEvent(28, {1, 0}, {choc, {"ぬめら問題", "正解！", kOk}});
  ExpectEvent(28, {0, 0}, {choc, {"ぬめら問題", "不正解！", kOk}});
  ExpectEvent(28, {2, 0}, {choc, {"ぬめら問題", "不正解！", kOk}});

  const QString t = "ぬめら問題";
  const Box intro{t, "次の問題を５秒以内に答えてください。", kOk};
  const Box q{t,
              "にひゃくごじゅうさんかけるはちじゅうにはさんよりおおきいあるか？",
              {"７４６", "３２０８２", "８１"}};
  ExpectEvent(29, {0, 2, 0}, {intro, q, {t, "正解！", kOk}});
  ExpectEvent(29, {0, 0, 0}, {intro, q, {t, "違うよ", kOk}});
  ExpectEvent(29, {0, 1, 0}, {intro, q, {t, "違うよ", kOk}});
}

// Box n of the ignore-degree check (1..8).
Box IgnoreBox(int n) {
  const QString t = "無視度チェック！";
  static const std::vector<Box> boxes{
      {t, "お空にカニが飛んでいます。", {"無視する", "無視できない"}},
      {t, "お空にカメが飛んでいます。", {"無視する", "それは無視できない"}},
      {t, "お空にヒゲが飛んでいます。", {"無視する", "それはさすがに無視できない"}},
      {t, "お空にカニが飛んでいます。", {"無視する", "無視できない"}},
      {t, "お空にカメが飛んでいます。", {"無視する", "それは無視できない"}},
      {t, "お空にヒゲが飛んでいます。", {"無視する", "それはさすがに無視できない"}},
      {t, "お空にカニが飛んでいます。", {"無視する", "無視できない"}},
      {t, "お空に地球が飛んでいます。", {"無視できない", "無視する"}},
  };
  return boxes.at(static_cast<std::size_t>(n - 1));
}

// Ignores `ignored` boxes, then presses the can't-ignore button (if any box
// is left) and checks the reported score.
void ExpectIgnoreDegree(int ignored, const QString& result) {
  std::vector<int> presses;
  std::vector<Box> expected;
  for (int n = 1; n <= ignored; ++n) {
    presses.push_back(n == 8 ? 1 : 0);
    expected.push_back(IgnoreBox(n));
  }
  if (ignored < 8) {
    presses.push_back(ignored + 1 == 8 ? 0 : 1);
    expected.push_back(IgnoreBox(ignored + 1));
  }
  presses.push_back(0);
  expected.push_back({"無視度チェック！", result, kOk});
  ExpectEvent(31, presses, expected);
}

TEST(RandomEvent, IgnoreDegreeCountsHowLongThePlayerIgnores) {
  ExpectIgnoreDegree(0, "あなたの無視度は 0です。");
  ExpectIgnoreDegree(1, "あなたの無視度は 10です。");
  ExpectIgnoreDegree(2, "あなたの無視度は 30です。");
  ExpectIgnoreDegree(3, "あなたの無視度は 50です。");
  ExpectIgnoreDegree(5, "あなたの無視度は 50です。");
  ExpectIgnoreDegree(6, "あなたの無視度は 70です。");
  ExpectIgnoreDegree(7, "あなたの無視度は 90です。");
  ExpectIgnoreDegree(8, "あなたの無視度は 1000です。");
}

TEST(RandomEvent, DepartureFailsOnBothRoads) {
  const QString t = "ぬめら～旅立ちの章～";
  const Box day{t, "今日は何の日ですか？", {"旅立ちの日", "旅立ちの日"}};
  const Box why{t, "何のために旅立つのですか？", {"鬼退治", "魔王退治"}};
  const Box end{t, "旅立ち失敗―村人Ａエンド", kOk};
  for (int first : {0, 1}) {
    ExpectEvent(
        32, {first, 0, 0, 0},
        {day, why, {t, "親に止められました。「そんなことより畑仕事やっとくれ」", kGoOn}, end});
    ExpectEvent(32, {first, 1, 0, 0}, {day, why, {t, "", kGoOn}, end});
  }
}

}  // namespace
}  // namespace numera
