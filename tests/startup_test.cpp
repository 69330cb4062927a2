#include "core/startup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/settings_file.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::ProgramEnded;
using testing::TestGame;

QByteArray Record(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int v : values) {
    char le[2];
    qToLittleEndian<qint16>(static_cast<qint16>(v), le);
    bytes.append(le, 2);
  }
  return bytes;
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("Data"));
    t.s.AppPath = dir.path();
  }
  void WriteDataDat(const QByteArray& bytes) {
    QFile f(dir.path() + "/Data/Data.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QTemporaryDir dir;
  TestGame t;
};

TEST_F(StartupTest, FullRecordAppliesEverySetting) {
  QByteArray rec = Record({3, 2, 1, 2, 1, 1, 1});
  rec.append(QByteArray(34, '\0'));
  ASSERT_EQ(rec.size(), 48);
  WriteDataDat(rec);
  t.rng.values = {0.5};  // the random background
  // MessageMode 2: the shortest way through the chain.
  for (const char* c : {"はい", "はい", "はい", "はい", "明るい", "いいよ", "まかせて",
                        "ばっちこーい", "はいよ", "Ok", "はい"})
    t.msgs.Press(c);
  Main(t.g);
  EXPECT_EQ(t.s.CrossKind, 3);
  EXPECT_EQ(t.s.BackgroundKind, 2);
  EXPECT_EQ(t.s.Formain.BackColor, static_cast<Colour>(0.5 * 1677216));
  EXPECT_EQ(t.s.FontKind, 1);
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ 明朝");
  EXPECT_EQ(t.s.MessageMode, 2);
  EXPECT_EQ(t.s.SoundSwitch(0), 1);
  EXPECT_EQ(t.s.SoundSwitch(1), 1);
  EXPECT_EQ(t.s.SoundSwitch(2), 1);
  for (int i = 3; i <= 19; ++i) EXPECT_EQ(t.s.SoundSwitch(i), 0) << i;
  EXPECT_EQ(t.msgs.boxes.size(), 11u);
  EXPECT_EQ(t.win.shown, 1);
  EXPECT_EQ(t.rng.seeded, 1);
}

TEST_F(StartupTest, MissingDataDatIsCreatedEmptyAndDefaultsApply) {
  Main(t.g);  // no box may appear: the host would throw
  EXPECT_EQ(QFileInfo(dir.path() + "/Data/Data.dat").size(), 0);
  EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Data/Data.dat"));
  EXPECT_EQ(t.s.MessageMode, 0);
  EXPECT_EQ(t.s.Formain.BackColor, 0x008000);
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ ゴシック");
  EXPECT_EQ(t.win.shown, 1);
  EXPECT_FALSE(t.s.Formain.MenusEnabled);
}

TEST_F(StartupTest, EightByteRecordLeavesTheSoundsOff) {
  WriteDataDat(Record({1, 3, 2, 0}));
  Main(t.g);
  EXPECT_EQ(t.s.CrossKind, 1);
  EXPECT_EQ(t.s.Formain.BackColor, 0x400000);
  EXPECT_EQ(t.s.Formain.PimainFontName, "@ＭＳ ゴシック");
  for (int i = 0; i <= 19; ++i) EXPECT_EQ(t.s.SoundSwitch(i), 0);
}

TEST_F(StartupTest, OddLengthRecordReadsOnlyWholeFields) {
  WriteDataDat(Record({1, 1}) + QByteArray("\x03", 1));
  Main(t.g);
  EXPECT_EQ(t.s.CrossKind, 1);
  EXPECT_EQ(t.s.BackgroundKind, 1);
  EXPECT_EQ(t.s.FontKind, 0);
}

TEST_F(StartupTest, OutOfRangeSettingsAreSimplyNotApplied) {
  WriteDataDat(Record({9, 7, -1, 5}));
  Main(t.g);
  EXPECT_EQ(t.s.BackgroundKind, 7);
  EXPECT_EQ(t.s.Formain.BackColor, kDesignBackColor);
  EXPECT_EQ(t.s.Formain.PimainFontName, "ＭＳ ゴシック");  // the design font stays
  EXPECT_EQ(t.win.shown, 1);
}

TEST_F(StartupTest, SoundsAreReadWholeIntoABufferOneByteLonger) {
  QFile f(dir.path() + "/Data/sound3.wav");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("RIFFabc");
  f.close();
  Main(t.g);
  EXPECT_EQ(t.s.SoundData(3), QByteArray("RIFFabc\0", 8));
  EXPECT_EQ(t.s.SoundData(0), QByteArray(1, '\0'));  // created empty
  EXPECT_TRUE(QFileInfo::exists(dir.path() + "/Data/sound9.wav"));
  EXPECT_TRUE(t.s.SoundData(4).isEmpty());  // slots without a file have no buffer
}

TEST_F(StartupTest, ChainCanEndTheProgramWithoutShowingTheWindow) {
  WriteDataDat(Record({0, 0, 0, 2}));
  for (const char* c :
       {"はい", "いいえ", "はい", "はい", "はい", "しない", "Ok", "わかった", "了解", "了解"})
    t.msgs.Press(c);
  try {
    Main(t.g);
    FAIL() << "the program should have ended";
  } catch (const ProgramEnded& end) {
    EXPECT_EQ(end.ExitCode, 0);
  }
  EXPECT_EQ(t.win.shown, 0);
  EXPECT_EQ(t.msgs.boxes.size(), 10u);
  EXPECT_EQ(t.msgs.boxes.back().Message, "絶対に絶対ですよ？");
  EXPECT_EQ(t.msgs.boxes.back().Captions, (QStringList{"了解", "断る"}));
}

TEST_F(StartupTest, NotYetAtTheBrightRoomQuestionAsksAgain) {
  WriteDataDat(Record({0, 0, 0, 2}));
  for (const char* c : {"いいえ", "はい", "はい", "はい", "暗い", "まだ", "まだ", "まだ", "した",
                        "いいよ", "まかせて", "ばっちこーい", "はいよ", "Ok", "はい"})
    t.msgs.Press(c);
  Main(t.g);
  const QStringList m = t.msgs.Messages();
  EXPECT_EQ(m.count("明るくしましたか？"), 4);
  EXPECT_EQ(t.win.shown, 1);
  for (const QString& title : t.msgs.Titles()) EXPECT_EQ(title, "ぬめら");
}

TEST_F(StartupTest, EveryWayOfRefusingLeadsBackToTheQuestion) {
  WriteDataDat(Record({0, 0, 0, 2}));
  // Walks every branch that leads back into the chain (refusals, "くへっ。", the desk,
  // "いやだ", "もういいよ", a last "いいえ") before finally letting the game start.
  for (const char* c : {"はい",         "いいえ",
                        "いいえ",       "ホント勘弁してください",
                        "くへっ。",     "閉じる",
                        "はい",         "いいえ",
                        "開く",         "いいえ",
                        "開く",         "はい",
                        "いいえ",       "いいえ",
                        "開く",         "はい",
                        "はい",         "明るい",
                        "いやだ",       "いいえ",
                        "開く",         "はい",
                        "はい",         "明るい",
                        "いいよ",       "ゴメン無理だと思う",
                        "くへっ。",     "開く",
                        "はい",         "はい",
                        "明るい",       "いいよ",
                        "まかせて",     "保障してくれなきゃ困る。",
                        "くへっ。",     "開く",
                        "はい",         "はい",
                        "明るい",       "いいよ",
                        "まかせて",     "ばっちこーい",
                        "もういいよ",   "開く",
                        "はい",         "はい",
                        "明るい",       "いいよ",
                        "まかせて",     "ばっちこーい",
                        "はいよ",       "Ok",
                        "いいえ",       "はい",
                        "はい",         "はい",
                        "しない",       "否",
                        "開く",         "はい",
                        "はい",         "明るい",
                        "いいよ",       "まかせて",
                        "ばっちこーい", "はいよ",
                        "Ok",           "はい"})
    t.msgs.Press(c);
  Main(t.g);
  EXPECT_EQ(t.msgs.Pending(), 0u);
  EXPECT_EQ(t.win.shown, 1);
  const QStringList m = t.msgs.Messages();
  EXPECT_TRUE(m.contains("後で私のデスクに来なさい。"));
  EXPECT_TRUE(m.contains("くへっ。"));
  EXPECT_EQ(t.msgs.boxes[13].Captions, QStringList{"いいえ"});  // step 14's only button
}

TEST_F(StartupTest, MissingDataFolderIsReportedAndEndsWithAnError) {
  ASSERT_TRUE(QDir(dir.path() + "/Data").removeRecursively());
  t.msgs.Press("Ok");
  try {
    Main(t.g);
    FAIL() << "start-up should not go on without its Data folder";
  } catch (const ProgramEnded& end) {
    EXPECT_NE(end.ExitCode, 0);
  }
  ASSERT_EQ(t.msgs.boxes.size(), 1u);
  EXPECT_TRUE(t.msgs.boxes[0].Message.contains("Data")) << t.msgs.boxes[0].Message.toStdString();
  EXPECT_EQ(t.win.shown, 0);
}

TEST(StartupState, ResetClearsThePuzzleAndDisablesTheCommands) {
  GameState s;
  s.Words(90) = "x";
  s.WordUsed(5) = 1;
  s.Score = 7;
  s.Board(30, 30) = "あ";
  s.CountSuffix = "個";
  s.Formain.MenusEnabled = true;
  ResetGameState(s);
  EXPECT_TRUE(s.Words(90).isEmpty());
  EXPECT_EQ(s.WordUsed(5), 0);
  EXPECT_EQ(s.Score, 0);
  EXPECT_TRUE(s.Board(30, 30).isEmpty());
  EXPECT_EQ(s.CountSuffix, "\u3000");
  EXPECT_FALSE(s.Formain.MenusEnabled);
}

TEST(CheckedArrays, IndexOutsideTheRangeThrows) {
  GameState s;
  EXPECT_THROW(s.Words(0), std::out_of_range);
  EXPECT_THROW(s.Words(91), std::out_of_range);
  EXPECT_THROW(s.Board(-2, 0), std::out_of_range);
  EXPECT_THROW(s.Board(0, 31), std::out_of_range);
  EXPECT_THROW(s.SoundSwitch(20), std::out_of_range);
  EXPECT_NO_THROW(s.Board(-1, 30));
  EXPECT_NO_THROW(s.Words(90));
}

}  // namespace
}  // namespace numera
