#include "files/save_puzzle.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/open_puzzle.h"
#include "files/puzzle_file.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::MakePuzzle;
using testing::PlaceEntry;
using testing::ReadBytes;
using testing::TestGame;
using testing::WriteBytes;

const QString kSaved = QStringLiteral("保存されました。");
const QString kIncomplete = QStringLiteral("盤面が不完全ですが保存しますか？");

PuzzleFile SeventyFive() {
  QStringList words;
  for (int i = 1; i <= 90; ++i) words << QStringLiteral("たんご%1").arg(i);
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 20, words);
  p.WordCount = 75;
  p.CountSuffixBytes.clear();
  p.ScoreSuffixBytes.clear();
  p.Entries[2].Points = -40;
  p.Entries[85].Used = 1;  // beyond the word count: stored, never drawn
  p.Entries[85].X = 99;
  PlaceEntry(p, 3, 0, 0, 0);
  p.PlacedCount = 1;
  p.Score = -40;
  return p;
}

class SavePuzzle : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    t.s.AppPath = dir.path();
  }
  // Puts a puzzle file in play as the game opens one.
  void OpenFile(const PuzzleFile& p, const QString& name = QStringLiteral("kanji1.mlt")) {
    path = dir.filePath(name);
    original = SerializePuzzle(p);
    WriteBytes(path, original);
    ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, path));
    ASSERT_TRUE(t.msgs.boxes.empty());
  }
  // Places word i as a placement would, making the board differ from the file.
  void PlayWord(int i, int x, int y, int dir) {
    t.s.WordUsed(i) = 1;
    t.s.WordX(i) = static_cast<Integer>(x);
    t.s.WordY(i) = static_cast<Integer>(y);
    t.s.WordDir(i) = static_cast<Integer>(dir);
    t.s.PlacedCount += 1;
    t.s.Score += t.s.WordPoints(i);
  }
  QStringList FilesInFolder() const { return QDir(dir.path()).entryList(QDir::Files); }

  QTemporaryDir dir;
  TestGame t;
  QString path;
  QByteArray original;
};

TEST_F(SavePuzzle, AnUnchangedVersionTwoPuzzleIsWrittenBackByteForByte) {
  OpenFile(SeventyFive());
  WriteBytes(path, QByteArray(9000, 'x'));  // longer than the puzzle
  t.msgs.Press("Ok");
  上書き保存する_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), QStringList{kSaved});
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(FilesInFolder(), QStringList{"kanji1.mlt"});
}

TEST_F(SavePuzzle, AnUnchangedOldPuzzleIsWrittenBackInTheOldLayout) {
  QStringList words;
  for (int i = 1; i <= 60; ++i) words << QStringLiteral("ふる%1").arg(i);
  PuzzleFile old = MakePuzzle(PuzzleLayout::kOld, 11, words);
  old.WordCount = 33;
  OpenFile(old);
  t.s.MessageMode = 1;
  上書き保存する_Click(t.g);
  EXPECT_TRUE(t.msgs.boxes.empty());
  const QByteArray written = ReadBytes(path);
  EXPECT_EQ(written, original);
  EXPECT_FALSE(written.startsWith(VersionBytes()));
}

TEST_F(SavePuzzle, ThePlayedBoardIsWhatGetsWritten) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8,
                      {QStringLiteral("ねこ"), QStringLiteral("こま"), QStringLiteral("いぬ")}));
  PlayWord(1, 2, 2, 0);
  PlayWord(2, 3, 2, 1);
  t.msgs.Press("Ok");
  上書き保存する_Click(t.g);
  PuzzleFile back;
  QString message;
  ASSERT_TRUE(ReadPuzzleFile(path, &back, &message)) << message.toStdString();
  EXPECT_EQ(back.Entries[1].Used, 1);
  EXPECT_EQ(back.Entries[1].X, 3);
  EXPECT_EQ(back.Entries[1].Dir, 1);
  EXPECT_EQ(back.PlacedCount, 2);
  EXPECT_EQ(back.Score, 30);
  EXPECT_EQ(SerializePuzzle(back), SerializePuzzle(PuzzleFromState(t.s)));
}

TEST_F(SavePuzzle, SavingUnderANameWritesPuzzleNameDashScoreBesideTheProgram) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  t.s.Score = 120;
  t.msgs.Press("Ok");
  名前が付いて保存_Click(t.g);
  const QString named = dir.filePath("kanji1-120.mlt");
  ASSERT_TRUE(QFile::exists(named));
  EXPECT_EQ(ReadBytes(path), original);  // the opened file is left alone
  EXPECT_EQ(CurrentPuzzlePath(t.s.Formain), path);

  // The same name again overwrites without asking; a negative score keeps
  // its minus sign.
  t.s.PlacedCount = 4;
  t.msgs.Press("Ok");
  名前が付いて保存_Click(t.g);
  PuzzleFile back;
  QString message;
  ASSERT_TRUE(ReadPuzzleFile(named, &back, &message));
  EXPECT_EQ(back.PlacedCount, 4);
  t.s.Score = -5;
  t.msgs.Press("Ok");
  名前が付いて保存_Click(t.g);
  EXPECT_TRUE(QFile::exists(dir.filePath("kanji1--5.mlt")));
  EXPECT_EQ(t.msgs.Messages(), (QStringList{kSaved, kSaved, kSaved}));
}

TEST_F(SavePuzzle, AnIncompleteBoardIsQuestionedInEverySetting) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  QFile::remove(path);
  for (Integer mode : {0, 1, 2, 3}) {
    t.s.MessageMode = mode;
    t.s.NoRecord = 1;
    t.msgs.boxes.clear();
    t.msgs.Press("いいえ");
    上書き保存する_Click(t.g);
    t.msgs.Press("いいえ");
    名前が付いて保存_Click(t.g);
    EXPECT_EQ(t.msgs.Messages(), (QStringList{kIncomplete, kIncomplete})) << mode;
    EXPECT_EQ(t.msgs.boxes[0].Captions, (QStringList{"はい", "いいえ"}));
    EXPECT_TRUE(FilesInFolder().isEmpty()) << mode;
  }
}

TEST_F(SavePuzzle, YesToTheIncompleteQuestionWithNoMessagesSavesQuietly) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  QFile::remove(path);
  t.s.MessageMode = 1;
  t.s.NoRecord = 1;
  t.msgs.Press("はい");
  上書き保存する_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), QStringList{kIncomplete});
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(SavePuzzle, StandardAndWhimsicalSettingsOnlySaySaved) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  for (Integer mode : {0, 3}) {
    t.s.MessageMode = mode;
    t.msgs.boxes.clear();
    t.msgs.Press("Ok");
    上書き保存する_Click(t.g);
    EXPECT_EQ(t.msgs.Messages(), QStringList{kSaved}) << mode;
    EXPECT_EQ(t.msgs.boxes[0].Captions, QStringList{"Ok"});
  }
}

// The only way through the persistent chain that saves.
const std::vector<const char*> kSavingWay = {
    "Ok",   "まちがえてない", "そうだ",   "はい", "おうよ！", "ちがう", "いやいやいや", "はい",
    "うん", "してください",   "しません", "保存", "もちろん", "Ok",     "ほ　ぞ　ん",   "Ok",
    "Ok"};

TEST_F(SavePuzzle, ThePersistentChainSavesAfterTwentyBoxesAndAPause) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  QFile::remove(path);
  t.s.MessageMode = 2;
  for (const char* a : kSavingWay) t.msgs.Press(a);
  t.msgs.Press("いいえ");
  t.msgs.Press("はい");
  bool writtenDuringPause = false;
  t.pump.on_events = [&] { writtenDuringPause |= QFile::exists(path); };
  const std::uint32_t start = t.clock.now;
  上書き保存する_Click(t.g);
  const QStringList expected{
      "あなたは「保存する」をクリックしました。",
      "近くの「設定」や「終了」などと間違えていませんか？",
      "つまりあなたは自ら望んで「保存する」を選んだのですね？",
      "「保存する」のですか？",
      "本当に？",
      "本当に間違えてクリックしたのではないのですね？",
      "実は「ヘルプ」をクリックしようとしたとか。",
      "つまりあなたは自ら望んで「保存する」を選んだのですね？",
      "本当に？",
      "本当に保存するのですか？",
      "後悔しませんか？",
      "今ならまだ間に合いますよ？",
      "本当に保存するのですか？",
      "分かりました。保存します。",
      "今ならまだ間に合いますよ？",
      "保存します。",
      "少しお待ち下さい。",
      "もしかしたら何らかのバグや環境が原因で保存できていないかもしれません。"
      "念のため、もう一度保存しますか？",
      "本当に？",
  };
  EXPECT_EQ(t.msgs.Messages(), expected);
  EXPECT_EQ(t.msgs.boxes[7].Captions, (QStringList{"はい", "自らの意思でないが保存する"}));
  EXPECT_EQ(t.msgs.boxes[10].Captions, (QStringList{"しません", "する…かも…"}));
  EXPECT_EQ(t.msgs.boxes[14].Captions, (QStringList{"ほ　ぞ　ん", "やめとく"}));
  for (const auto& box : t.msgs.boxes) EXPECT_EQ(box.Title, QStringLiteral("ぬめら"));
  EXPECT_GE(t.clock.now - start, 1000u);
  EXPECT_GT(t.pump.calls, 0);
  EXPECT_FALSE(writtenDuringPause);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(SavePuzzle, EveryWayOutOfThePersistentChainWritesNothing) {
  struct Way {
    std::vector<const char*> answers;
    const char16_t* last;
  };
  const Way ways[] = {
      {{"Ok", "まちがえた", "Ok"}, u"気をつけてくださいね。"},
      {{"Ok", "まちがえてない", "自らの意思ではない", "はい", "まちがえた", "Ok"},
       u"気をつけてくださいね。"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "まちがえた", "Ok"},
       u"気をつけてくださいね。"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "実は…", "そうなのです"},
       u"そうですか。"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "いやいやいや",
        "自らの意思でないが保存する", "うん", "しない"},
       u"本当に保存するのですか？"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "いやいやいや", "はい",
        "うん", "してください", "する…かも…", "Ok"},
       u"　出　直　せ　"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "いやいやいや", "はい",
        "うん", "してください", "しません", "やめとく"},
       u"今ならまだ間に合いますよ？"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "いやいやいや", "はい",
        "うん", "してください", "しません", "保存", "やめとく"},
       u"本当に保存するのですか？"},
      {{"Ok", "まちがえてない", "そうだ", "はい", "おうよ！", "ちがう", "いやいやいや", "はい",
        "うん", "してください", "しません", "保存", "もちろん", "Ok", "やめとく"},
       u"今ならまだ間に合いますよ？"},
  };
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  QFile::remove(path);
  t.s.MessageMode = 2;
  for (const Way& way : ways) {
    t.msgs.boxes.clear();
    for (const char* a : way.answers) t.msgs.Press(a);
    上書き保存する_Click(t.g);
    EXPECT_EQ(t.msgs.Pending(), 0u);
    EXPECT_EQ(t.msgs.Messages().last(), QString::fromUtf16(way.last));
    for (const char* a : way.answers) t.msgs.Press(a);
    名前が付いて保存_Click(t.g);
    EXPECT_EQ(t.msgs.Pending(), 0u);
    EXPECT_TRUE(FilesInFolder().isEmpty()) << way.answers.size();
  }
  EXPECT_EQ(t.clock.now, 1000u);  // never paused
}

TEST_F(SavePuzzle, TheAfterSavingLoopRepeatsWithoutWritingAgain) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  t.s.MessageMode = 2;
  for (const char* a : kSavingWay) t.msgs.Press(a);
  for (const char* a : {"はい", "Ok", "はい", "Ok", "いいえ", "いいえ", "いいえ", "はい"})
    t.msgs.Press(a);
  int loopBoxes = 0;
  t.msgs.on_show = [&](const MessageBoxRequest& box) {
    // Once the file is written, take it away: an extra write would bring it
    // back.
    if (box.Message.startsWith(QStringLiteral("もしかしたら")) && loopBoxes++ == 0)
      QFile::remove(path);
  };
  上書き保存する_Click(t.g);
  EXPECT_EQ(t.msgs.Pending(), 0u);
  const QStringList tail = t.msgs.Messages().mid(17);
  ASSERT_EQ(tail.size(), 8);
  EXPECT_TRUE(tail[0].startsWith(QStringLiteral("もしかしたら")));
  EXPECT_EQ(tail[1], kSaved);
  EXPECT_TRUE(tail[2].startsWith(QStringLiteral("もしかしたら")));
  EXPECT_EQ(tail[3], kSaved);
  EXPECT_TRUE(tail[4].startsWith(QStringLiteral("もしかしたら")));
  EXPECT_EQ(tail.mid(5), (QStringList{"本当に？", "本当に？", "本当に？"}));
  EXPECT_EQ(t.msgs.boxes.back().Captions, (QStringList{"はい", "いいえ"}));
  EXPECT_FALSE(QFile::exists(path));
}

TEST(SavePuzzleAfterMessages, NoMessagesMeansNoBox) {
  TestGame t;
  t.s.MessageMode = 1;
  保存後メッセージ(t.g);
  EXPECT_TRUE(t.msgs.boxes.empty());
}

TEST_F(SavePuzzle, AfterACancelledDialogOverwritingWritesNothingAnywhere) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  t.files.result.reset();
  ファイルを開く_Click(t.g);
  const QStringList here = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);
  t.msgs.Press("Ok");
  上書き保存する_Click(t.g);
  ASSERT_EQ(t.msgs.boxes.size(), 1u);
  EXPECT_TRUE(
      t.msgs.boxes[0].Message.startsWith(QStringLiteral("上書きするファイルがありません。")));
  EXPECT_FALSE(t.msgs.Messages().contains(kSaved));
  EXPECT_EQ(FilesInFolder(), QStringList{"kanji1.mlt"});
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::Hidden), here);
}

TEST_F(SavePuzzle, AnEmptyStatusBoxEndsTheSaveSilently) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  QFile::remove(path);
  t.s.Formain.Text1.clear();
  t.s.Formain.Text1Caret = 0;
  上書き保存する_Click(t.g);
  EXPECT_TRUE(t.msgs.boxes.empty());
  EXPECT_TRUE(FilesInFolder().isEmpty());
}

TEST_F(SavePuzzle, AFileChosenButDeclinedIsNeverWrittenOver) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  const QString other = dir.filePath("other.mlt");
  const QByteArray otherBytes =
      SerializePuzzle(MakePuzzle(PuzzleLayout::kVersion2, 5, {QStringLiteral("いぬ")}));
  WriteBytes(other, otherBytes);
  t.s.MessageMode = 2;
  t.files.result = OpenFileResult{other, QStringLiteral("other.mlt")};
  for (const char* a : {"はい", "いいえ", "はい", "わかった"}) t.msgs.Press(a);
  ファイルを開く_Click(t.g);
  ASSERT_EQ(t.s.Words(1), QStringLiteral("ねこ"));
  EXPECT_EQ(t.s.PuzzleName, QStringLiteral("kanji1"));
  t.s.MessageMode = 0;
  t.msgs.Press("Ok");
  上書き保存する_Click(t.g);
  EXPECT_EQ(ReadBytes(other), otherBytes);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(SavePuzzle, AWriteThatFailsSaysSoAndNeverSaved) {
  OpenFile(MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")}));
  // The program folder is an ordinary file here, so nothing can go into it.
  const QString notAFolder = dir.filePath("plain");
  WriteBytes(notAFolder, "x");
  t.s.AppPath = notAFolder;
  for (Integer mode : {0, 2}) {
    t.s.MessageMode = mode;
    t.msgs.boxes.clear();
    if (mode == 2)
      for (const char* a : kSavingWay) t.msgs.Press(a);
    t.msgs.Press("Ok");
    名前が付いて保存_Click(t.g);
    EXPECT_EQ(t.msgs.Pending(), 0u);
    EXPECT_EQ(
        t.msgs.Messages().last(),
        QStringLiteral("「kanji1-0.mlt」に保存できませんでした。"
                       "書き込みが許可されているか、ディスクに空きがあるか確かめてください。"));
    EXPECT_FALSE(t.msgs.Messages().contains(kSaved));
  }
}

}  // namespace
}  // namespace numera
