#include "files/puzzle_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "files/open_puzzle.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"
#include "tests/support/walker.h"

namespace numera::testing {
namespace {

// A version-2 puzzle with 75 words, entries beyond WordCount that still hold
// texts and positions, empty suffixes and negative points.
PuzzleFile SeventyFiveWords() {
  QStringList words;
  for (int i = 1; i <= 90; ++i) words << QStringLiteral("ことば%1").arg(i);
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 30, words);
  p.WordCount = 75;
  p.CountSuffixBytes.clear();
  p.ScoreSuffixBytes.clear();
  p.Entries[4].Points = -250;
  p.Entries[89].Points = -2147483647 - 1;
  p.Entries[88].TextBytes.clear();
  PlaceEntry(p, 1, 0, 0, 0);
  PlaceEntry(p, 2, 3, 5, 1);
  // Entries beyond WordCount are stored as they are, even nonsense.
  p.Entries[80].Used = 1;
  p.Entries[80].X = -7;
  p.Entries[80].Y = 300;
  p.Entries[80].Dir = 9;
  p.PlacedCount = 2;
  p.Score = 30;
  return p;
}

PuzzleFile SixtyOld() {
  QStringList words;
  for (int i = 1; i <= 60; ++i) words << QStringLiteral("ふるい%1").arg(i);
  PuzzleFile p = MakePuzzle(PuzzleLayout::kOld, 12, words);
  p.WordCount = 48;
  p.Entries[59].Points = -3;
  PlaceEntry(p, 7, 2, 2, 1);
  p.PlacedCount = 1;
  p.Score = 70;
  return p;
}

qsizetype TextBytes(const PuzzleFile& p) {
  qsizetype n = p.CountSuffixBytes.size() + p.ScoreSuffixBytes.size();
  for (const PuzzleEntry& e : p.Entries) n += e.TextBytes.size();
  return n;
}

TEST(PuzzleFileVersionText, IsTheTwelveBytesOfFullWidthVersionTwo) {
  EXPECT_EQ(VersionBytes().toHex(), QByteArray("836f815b835783878393 8251").replace(" ", ""));
  EXPECT_EQ(EncodeCp932(VersionText()), VersionBytes());
  EXPECT_EQ(VersionText().size(), 6);
}

TEST(PuzzleFileRoundTrip, BothLayoutsComeBackByteForByte) {
  for (const PuzzleFile& p : {SeventyFiveWords(), SixtyOld()}) {
    const bool v2 = p.Layout == PuzzleLayout::kVersion2;
    const QByteArray bytes = SerializePuzzle(p);
    EXPECT_EQ(bytes.size(), (v2 ? kVersion2FixedBytes : kOldFixedBytes) + TextBytes(p));
    EXPECT_EQ(bytes.startsWith(VersionBytes()), v2);
    PuzzleFile back;
    QString problem;
    ASSERT_TRUE(ParsePuzzle(bytes, &back, &problem)) << problem.toStdString();
    EXPECT_EQ(back.FileVersion == VersionText(), v2);
    back.FileVersion = p.FileVersion;  // an old file's first characters, whatever they are
    EXPECT_EQ(back, p);
    EXPECT_EQ(back.Entries.size(), v2 ? 90u : 60u);
    EXPECT_EQ(SerializePuzzle(back), bytes);
    EXPECT_EQ(PuzzleProblem(back), QString());
  }
}

TEST(PuzzleFileRoundTrip, FieldsLieWhereTheLayoutPutsThem) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 7, {QStringLiteral("ねこ")});
  p.Entries[0].Points = 0x01020304;
  p.CountSuffixBytes = "ab";
  p.ScoreSuffixBytes = "xyz";
  p.PlacedCount = 0x0A0B0C0D;
  p.Score = -2;
  const QByteArray b = SerializePuzzle(p);
  // version text, then word 1: count 4, bytes of ねこ, then 89 empty entries.
  EXPECT_EQ(b.mid(12, 6).toHex(), QByteArray("0400") + EncodeCp932(QStringLiteral("ねこ")).toHex());
  const int points = 12 + 6 + 89 * 2;
  EXPECT_EQ(b.mid(points, 4).toHex(), QByteArray("04030201"));
  const int suffixes = points + 90 * 4;
  EXPECT_EQ(b.mid(suffixes, 4 + 5), QByteArray("\x02\x00\x03\x00"
                                               "abxyz",
                                               9));
  const int sizes = suffixes + 9;
  EXPECT_EQ(b.mid(sizes, 6).toHex(), QByteArray("070002000100"));
  EXPECT_EQ(b.right(8).toHex(), QByteArray("0d0c0b0afeffffff"));
}

TEST(PuzzleFileVersionTest, OnlyTheExactTwelveBytesMakeAVersionTwoFile) {
  // An old-layout file whose first word is long enough that the file begins
  // with "バージョン2" written with an ordinary digit: read as the old
  // layout from byte 0, and it keeps those six characters as its version.
  PuzzleFile old = MakePuzzle(PuzzleLayout::kOld, 5, {QStringLiteral("いぬ")});
  const QByteArray look = EncodeCp932(QStringLiteral("バージョン2"));
  ASSERT_EQ(look.size(), 11);
  const quint16 count = static_cast<quint8>(look[0]) | (static_cast<quint8>(look[1]) << 8);
  QByteArray text = look.mid(2);
  text.append(QByteArray(count - text.size(), 'a'));
  old.Entries[0].TextBytes = text;
  old.MaxWordLength = 1;
  const QByteArray bytes = SerializePuzzle(old);
  ASSERT_TRUE(bytes.startsWith(look));

  PuzzleFile back;
  QString problem;
  ASSERT_TRUE(ParsePuzzle(bytes, &back, &problem)) << problem.toStdString();
  EXPECT_EQ(back.Layout, PuzzleLayout::kOld);
  EXPECT_EQ(back.FileVersion, QStringLiteral("バージョン2"));
  EXPECT_EQ(back.Entries[0].TextBytes, text);
  EXPECT_EQ(SerializePuzzle(back), bytes);

  // A version-2 file with its last version byte changed is no longer one.
  QByteArray v2 = SerializePuzzle(MakePuzzle(PuzzleLayout::kVersion2, 5, {QStringLiteral("いぬ")}));
  v2[11] = '2';
  // Read as the old layout, its first two bytes announce a first word of
  // 28,547 bytes, far more than the file holds.
  PuzzleFile other;
  EXPECT_FALSE(ParsePuzzle(v2, &other, &problem));
  EXPECT_EQ(problem, QStringLiteral("ファイルが途中で終わっています（単語 1 の文字のところ）。"));
}

// Every cut of both layouts is refused; the message says where the file
// ends. The golden file lists each message once (word numbers folded into
// "n") with the first cut that gives it, so a wrong field name or a field
// read out of order shows there.
TEST(PuzzleFileTruncation, EveryCutIsRefusedAndSaysWhereTheFileEnds) {
  QString text;
  for (const PuzzleFile& p : {SeventyFiveWords(), SixtyOld()}) {
    const QByteArray whole = SerializePuzzle(p);
    QSet<QString> seen;
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
      PuzzleFile out;
      QString problem;
      // A cut version-2 file shorter than its version text reads as the
      // old layout, which ends early all the same.
      ASSERT_FALSE(ParsePuzzle(whole.left(cut), &out, &problem)) << "cut at " << cut;
      problem.replace(QRegularExpression(QStringLiteral("単語 \\d+ ")), QStringLiteral("単語 n "));
      if (!seen.contains(problem)) text += QStringLiteral("%1: %2\n").arg(cut).arg(problem);
      seen.insert(problem);
    }
    text += QStringLiteral("%1: whole\n\n").arg(whole.size());
    PuzzleFile out;
    QString problem;
    EXPECT_TRUE(ParsePuzzle(whole, &out, &problem));
    // Bytes after the last field are ignored.
    EXPECT_TRUE(ParsePuzzle(whole + QByteArray(100, '\x7f'), &out, &problem));
    EXPECT_EQ(SerializePuzzle(out), whole);
  }
  const QString diff = CompareWithGolden(QStringLiteral("truncation"), text);
  EXPECT_TRUE(diff.isEmpty()) << diff.toStdString();
}

TEST(PuzzleFileLimits, NegativeLengthsAreRefusedWhileReading) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 5, {QStringLiteral("いぬ")});
  QByteArray bytes = SerializePuzzle(p);
  QByteArray negativeWord = bytes;
  negativeWord[12] = '\xfe';
  negativeWord[13] = '\xff';
  PuzzleFile out;
  QString problem;
  EXPECT_FALSE(ParsePuzzle(negativeWord, &out, &problem));
  EXPECT_EQ(problem, QStringLiteral("単語 1 の長さが -2 バイトになっています。"));

  const int suffixAt = 12 + 6 + 89 * 2 + 90 * 4;
  QByteArray negativeSuffix = bytes;
  negativeSuffix[suffixAt] = negativeSuffix[suffixAt + 1] = '\0';  // no count suffix: fine
  negativeSuffix[suffixAt + 2] = '\xff';
  negativeSuffix[suffixAt + 3] = '\xff';
  EXPECT_FALSE(ParsePuzzle(negativeSuffix, &out, &problem));
  EXPECT_EQ(problem, QStringLiteral("単位の長さが -1 バイトになっています。"));
}

struct LimitCase {
  const char* name;
  void (*breakIt)(PuzzleFile&);
  const char16_t* problem;  // nullptr: accepted
};

PuzzleFile LimitBase(PuzzleLayout layout) {
  return MakePuzzle(layout, 10,
                    {QStringLiteral("ねこ"), QStringLiteral("こま"), QStringLiteral("まど")});
}

const LimitCase kLimitCases[] = {
    {"word count 0", [](PuzzleFile& p) { p.WordCount = 0; },
     u"単語の数が 0 です（1 から 90 までのはずです）。"},
    {"word count 91", [](PuzzleFile& p) { p.WordCount = 91; },
     u"単語の数が 91 です（1 から 90 までのはずです）。"},
    {"word count negative", [](PuzzleFile& p) { p.WordCount = -4; },
     u"単語の数が -4 です（1 から 90 までのはずです）。"},
    {"word count 90", [](PuzzleFile& p) { p.WordCount = 90; }, nullptr},
    {"board size 0", [](PuzzleFile& p) { p.BoardSize = 0; },
     u"盤の大きさが 0 です（1 から 30 までのはずです）。"},
    {"board size 31", [](PuzzleFile& p) { p.BoardSize = 31; },
     u"盤の大きさが 31 です（1 から 30 までのはずです）。"},
    {"board size 1, words of two letters", [](PuzzleFile& p) { p.BoardSize = 1; },
     u"単語 1「ねこ」は 2 文字で、1 × 1 の盤に入りません。"},
    {"board size 2", [](PuzzleFile& p) { p.BoardSize = 2; }, nullptr},
    {"a word longer than the longest announced", [](PuzzleFile& p) { p.MaxWordLength = 1; },
     u"単語 1「ねこ」は 2 文字で、最も長い単語の文字数 1 を超えています。"},
    {"a longest word far wider than the board", [](PuzzleFile& p) { p.MaxWordLength = 2000; },
     nullptr},
    {"two placed words of 600,000,000 points and their score",
     [](PuzzleFile& p) {
       p.Entries[0].Points = p.Entries[1].Points = 600000000;
       PlaceEntry(p, 1, 0, 0, 0);
       PlaceEntry(p, 2, 1, 0, 1);
       p.Score = 1200000000;
     },
     nullptr},
    {"the same score with neither placed",
     [](PuzzleFile& p) {
       p.Entries[0].Points = p.Entries[1].Points = 600000000;
       p.Score = 1200000000;
     },
     u"点数が大きすぎます（単語を置いたり外したりすると、得点が 2147483647 "
     u"を超えることがあります）。"},
    {"words worth the most a score holds",
     [](PuzzleFile& p) { p.Entries[0].Points = 2147483647 - 50; }, nullptr},
    {"one point more", [](PuzzleFile& p) { p.Entries[0].Points = 2147483647 - 49; },
     u"点数が大きすぎます（単語を置いたり外したりすると、得点が 2147483647 "
     u"を超えることがあります）。"},
    {"the lowest score, nothing placed", [](PuzzleFile& p) { p.Score = -2147483647 + 60; },
     nullptr},
    {"board size 30", [](PuzzleFile& p) { p.BoardSize = 30; }, nullptr},
    {"the first text of 32768 bytes", [](PuzzleFile& p) { p.Entries[0].TextBytes.resize(32768); },
     u"単語 1 が長すぎます（32767 バイトまで）。"},
    {"the last text of 32768 bytes", [](PuzzleFile& p) { p.Entries[89].TextBytes.resize(32768); },
     u"単語 90 が長すぎます（32767 バイトまで）。"},
    {"a word text of 32767 bytes", [](PuzzleFile& p) { p.Entries[89].TextBytes.resize(32767); },
     nullptr},
    {"a suffix of 32768 bytes", [](PuzzleFile& p) { p.ScoreSuffixBytes.resize(32768); },
     u"単位が長すぎます（32767 バイトまで）。"},
    {"a count suffix of 32768 bytes", [](PuzzleFile& p) { p.CountSuffixBytes.resize(32768); },
     u"単位が長すぎます（32767 バイトまで）。"},
    {"a count suffix of 32767 bytes", [](PuzzleFile& p) { p.CountSuffixBytes.resize(32767); },
     nullptr},
    {"the most placed words a count holds",
     [](PuzzleFile& p) { p.PlacedCount = 2147483647 - p.WordCount; }, nullptr},
    {"one more", [](PuzzleFile& p) { p.PlacedCount = 2147483647 - p.WordCount + 1; },
     u"置いた単語の数が 2147483645 になっています。"},
    {"one entry short", [](PuzzleFile& p) { p.Entries.pop_back(); },
     u"単語の欄が 89 個あります（90 個のはずです）。"},
    {"negative longest word", [](PuzzleFile& p) { p.MaxWordLength = -1; },
     u"最も長い単語の文字数が -1 になっています。"},
    {"placed across to the last column", [](PuzzleFile& p) { PlaceEntry(p, 1, 8, 9, 0); }, nullptr},
    {"placed down to the last row", [](PuzzleFile& p) { PlaceEntry(p, 2, 9, 8, 1); }, nullptr},
    {"placed across past the edge", [](PuzzleFile& p) { PlaceEntry(p, 1, 9, 0, 0); },
     u"置かれた単語 1「ねこ」が盤からはみ出しています（横向き、位置 (9, 0) から）。"},
    {"placed down past the edge", [](PuzzleFile& p) { PlaceEntry(p, 3, 0, 9, 1); },
     u"置かれた単語 3「まど」が盤からはみ出しています（縦向き、位置 (0, 9) から）。"},
    {"placed on the ring", [](PuzzleFile& p) { PlaceEntry(p, 2, -1, 3, 1); },
     u"置かれた単語 2「こま」が盤からはみ出しています（縦向き、位置 (-1, 3) から）。"},
    {"placed far away", [](PuzzleFile& p) { PlaceEntry(p, 2, 3, 3000, 0); },
     u"置かれた単語 2「こま」が盤からはみ出しています（横向き、位置 (3, 3000) から）。"},
    {"placed in no direction", [](PuzzleFile& p) { PlaceEntry(p, 1, 2, 2, 2); },
     u"置かれた単語 1「ねこ」の向きが 2 です（横 0 か縦 1 のはずです）。"},
    {"unplaced word with any position",
     [](PuzzleFile& p) {
       p.Entries[0].X = -300;
       p.Entries[0].Dir = 7;
     },
     nullptr},
    {"placed word beyond the word count",
     [](PuzzleFile& p) {
       p.Entries[5].TextBytes = EncodeCp932(QStringLiteral("そと"));
       PlaceEntry(p, 6, 40, 40, 3);
     },
     nullptr},
};

TEST(PuzzleFileLimits, EachBrokenLimitIsNamedAndEveryEdgeValueAccepted) {
  for (const LimitCase& c : kLimitCases) {
    PuzzleFile p = LimitBase(PuzzleLayout::kVersion2);
    c.breakIt(p);
    const QString problem = PuzzleProblem(p);
    if (c.problem == nullptr) {
      EXPECT_EQ(problem, QString()) << c.name;
    } else {
      EXPECT_EQ(problem, QString::fromUtf16(c.problem)) << c.name;
    }
  }
}

// The largest states the game can reach are saved and open again; a file
// that announces a longest word wider than the board gets labels no wider
// than the board's widest word needs.
TEST(PuzzleFileLimits, TheLargestStatesTheGameReachesAreSavedAndOpenAgain) {
  QTemporaryDir dir;
  TestGame t;
  t.LoadWords(5, {QStringLiteral("ねこ"), QStringLiteral("こま")});
  t.s.WordPoints(1) = t.s.WordPoints(2) = 600000000;
  t.Place(1, 0, 0, 0);
  t.Place(2, 1, 0, 1);
  ASSERT_EQ(t.s.Score, 1200000000);
  QString message;
  ASSERT_TRUE(WritePuzzleFile(dir.filePath("big.mlt"), PuzzleFromState(t.s), &message))
      << message.toStdString();
  ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, dir.filePath("big.mlt")));
  EXPECT_EQ(t.s.Score, 1200000000);

  int width = 0;
  for (const Integer longest : {30, 2000}) {
    PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 10, {QStringLiteral("いぬ")});
    p.MaxWordLength = longest;
    WriteBytes(dir.filePath("wide.mlt"), SerializePuzzle(p));
    ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, dir.filePath("wide.mlt"))) << longest;
    if (width != 0) {
      EXPECT_EQ(t.s.Formain.WidthTwips, width);
    }
    width = t.s.Formain.WidthTwips;
  }
}

TEST(PuzzleFileLimits, TheOldLayoutHoldsAtMostSixtyWords) {
  PuzzleFile p = LimitBase(PuzzleLayout::kOld);
  p.WordCount = 61;
  EXPECT_EQ(PuzzleProblem(p), QStringLiteral("単語の数が 61 です（1 から 60 までのはずです）。"));
  p.WordCount = 60;
  EXPECT_EQ(PuzzleProblem(p), QString());
}

TEST(PuzzleFileReading, RefusalsNameTheFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PuzzleFile out;
  QString message;
  EXPECT_FALSE(ReadPuzzleFile(dir.filePath("nothing.mlt"), &out, &message));
  EXPECT_EQ(message, QStringLiteral("「nothing.mlt」を開けません。ファイルが見つかりません。"));

  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.mlt"));
  EXPECT_FALSE(ReadPuzzleFile(dir.filePath("folder.mlt"), &out, &message));
  EXPECT_EQ(message, QStringLiteral("「folder.mlt」を開けません。これはフォルダです。"));

  PuzzleFile bad = LimitBase(PuzzleLayout::kVersion2);
  bad.BoardSize = 45;
  WriteBytes(dir.filePath("big.mlt"), SerializePuzzle(bad));
  EXPECT_FALSE(ReadPuzzleFile(dir.filePath("big.mlt"), &out, &message));
  EXPECT_EQ(message,
            QStringLiteral(
                "「big.mlt」を開けません。盤の大きさが 45 です（1 から 30 までのはずです）。"));

  WriteBytes(dir.filePath("empty.mlt"), QByteArray());
  EXPECT_FALSE(ReadPuzzleFile(dir.filePath("empty.mlt"), &out, &message));
  EXPECT_TRUE(message.startsWith(QStringLiteral("「empty.mlt」を開けません。ファイルが途中で")));

  const PuzzleFile good = SeventyFiveWords();
  WriteBytes(dir.filePath("good.mlt"), SerializePuzzle(good));
  ASSERT_TRUE(ReadPuzzleFile(dir.filePath("good.mlt"), &out, &message));
  EXPECT_EQ(out, good);
}

TEST(PuzzleFileTexts, BytesThatReadAmbiguouslyComeBackAsTheyWere) {
  // ED 40 is the second spelling of a character that the converter spells FA
  // 5C; 82 20 is no character at all; a suffix of one byte cuts a character.
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 6, {QStringLiteral("あい")});
  p.Entries[0].TextBytes = QByteArray("\xed\x40\x82\xa0", 4);
  p.Entries[1].TextBytes = QByteArray("\x82\x20\xff", 3);
  p.CountSuffixBytes = QByteArray("\x93", 1);
  p.ScoreSuffixBytes = QByteArray("\x93\x5f", 2);
  ASSERT_NE(EncodeCp932(DecodeCp932(p.Entries[0].TextBytes)), p.Entries[0].TextBytes);
  const QByteArray bytes = SerializePuzzle(p);

  PuzzleFile read;
  QString problem;
  ASSERT_TRUE(ParsePuzzle(bytes, &read, &problem));
  GameState s;
  InstallPuzzle(s, read);
  EXPECT_EQ(s.ScoreSuffix, QStringLiteral("点"));
  EXPECT_EQ(s.SuffixLengths(0), 1);
  EXPECT_EQ(s.SuffixLengths(1), 2);
  EXPECT_EQ(SerializePuzzle(PuzzleFromState(s)), bytes);

  // A text changed in play is written from its characters, with a length
  // that matches, so the file reads back.
  s.Words(2) = QStringLiteral("えお");
  s.ScoreSuffix = QStringLiteral("てん");
  const PuzzleFile out = PuzzleFromState(s);
  EXPECT_EQ(out.Entries[1].TextBytes, EncodeCp932(QStringLiteral("えお")));
  EXPECT_EQ(out.Entries[0].TextBytes, p.Entries[0].TextBytes);
  PuzzleFile back;
  ASSERT_TRUE(ParsePuzzle(SerializePuzzle(out), &back, &problem)) << problem.toStdString();
  EXPECT_EQ(DecodeCp932(back.ScoreSuffixBytes), QStringLiteral("てん"));
}

TEST(PuzzleFileState, InstallingAnOldPuzzleLeavesEntriesBeyondSixtyAlone) {
  GameState s;
  s.Words(61) = QStringLiteral("まえの");
  s.WordPoints(75) = 99;
  s.WordUsed(90) = 1;
  const PuzzleFile old = SixtyOld();
  InstallPuzzle(s, old);
  EXPECT_EQ(s.Words(60), QStringLiteral("ふるい60"));
  EXPECT_EQ(s.Words(61), QStringLiteral("まえの"));
  EXPECT_EQ(s.WordPoints(75), 99);
  EXPECT_EQ(s.WordUsed(90), 1);
  EXPECT_EQ(s.WordCount, 48);
  EXPECT_EQ(s.BoardSize, 12);
  EXPECT_EQ(s.WordUsed(7), 1);
  EXPECT_EQ(s.WordDir(7), 1);
  EXPECT_EQ(s.Score, 70);
  EXPECT_EQ(s.PlacedCount, 1);
  // Written back: the old layout again, only entries 1..60.
  const PuzzleFile out = PuzzleFromState(s);
  EXPECT_EQ(out.Layout, PuzzleLayout::kOld);
  EXPECT_EQ(SerializePuzzle(out), SerializePuzzle(old));
}

TEST(PuzzleFileState, TheLayoutOfSavingFollowsTheVersionText) {
  GameState s;
  InstallPuzzle(s, SeventyFiveWords());
  EXPECT_EQ(s.FileVersion, VersionText());
  EXPECT_EQ(PuzzleFromState(s).Layout, PuzzleLayout::kVersion2);
  EXPECT_EQ(SerializePuzzle(PuzzleFromState(s)), SerializePuzzle(SeventyFiveWords()));
  s.FileVersion = QStringLiteral("バージョン2");
  EXPECT_EQ(PuzzleFromState(s).Layout, PuzzleLayout::kOld);
  s.FileVersion.clear();
  EXPECT_EQ(PuzzleFromState(s).Layout, PuzzleLayout::kOld);
}

TEST(PuzzleFileWriting, WritesExactlyTheNewContentOverALongerFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.mlt");
  WriteBytes(path, QByteArray(5000, 'z'));
  const PuzzleFile p = LimitBase(PuzzleLayout::kVersion2);
  QString message;
  ASSERT_TRUE(WritePuzzleFile(path, p, &message)) << message.toStdString();
  EXPECT_EQ(ReadBytes(path), SerializePuzzle(p));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.mlt"});
}

TEST(PuzzleFileWriting, APuzzleTheGameWouldRefuseIsNeverWritten) {
  QTemporaryDir dir;
  PuzzleFile p = LimitBase(PuzzleLayout::kOld);
  p.WordCount = 70;
  QString message;
  EXPECT_FALSE(WritePuzzleFile(dir.filePath("p.mlt"), p, &message));
  EXPECT_EQ(
      message,
      QStringLiteral(
          "「p.mlt」に保存できませんでした。単語の数が 70 です（1 から 60 までのはずです）。"));
  EXPECT_FALSE(QFile::exists(dir.filePath("p.mlt")));
}

}  // namespace
}  // namespace numera::testing
