// The puzzle authors' tool, run as a program, and the JSON it speaks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "files/puzzle_file.h"
#include "files/puzzle_json.h"
#include "tests/puzzle_test_util.h"

namespace numera {
namespace {

using testing::MakePuzzle;
using testing::PlaceEntry;
using testing::ReadBytes;
using testing::WriteBytes;

struct ToolRun {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

QString ToolPath() {
  return QStringLiteral(NUMERA_BUILD_DIR "/numera-puzzle");
}

ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(ToolPath(), args);
  ToolRun r;
  if (!p.waitForFinished(30000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

class PuzzleTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFileInfo(ToolPath()).isExecutable())
        << "build the numera-puzzle target first: " << ToolPath().toStdString();
    ASSERT_TRUE(dir.isValid());
  }
  QString Json(const QByteArray& text) {
    const QString path = dir.filePath(QStringLiteral("src%1.json").arg(++count));
    WriteBytes(path, text);
    return path;
  }
  QTemporaryDir dir;
  int count = 0;
};

QStringList BundledNames() {
  QStringList names;
  for (const QString& f :
       QDir(QStringLiteral(NUMERA_SOURCE_DIR "/puzzles")).entryList({"*.json"}, QDir::Files))
    names << QFileInfo(f).completeBaseName();
  return names;
}

TEST_F(PuzzleTool, InfoAgreesWithTheGameAndPackGivesBackEveryBundledPuzzle) {
  const QStringList names = BundledNames();
  ASSERT_GE(names.size(), 4);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString built = QStringLiteral(NUMERA_BUILD_DIR "/") + name + ".mlt";
    PuzzleFile game;
    QString message;
    ASSERT_TRUE(ReadPuzzleFile(built, &game, &message)) << message.toStdString();
    const ToolRun info = Tool({"info", built});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_EQ(info.out, PuzzleToJson(game));
    const QString again = dir.filePath(name + ".mlt");
    const ToolRun pack = Tool({"pack", Json(info.out), again});
    ASSERT_EQ(pack.exitCode, 0) << pack.err.toStdString();
    EXPECT_EQ(ReadBytes(again), ReadBytes(built));
  }
}

TEST_F(PuzzleTool, InfoOfAFileTheGameRefusesPrintsTheGamesMessage) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")});
  p.BoardSize = 31;
  const QString path = dir.filePath("wide.mlt");
  WriteBytes(path, SerializePuzzle(p));
  const ToolRun r = Tool({"info", path});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(QString::fromUtf8(r.err),
            QStringLiteral(
                "「wide.mlt」を開けません。盤の大きさが 31 です（1 から 30 までのはずです）。\n"));

  const ToolRun missing = Tool({"info", dir.filePath("none.mlt")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(QString::fromUtf8(missing.err),
            QStringLiteral("「none.mlt」を開けません。ファイルが見つかりません。\n"));
}

TEST_F(PuzzleTool, PackFillsInWhatTheSourceLeavesOut) {
  const QString out = dir.filePath("small.mlt");
  const ToolRun r = Tool(
      {"pack",
       Json(R"({"board_size": 5, "words": [{"text": "ねこ"}, {"text": "いぬい", "points": -3}]})"),
       out});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  PuzzleFile p;
  QString message;
  ASSERT_TRUE(ReadPuzzleFile(out, &p, &message)) << message.toStdString();
  EXPECT_EQ(p.Layout, PuzzleLayout::kVersion2);
  EXPECT_EQ(p.WordCount, 2);
  EXPECT_EQ(p.MaxWordLength, 3);
  EXPECT_EQ(p.BoardSize, 5);
  EXPECT_EQ(p.CountSuffixBytes, EncodeCp932(QStringLiteral("　")));
  EXPECT_EQ(p.ScoreSuffixBytes, EncodeCp932(QStringLiteral("　")));
  EXPECT_EQ(p.PlacedCount, 0);
  EXPECT_EQ(p.Score, 0);
  EXPECT_EQ(p.Entries[0].Points, 0);
  EXPECT_EQ(p.Entries[1].Points, -3);
  EXPECT_EQ(p.Entries[1].Text(), QStringLiteral("いぬい"));
  EXPECT_EQ(p.Entries[89], PuzzleEntry{});
  EXPECT_EQ(ReadBytes(out).size(), kVersion2FixedBytes + 4 + 6 + 4);
}

TEST_F(PuzzleTool, PackWritesTheOldLayoutWhenAskedTo) {
  const QString out = dir.filePath("old.mlt");
  const ToolRun r = Tool({"pack", Json(R"({"layout": "old", "board_size": 4, "word_count": 1,
                               "count_suffix": "", "score_suffix": "点",
                               "words": [{"text": "ねこ", "used": 1, "x": 1, "y": 0, "dir": 1},
                                         {"text": "よぶん"}],
                               "placed_count": 1, "score": 0})"),
                          out});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  PuzzleFile p;
  QString message;
  ASSERT_TRUE(ReadPuzzleFile(out, &p, &message)) << message.toStdString();
  EXPECT_EQ(p.Layout, PuzzleLayout::kOld);
  EXPECT_EQ(p.Entries.size(), 60u);
  EXPECT_EQ(p.WordCount, 1);
  EXPECT_EQ(p.MaxWordLength, 2);  // from the words within the word count
  EXPECT_EQ(p.Entries[1].Text(), QStringLiteral("よぶん"));
  EXPECT_EQ(p.Entries[0].Dir, 1);
  EXPECT_TRUE(p.CountSuffixBytes.isEmpty());
  EXPECT_EQ(ReadBytes(out).size(), kOldFixedBytes + 4 + 6 + 2);
}

TEST_F(PuzzleTool, PackRefusesWhatTheGameWouldRefuseAndWritesNothing) {
  const std::pair<const char*, const char16_t*> cases[] = {
      {R"({"board_size": 5, "words": []})", u"単語の数が 0 です"},
      {R"({"board_size": 5, "word_count": 3, "words": [{"text": "ね"}]})", nullptr},
      {R"({"board_size": 0, "words": [{"text": "ね"}]})", u"盤の大きさが 0 です"},
      {R"({"words": [{"text": "ね"}]})", u"「board_size」（盤の大きさ）がありません。"},
      {R"({"board_size": 3, "words": [{"text": "ねこま", "used": 1, "x": 1}]})",
       u"置かれた単語 1「ねこま」が盤からはみ出しています"},
      {R"({"board_size": 3, "layout": "v3", "words": [{"text": "ね"}]})",
       u"「layout」は \"version2\" か \"old\" にしてください。"},
      {R"({"board_size": 3, "colour": 1, "words": [{"text": "ね"}]})",
       u"パズルに知らない項目「colour」があります。"},
      {R"({"board_size": 3, "words": [{"text": "ね", "point": 5}]})",
       u"単語 1 に知らない項目「point」があります。"},
      {R"({"board_size": 3, "words": [{"text": "ね", "points": 1.5}]})",
       u"単語 1 の「points」は -2147483648 から 2147483647 までの整数にしてください。"},
      {R"({"board_size": 3, "words": [{"text": "ね", "x": 40000}]})",
       u"単語 1 の「x」は -32768 から 32767 までの整数にしてください。"},
      {R"({"board_size": 3, "suffix_lengths": [1, 2], "words": [{"text": "ね"}]})",
       u"「suffix_lengths」は単位のバイト数 [2, 2] と合っていません。"},
      {R"({"board_size": 3, "words": [{"text": "ね", "bytes": "82cc"}]})",
       u"単語 1 の「text」と「bytes」が食い違っています。"},
      {R"({"board_size": 3, "words": [{"text": "😀"}]})", u"シフト JIS で書けない文字があります"},
      {R"({"board_size": 3, "words": [)", u"JSON として読めません"},
  };
  for (const auto& [json, phrase] : cases) {
    SCOPED_TRACE(json);
    const QString out = dir.filePath("refused.mlt");
    const ToolRun r = Tool({"pack", Json(json), out});
    if (phrase == nullptr) {
      // Three words in the list of which only one is given: the others are
      // empty entries, which the game takes.
      EXPECT_EQ(r.exitCode, 0);
      QFile::remove(out);
      continue;
    }
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf16(phrase)))
        << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(QStringLiteral("「src")));
    EXPECT_FALSE(QFile::exists(out));
  }
}

TEST_F(PuzzleTool, WithoutAKnownCommandItShowsHowToUseIt) {
  const ToolRun r = Tool({});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(QString::fromUtf8(r.err).contains(QStringLiteral("numera-puzzle pack")));
  EXPECT_EQ(Tool({"frobnicate", "x"}).exitCode, 2);
}

TEST(PuzzleJson, TextsWhoseBytesReadAmbiguouslyTravelAsBytes) {
  PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, 6, {QStringLiteral("あい")});
  p.Entries[0].TextBytes = QByteArray("\xed\x40\x82\xa0", 4);
  p.Entries[3].TextBytes = QByteArray("\x82", 1);
  p.ScoreSuffixBytes = QByteArray("\x93", 1);
  const QByteArray json = PuzzleToJson(p);
  EXPECT_TRUE(json.contains(R"("bytes": "ed4082a0")"));
  EXPECT_TRUE(json.contains(R"("score_suffix_bytes": "93")"));
  EXPECT_FALSE(json.contains(R"("count_suffix_bytes")"));
  PuzzleFile back;
  QString problem;
  ASSERT_TRUE(PuzzleFromJson(json, &back, &problem)) << problem.toStdString();
  EXPECT_EQ(SerializePuzzle(back), SerializePuzzle(p));
}

TEST(PuzzleJson, EveryStoredEntryIsListedInFileOrder) {
  PuzzleFile p =
      MakePuzzle(PuzzleLayout::kOld, 9, {QStringLiteral("ねこ"), QStringLiteral("いぬ")});
  p.Entries[59].TextBytes = EncodeCp932(QStringLiteral("さいご"));
  PlaceEntry(p, 2, 3, 4, 1);
  const QByteArray json = PuzzleToJson(p);
  EXPECT_TRUE(json.startsWith("{\n  \"layout\": \"old\",\n  \"board_size\": 9,\n"));
  EXPECT_EQ(json.count("\"text\""), 60);
  EXPECT_TRUE(
      json.contains(R"({"text": "いぬ", "points": 20, "used": 1, "x": 3, "y": 4, "dir": 1})"));
  EXPECT_LT(json.indexOf("いぬ"), json.indexOf("さいご"));
  PuzzleFile back;
  QString problem;
  ASSERT_TRUE(PuzzleFromJson(json, &back, &problem)) << problem.toStdString();
  EXPECT_EQ(back, p);
}

}  // namespace
}  // namespace numera
