#include "files/open_puzzle.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

#include "core/draw_board.h"
#include "files/puzzle_file.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::DumpPuzzleState;
using testing::MakePuzzle;
using testing::PlaceEntry;
using testing::TestGame;
using testing::WriteBytes;

const QString kCrLf = QStringLiteral("\r\n");

QStringList Words(int n, const QString& stem = QStringLiteral("ことば")) {
  QStringList out;
  for (int i = 1; i <= n; ++i) out << stem + QString::number(i % 10);
  return out;
}

class OpenPuzzle : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    t.s.AppPath = dir.path();
  }
  QString Write(const QString& name, const PuzzleFile& p) {
    const QString path = dir.filePath(name);
    WriteBytes(path, SerializePuzzle(p));
    return path;
  }
  void Choose(const QString& path) {
    t.files.result = OpenFileResult{path, QFileInfo(path).fileName()};
  }
  // Opens the puzzle through the menu command with no chains.
  void Open(const PuzzleFile& p, const QString& name = QStringLiteral("p.mlt")) {
    Choose(Write(name, p));
    ファイルを開く_Click(t.g);
  }
  QTemporaryDir dir;
  TestGame t;
};

TEST_F(OpenPuzzle, TheDialogOffersPuzzleFilesFirstInTheProgramFolder) {
  Open(MakePuzzle(PuzzleLayout::kVersion2, 10, {QStringLiteral("ねこ")}));
  ASSERT_EQ(t.files.requests.size(), 1u);
  const OpenFileRequest& r = t.files.requests[0];
  EXPECT_EQ(r.Title, QStringLiteral("ファイルを開く"));
  EXPECT_EQ(r.Filters, (QStringList{QStringLiteral("ミルテン用ファイル (*.mlt)"), "*.mlt",
                                    QStringLiteral("全てのファイル"), "*.*"}));
  EXPECT_EQ(r.InitialFolder, dir.path());
  EXPECT_EQ(r.DefaultExtension, QStringLiteral("mlt"));
}

TEST_F(OpenPuzzle, WithoutThePersistentSettingTheChosenFileLoadsWithoutABox) {
  for (Integer mode : {0, 1, 3}) {
    TestGame fresh;
    fresh.s.AppPath = dir.path();
    fresh.s.MessageMode = mode;
    PuzzleFile p =
        MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ"), QStringLiteral("こま")});
    p.Score = 20;
    p.PlacedCount = 1;
    PlaceEntry(p, 2, 1, 1, 1);
    const QString path = Write(QStringLiteral("neko.v2.mlt"), p);
    fresh.files.result = OpenFileResult{path, QStringLiteral("neko.v2.mlt")};
    ファイルを開く_Click(fresh.g);
    EXPECT_TRUE(fresh.msgs.boxes.empty()) << mode;
    EXPECT_EQ(fresh.s.WordCount, 2);
    EXPECT_EQ(fresh.s.Words(1), QStringLiteral("ねこ"));
    EXPECT_EQ(fresh.s.WordPoints(2), 20);
    EXPECT_EQ(fresh.s.WordUsed(2), 1);
    EXPECT_EQ(fresh.s.BoardSize, 8);
    EXPECT_EQ(fresh.s.CountSuffix, QStringLiteral("語"));
    EXPECT_EQ(fresh.s.ScoreSuffix, QStringLiteral("点"));
    EXPECT_EQ(fresh.s.FileVersion, VersionText());
    EXPECT_EQ(fresh.s.Formain.Text1, path + kCrLf);
    EXPECT_EQ(fresh.s.Formain.Text1Caret, fresh.s.Formain.Text1.size());
    EXPECT_EQ(CurrentPuzzlePath(fresh.s.Formain), path);
    EXPECT_EQ(fresh.s.PuzzleName, QStringLiteral("neko"));
    EXPECT_TRUE(fresh.s.Formain.MenusEnabled);
    // The stored score is the best score of a complete board.
    EXPECT_EQ(fresh.s.NoRecord, 0);
    EXPECT_EQ(fresh.s.BestScore, 20);
    EXPECT_EQ(fresh.s.Formain.Lg2.Caption, QStringLiteral("NOW:20点"));
    EXPECT_EQ(fresh.s.Formain.Lg3.Caption, QStringLiteral("MAX:20点"));
    EXPECT_EQ(fresh.s.Formain.Lg1.Caption, QStringLiteral("1語"));
  }
}

TEST_F(OpenPuzzle, ACancelledDialogLeavesOnlyAMessageInTheStatusBox) {
  Open(MakePuzzle(PuzzleLayout::kVersion2, 10, {QStringLiteral("ねこ")}));
  const QString before = DumpPuzzleState(t.s);
  const QString text1 = t.s.Formain.Text1;
  const int caret = t.s.Formain.Text1Caret;
  t.files.result.reset();
  const int frames = t.canvas.frames;
  ファイルを開く_Click(t.g);
  EXPECT_EQ(t.s.Formain.Text1, QStringLiteral("キャンセルされました。"));
  EXPECT_EQ(t.s.Formain.Text1Caret, 0);
  EXPECT_EQ(CurrentPuzzlePath(t.s.Formain), std::nullopt);
  EXPECT_EQ(t.canvas.frames, frames + 1);
  EXPECT_TRUE(t.msgs.boxes.empty());
  // Apart from the status box, nothing changed.
  t.s.Formain.Text1 = text1;
  t.s.Formain.Text1Caret = caret;
  EXPECT_EQ(DumpPuzzleState(t.s), before);
}

TEST_F(OpenPuzzle, ThePuzzleNameEndsAtTheFirstDot) {
  EXPECT_EQ(PuzzleNameFromTitle(QStringLiteral("abc.def.mlt")), QStringLiteral("abc"));
  EXPECT_EQ(PuzzleNameFromTitle(QStringLiteral("abc")), QStringLiteral("abc"));
  EXPECT_EQ(PuzzleNameFromTitle(QStringLiteral(".mlt")), QString());
  Open(MakePuzzle(PuzzleLayout::kVersion2, 5, {QStringLiteral("ねこ")}), QStringLiteral("abc"));
  EXPECT_EQ(t.s.PuzzleName, QStringLiteral("abc"));
  EXPECT_EQ(t.s.WordCount, 1);
}

TEST(CurrentPuzzlePathRule, IsTheTextBeforeTheCaretLessItsLineEnd) {
  MainWindowState w;
  EXPECT_EQ(CurrentPuzzlePath(w), std::nullopt);
  w.Text1 = QStringLiteral("/a/b.mlt\r\n");
  w.Text1Caret = static_cast<int>(w.Text1.size());
  EXPECT_EQ(CurrentPuzzlePath(w), QStringLiteral("/a/b.mlt"));
  w.Text1 = QStringLiteral("/a/b.mlt\r\nmore");
  w.Text1Caret = 10;
  EXPECT_EQ(CurrentPuzzlePath(w), QStringLiteral("/a/b.mlt"));
  w.Text1 = QStringLiteral("キャンセルされました。");
  w.Text1Caret = 0;
  EXPECT_EQ(CurrentPuzzlePath(w), std::nullopt);
  w.Text1Caret = static_cast<int>(w.Text1.size());
  EXPECT_EQ(CurrentPuzzlePath(w), std::nullopt);
}

// --- the chains of しつこい -------------------------------------------------

class OpenPuzzleChains : public OpenPuzzle {
 protected:
  void SetUp() override {
    OpenPuzzle::SetUp();
    t.s.MessageMode = 2;
    path = Write(QStringLiteral("kanji1.mlt"),
                 MakePuzzle(PuzzleLayout::kVersion2, 6, {QStringLiteral("ねこ")}));
    Choose(path);
  }
  QString path;
};

TEST_F(OpenPuzzleChains, NoToTheFirstQuestionEndsBeforeTheDialog) {
  t.msgs.Press("いいえ");
  ファイルを開く_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), QStringList{QStringLiteral("ファイルを開きますか？")});
  EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));
  EXPECT_TRUE(t.files.requests.empty());
  EXPECT_EQ(t.canvas.frames, 1);  // only the box's own redraw
  EXPECT_EQ(t.s.WordCount, 0);
}

TEST_F(OpenPuzzleChains, AFightEndsWithOhISee) {
  t.msgs.Press("はい");
  t.msgs.Press("はい");
  t.msgs.Press("Ok");
  ファイルを開く_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(),
            (QStringList{"ファイルを開きますか？", "ファイトを始めますか？", "あ、そう。"}));
  EXPECT_EQ(t.msgs.boxes[2].Captions, QStringList{"Ok"});
  EXPECT_TRUE(t.files.requests.empty());
  EXPECT_EQ(t.s.WordCount, 0);
  EXPECT_EQ(t.s.Formain.Text1, QString());
}

TEST_F(OpenPuzzleChains, TheShortestWayToLoadIsNineBoxesAfterTheDialog) {
  for (const char* answer : {"はい", "いいえ"}) t.msgs.Press(answer);
  for (const char* answer :
       {"はい", "ちょっとまて", "はい", "Ok", "Ok", "Ok", "届いた", "よみこんで", "Ok"})
    t.msgs.Press(answer);
  ファイルを開く_Click(t.g);
  ASSERT_EQ(t.files.requests.size(), 1u);
  const QStringList expected{
      "ファイルを開きますか？",
      "ファイトを始めますか？",
      "このファイルを読み込みます。よろしいですか？",
      "むしろこちらがお断りです。",
      "では、改めてこのファイルを読み込みます。よろしいですね？",
      "本当にこのファイルを読み込んでもいいですか？",
      "お断りしたい気持ちで一杯です。",
      "届けこの想い。",
      "届きましたか？",
      "というわけで、このファイルを読み込んでもいいですか？",
      "おきのどくですが ぼうけんのしょはきえてしまいました",
  };
  EXPECT_EQ(t.msgs.Messages(), expected);
  for (const auto& box : t.msgs.boxes) EXPECT_EQ(box.Title, QStringLiteral("ぬめら"));
  EXPECT_EQ(t.msgs.boxes[3].Captions, (QStringList{"わかった", "ちょっとまて"}));
  EXPECT_EQ(t.msgs.boxes[5].Captions, (QStringList{"Ok", "断る"}));
  EXPECT_EQ(t.msgs.boxes[8].Captions, (QStringList{"届いた", "届いていない"}));
  EXPECT_EQ(t.msgs.boxes[9].Captions, (QStringList{"よみこんで", "もういいや"}));
  EXPECT_EQ(t.s.WordCount, 1);
  EXPECT_EQ(t.s.Words(1), QStringLiteral("ねこ"));
}

TEST_F(OpenPuzzleChains, TheLongWayRoundStillLoads) {
  for (const char* answer : {"はい", "いいえ", "いいえ", "ちょっとまて", "いいえ", "Ok", "Ok", "Ok",
                             "Ok", "届いていない", "Ok", "よみこんで", "Ok"})
    t.msgs.Press(answer);
  ファイルを開く_Click(t.g);
  const QStringList messages = t.msgs.Messages();
  ASSERT_EQ(messages.size(), 13);
  EXPECT_EQ(messages[5], QStringLiteral("却下です。"));
  EXPECT_EQ(messages[10], QStringLiteral("あたらめて、届けこの想い！"));
  EXPECT_EQ(t.s.WordCount, 1);
}

TEST_F(OpenPuzzleChains, EveryDeclineLeavesThePuzzleAndTheCurrentFile) {
  struct Way {
    std::vector<const char*> answers;
    const char16_t* last;
  };
  const Way ways[] = {
      {{"はい", "わかった"}, u"むしろこちらがお断りです。"},
      {{"いいえ", "ちょっとまて", "はい", "断る", "Ok"}, u"むしろこちらがお断りです。"},
      {{"はい", "ちょっとまて", "はい", "Ok", "Ok", "Ok", "届いた", "もういいや"},
       u"というわけで、このファイルを読み込んでもいいですか？"},
  };
  for (const Way& way : ways) {
    TestGame g2;
    g2.s.AppPath = dir.path();
    g2.s.MessageMode = 2;
    g2.s.Formain.Text1 = QStringLiteral("/old/place.mlt\r\n");
    g2.s.Formain.Text1Caret = static_cast<int>(g2.s.Formain.Text1.size());
    g2.s.PuzzleName = QStringLiteral("place");
    g2.files.result = OpenFileResult{path, QStringLiteral("kanji1.mlt")};
    g2.msgs.Press("はい");
    g2.msgs.Press("いいえ");
    for (const char* a : way.answers) g2.msgs.Press(a);
    ファイルを開く_Click(g2.g);
    EXPECT_EQ(g2.msgs.Pending(), 0u);
    EXPECT_EQ(g2.msgs.Messages().last(), QString::fromUtf16(way.last));
    EXPECT_EQ(g2.s.WordCount, 0);
    EXPECT_FALSE(g2.s.Formain.MenusEnabled);
    // No redraw besides the boxes' own.
    EXPECT_EQ(g2.canvas.frames, static_cast<int>(g2.msgs.boxes.size()));
    EXPECT_EQ(CurrentPuzzlePath(g2.s.Formain), QStringLiteral("/old/place.mlt"));
    EXPECT_EQ(g2.s.PuzzleName, QStringLiteral("place"));
  }
}

// --- laying the window out -------------------------------------------------

TEST_F(OpenPuzzle, WordLabelsRunDownColumnsOfEvenLength) {
  struct Case {
    int n, rows, columns, widthTwips;
  };
  // Word labels 16 * 4 + 7 = 71 wide, point labels (" 10": 3 characters)
  // 8 * 3 + 5 = 29 wide; a column steps 98 pixels.
  for (const Case c : {Case{1, 1, 1, 5900}, Case{30, 30, 1, 5900}, Case{31, 16, 2, 7500},
                       Case{61, 20, 4, 10700}, Case{90, 30, 3, 9100}}) {
    TestGame g;
    g.s.AppPath = dir.path();
    PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 12, Words(c.n, QStringLiteral("かきく")));
    ASSERT_EQ(p.MaxWordLength, 4);
    g.files.result = OpenFileResult{Write(QStringLiteral("n.mlt"), p), QStringLiteral("n.mlt")};
    ファイルを開く_Click(g.g);
    const MainWindowState& w = g.s.Formain;
    ASSERT_EQ(g.s.WordCount, c.n);
    for (int i = 1; i <= 90; ++i) {
      SCOPED_TRACE(::testing::Message() << "n=" << c.n << " i=" << i);
      EXPECT_EQ(w.La(i).Visible, i <= c.n);
      EXPECT_EQ(w.La2(i).Visible, i <= c.n);
      if (i > c.n) continue;
      const int k = (i - 1) / c.rows, r = (i - 1) % c.rows;
      EXPECT_EQ(w.La(i).Width, 71);
      EXPECT_EQ(w.La2(i).Width, 29);
      EXPECT_EQ(w.La(i).Left, 272 + 98 * k);
      EXPECT_EQ(w.La2(i).Left, 272 + 98 * k + 70);
      EXPECT_EQ(w.La(i).Top, 8 + 16 * r);
      EXPECT_EQ(w.La2(i).Top, 8 + 16 * r);
    }
    EXPECT_EQ(w.La(c.n).Left, 272 + 98 * (c.columns - 1)) << c.n;
    EXPECT_EQ(w.WidthTwips, c.widthTwips) << c.n;
    EXPECT_EQ(w.HeightTwips, 8080);
  }
}

TEST_F(OpenPuzzle, LabelsAreHiddenWhenAShorterPuzzleFollows) {
  Open(MakePuzzle(PuzzleLayout::kVersion2, 12, Words(90)));
  ASSERT_TRUE(t.s.Formain.La(90).Visible);
  Open(MakePuzzle(PuzzleLayout::kVersion2, 12, Words(31)));
  EXPECT_TRUE(t.s.Formain.La(31).Visible);
  EXPECT_FALSE(t.s.Formain.La(32).Visible);
  EXPECT_FALSE(t.s.Formain.La2(90).Visible);
}

TEST_F(OpenPuzzle, PointLabelsAreAsWideAsTheFirstWordsPointsNeed) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 12, Words(3));
  p.Entries[0].Points = -5;
  p.Entries[1].Points = 12345;
  Open(p);
  EXPECT_EQ(t.s.Formain.La2(1).Width, 21);  // "-5"
  EXPECT_EQ(t.s.Formain.La2(2).Width, 21);
  EXPECT_EQ(t.s.Formain.La2(1).Caption, QStringLiteral("-5"));
  EXPECT_EQ(t.s.Formain.La2(2).Caption, QStringLiteral(" 12345"));
  EXPECT_EQ(t.s.Formain.La2(3).Caption, QStringLiteral(" 30"));
  // Lg2: 30 per suffix character ("点") + 15 per point character + 100.
  EXPECT_EQ(t.s.Formain.Lg2.Width, 30 + 30 + 100);
}

TEST_F(OpenPuzzle, ScoreLabelsAreCappedAt260) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 12, Words(3));
  p.CountSuffixBytes = EncodeCp932(QStringLiteral("ことばのかず"));
  p.ScoreSuffixBytes = EncodeCp932(QStringLiteral("てん"));
  Open(p);
  EXPECT_EQ(t.s.Formain.Lg1.Width, 30 * 6 + 55);
  EXPECT_EQ(t.s.Formain.Lg2.Width, 60 + 45 + 100);
  EXPECT_EQ(t.s.Formain.Lg3.Width, 205);
  EXPECT_TRUE(t.s.Formain.Lg1.Visible && t.s.Formain.Lg2.Visible && t.s.Formain.Lg3.Visible);

  p.ScoreSuffixBytes = EncodeCp932(QStringLiteral("ポイント"));  // 120 + 45 + 100 = 265
  Open(p);
  EXPECT_EQ(t.s.Formain.Lg2.Width, 260);
  EXPECT_EQ(t.s.Formain.Lg3.Width, 260);
}

TEST_F(OpenPuzzle, TheBoardFontShrinksWithTheBoardButNeverVanishes) {
  const std::pair<int, double> sizes[] = {{1, 21.75}, {10, 15.0}, {29, 0.75}, {30, 0.75}};
  for (const auto& [n, points] : sizes) {
    Open(MakePuzzle(PuzzleLayout::kVersion2, n, {QStringLiteral("ね")}));
    EXPECT_DOUBLE_EQ(t.s.Formain.PimainFontSize, points) << n;
    EXPECT_EQ(t.s.Formain.PicCheck.Width, n + 2);
    EXPECT_EQ(t.s.Formain.PicCheck.Height, n + 2);
    EXPECT_GT(t.canvas.font_size, 0.0);
  }
  EXPECT_EQ(kSmallestBoardFontSize, 0.75);
}

TEST_F(OpenPuzzle, PlacedWordsShowWhiteAndTheOthersBlack) {
  t.s.Formain.La(2).ForeColor = colour::kOrange;
  t.s.Formain.La2(3).ForeColor = colour::kLightBlue;
  PuzzleFile p =
      MakePuzzle(PuzzleLayout::kVersion2, 8,
                 {QStringLiteral("ねこ"), QStringLiteral("こま"), QStringLiteral("いぬ")});
  PlaceEntry(p, 1, 0, 0, 0);
  Open(p);
  EXPECT_EQ(t.s.Formain.La(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.Formain.La2(1).ForeColor, colour::kWhite);
  EXPECT_EQ(t.s.Formain.La(2).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La2(3).ForeColor, colour::kBlack);
  EXPECT_EQ(t.s.Formain.La(3).Caption, QStringLiteral("いぬ"));
  EXPECT_EQ(t.s.Board(0, 0), QStringLiteral("ね"));
  EXPECT_EQ(t.s.Board(-1, 0), QStringLiteral("×"));
}

TEST_F(OpenPuzzle, TheRainbowFontGetsFreshColoursThenTheFakeWordIsDrawn) {
  t.s.FontKind = 3;
  t.s.CellColor(0, 0) = 5;
  t.rng.values = {0.5, 0.25, 0.75, 0.125, 0.95};
  Open(MakePuzzle(PuzzleLayout::kVersion2, 2, {QStringLiteral("ね")}));
  QList<Long> colours;
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 2; ++y) colours << t.s.CellColor(x, y);
  std::sort(colours.begin(), colours.end());
  EXPECT_EQ(colours, (QList<Long>{209652, 419304, 838608, 1257912}));
  EXPECT_EQ(t.s.FakeWordIndex, 10);
  EXPECT_EQ(t.rng.draws, 5);
}

TEST_F(OpenPuzzle, WithoutTheRainbowOnlyTheFakeWordIsDrawn) {
  t.s.CellColor(1, 1) = 77;
  t.rng.values = {0.0};
  Open(MakePuzzle(PuzzleLayout::kVersion2, 2, {QStringLiteral("ね")}));
  EXPECT_EQ(t.s.CellColor(1, 1), 77);
  EXPECT_EQ(t.s.FakeWordIndex, 1);
  EXPECT_EQ(t.rng.draws, 1);
}

TEST_F(OpenPuzzle, AnIncompleteStoredBoardKeepsTheBestScoreAndShowsRed) {
  t.s.BestScore = 7;
  PuzzleFile p =
      MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ"), QStringLiteral("いぬ")});
  PlaceEntry(p, 1, 0, 0, 0);
  PlaceEntry(p, 2, 0, 1, 0);  // side by side
  p.Score = 30;
  Open(p);
  EXPECT_EQ(t.s.NoRecord, 1);
  EXPECT_EQ(t.s.BestScore, 7);
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kRed);
  EXPECT_EQ(t.s.Formain.Lg2.Caption, QStringLiteral("NOW:30点"));
}

TEST_F(OpenPuzzle, AnOldLayoutFileKeepsItsOwnVersionAndLeavesLaterEntries) {
  Open(MakePuzzle(PuzzleLayout::kVersion2, 12, Words(90, QStringLiteral("まえ"))));
  PuzzleFile old = MakePuzzle(PuzzleLayout::kOld, 9, Words(40, QStringLiteral("ふるい")));
  Open(old, QStringLiteral("old.mlt"));
  EXPECT_NE(t.s.FileVersion, VersionText());
  EXPECT_EQ(t.s.WordCount, 40);
  EXPECT_EQ(t.s.Words(40), QStringLiteral("ふるい0"));
  EXPECT_EQ(t.s.Words(60), QString());
  EXPECT_EQ(t.s.Words(61), QStringLiteral("まえ1"));
  EXPECT_EQ(t.s.BoardSize, 9);
}

// --- files the game will not open -------------------------------------------

struct BadFile {
  const char* name;
  QByteArray bytes;
};

std::vector<BadFile> BadFiles() {
  PuzzleFile base =
      MakePuzzle(PuzzleLayout::kVersion2, 10, {QStringLiteral("ねこ"), QStringLiteral("こま")});
  const QByteArray whole = SerializePuzzle(base);
  std::vector<BadFile> out;
  // Cut at the boundaries of the fields: version text, first word, points,
  // suffix lengths, suffixes, the three sizes, the four columns, the counters.
  const int word1 = 12, words = 12 + 2 + 4 + 2 + 4 + 88 * 2, points = words + 360;
  const int suffixes = points + 4, sizes = suffixes + 4, columns = sizes + 6;
  for (int cut : {0,
                  1,
                  11,
                  12,
                  13,
                  word1 + 2,
                  word1 + 5,
                  words,
                  points - 1,
                  points,
                  points + 2,
                  suffixes,
                  suffixes + 3,
                  sizes,
                  sizes + 2,
                  sizes + 4,
                  columns,
                  columns + 180,
                  columns + 360,
                  columns + 540,
                  columns + 719,
                  columns + 720,
                  columns + 724,
                  static_cast<int>(whole.size()) - 1})
    out.push_back({"cut", whole.left(cut)});
  auto broken = [&](void (*f)(PuzzleFile&)) {
    PuzzleFile p = base;
    f(p);
    return SerializePuzzle(p);
  };
  out.push_back({"no words", broken([](PuzzleFile& p) { p.WordCount = 0; })});
  out.push_back({"91 words", broken([](PuzzleFile& p) { p.WordCount = 91; })});
  out.push_back({"board 0", broken([](PuzzleFile& p) { p.BoardSize = 0; })});
  out.push_back({"board 31", broken([](PuzzleFile& p) { p.BoardSize = 31; })});
  out.push_back({"off the board", broken([](PuzzleFile& p) { PlaceEntry(p, 2, 9, 9, 0); })});
  out.push_back({"no direction", broken([](PuzzleFile& p) { PlaceEntry(p, 1, 2, 2, -1); })});
  QByteArray negative = whole;
  negative[12] = '\xff';
  negative[13] = '\xff';
  out.push_back({"negative length", negative});
  PuzzleFile old = MakePuzzle(PuzzleLayout::kOld, 10, Words(3));
  old.WordCount = 61;
  out.push_back({"61 old words", SerializePuzzle(old)});
  return out;
}

TEST_F(OpenPuzzle, ARefusedFileChangesNothingAndSaysWhy) {
  PuzzleFile good =
      MakePuzzle(PuzzleLayout::kVersion2, 7, {QStringLiteral("いぬ"), QStringLiteral("ぬま")});
  PlaceEntry(good, 1, 1, 1, 0);
  good.Score = 10;
  Open(good, QStringLiteral("good.mlt"));
  const QString before = DumpPuzzleState(t.s);
  int k = 0;
  for (const BadFile& bad : BadFiles()) {
    SCOPED_TRACE(::testing::Message() << bad.name << " " << bad.bytes.size());
    const QString name = QStringLiteral("bad%1.mlt").arg(++k);
    const QString path = dir.filePath(name);
    WriteBytes(path, bad.bytes);
    QString expected;
    PuzzleFile ignored;
    ASSERT_FALSE(ReadPuzzleFile(path, &ignored, &expected));
    t.msgs.boxes.clear();
    t.msgs.Press("Ok");
    Choose(path);
    ファイルを開く_Click(t.g);
    ASSERT_EQ(t.msgs.boxes.size(), 1u);
    EXPECT_EQ(t.msgs.boxes[0].Message, expected);
    EXPECT_TRUE(expected.startsWith("「" + name + "」を開けません。"));
    EXPECT_EQ(t.msgs.boxes[0].Title, QStringLiteral("ぬめら"));
    EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});
    EXPECT_EQ(DumpPuzzleState(t.s), before);
  }
  // A file that is not there at all, and a folder.
  for (const QString& path : {dir.filePath("missing.mlt"), dir.path()}) {
    t.msgs.Press("Ok");
    Choose(path);
    ファイルを開く_Click(t.g);
    EXPECT_EQ(DumpPuzzleState(t.s), before);
  }
}

TEST_F(OpenPuzzleChains, ARefusalAfterTheWholeChainStillRestoresThePath) {
  const QString bad = dir.filePath("short.mlt");
  WriteBytes(bad, QByteArray("\x01\x00", 2));
  Choose(bad);
  t.s.Formain.Text1 = QStringLiteral("/before.mlt\r\n");
  t.s.Formain.Text1Caret = static_cast<int>(t.s.Formain.Text1.size());
  for (const char* answer : {"はい", "いいえ", "はい", "ちょっとまて", "はい", "Ok", "Ok", "Ok",
                             "届いた", "よみこんで", "Ok", "Ok"})
    t.msgs.Press(answer);
  ファイルを開く_Click(t.g);
  EXPECT_EQ(t.msgs.Pending(), 0u);
  EXPECT_TRUE(t.msgs.Messages().last().startsWith(QStringLiteral("「short.mlt」を開けません。")));
  EXPECT_EQ(CurrentPuzzlePath(t.s.Formain), QStringLiteral("/before.mlt"));
  EXPECT_EQ(t.s.WordCount, 0);
}

// --- the command line --------------------------------------------------------

TEST_F(OpenPuzzle, APuzzleOnTheCommandLineOpensWithoutAnyChain) {
  t.s.MessageMode = 2;
  const QString path = Write(QStringLiteral("kanji1.v2.mlt"),
                             MakePuzzle(PuzzleLayout::kVersion2, 6, {QStringLiteral("ねこ")}));
  EXPECT_TRUE(OpenPuzzleFromCommandLine(t.g, path));
  EXPECT_TRUE(t.msgs.boxes.empty());
  EXPECT_TRUE(t.files.requests.empty());
  EXPECT_EQ(t.s.WordCount, 1);
  EXPECT_EQ(CurrentPuzzlePath(t.s.Formain), QFileInfo(path).absoluteFilePath());
  EXPECT_EQ(t.s.PuzzleName, QStringLiteral("kanji1"));
  EXPECT_TRUE(t.s.Formain.MenusEnabled);
}

TEST_F(OpenPuzzle, ARefusedCommandLinePuzzleLeavesTheGameEmpty) {
  DrawBoard(t.g);  // the empty window as the start-up shows it
  const QString before = DumpPuzzleState(t.s);
  t.msgs.Press("Ok");
  EXPECT_FALSE(OpenPuzzleFromCommandLine(t.g, dir.filePath("nothere.mlt")));
  EXPECT_EQ(t.msgs.Messages(),
            QStringList{QStringLiteral("「nothere.mlt」を開けません。ファイルが見つかりません。")});
  EXPECT_EQ(DumpPuzzleState(t.s), before);
  EXPECT_FALSE(t.s.Formain.MenusEnabled);
}

}  // namespace
}  // namespace numera
