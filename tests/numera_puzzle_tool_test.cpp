// The puzzle authors' tool, run as a program: the JSON it speaks (info,
// pack) and its workshop (check, solve, make), judged by the game's rules.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include "files/puzzle_file.h"
#include "files/puzzle_json.h"
#include "play/board_check.h"
#include "play/letter_grid.h"
#include "tests/puzzle_test_util.h"
#include "tests/tool_run.h"
#include "tools/workshop/checker.h"

namespace numera {
namespace {

using testing::MakePuzzle;
using testing::PlaceEntry;
using testing::ReadBytes;
using testing::Tool;
using testing::ToolRun;
using testing::WriteBytes;
using workshop::CheckReport;

class PuzzleTool : public ::testing::Test {
 protected:
  QString File(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("%1%2").arg(++count).arg(name));
    WriteBytes(path, bytes);
    return path;
  }
  QString Json(const QByteArray& text) { return File("src.json", text); }
  // A puzzle file from JSON, as pack writes it.
  QString Puzzle(const QByteArray& json) {
    PuzzleFile p;
    QString problem;
    EXPECT_TRUE(PuzzleFromJson(json, &p, &problem)) << problem.toStdString();
    return File("p.mlt", SerializePuzzle(p));
  }
  PuzzleFile Read(const QString& path) {
    PuzzleFile p;
    QString message;
    EXPECT_TRUE(ReadPuzzleFile(path, &p, &message)) << message.toStdString();
    return p;
  }
  QTemporaryDir dir;
  int count = 0;
};

TEST_F(PuzzleTool, PackFillsInWhatTheSourceLeavesOut) {
  const QString out = dir.filePath("small.mlt");
  auto pack = [&](const QByteArray& json) { return Tool({"pack", Json(json), out}).exitCode; };
  ASSERT_EQ(
      pack(R"({"board_size": 5, "words": [{"text": "ねこ"}, {"text": "いぬい", "points": -3}]})"),
      0);
  const PuzzleFile p = Read(out);
  EXPECT_EQ(p.Layout, PuzzleLayout::kVersion2);
  EXPECT_EQ(p.WordCount, 2);
  EXPECT_EQ(p.MaxWordLength, 3);
  EXPECT_EQ(p.ScoreSuffixBytes, EncodeCp932(QStringLiteral("　")));
  EXPECT_EQ(p.Entries[1].Points, -3);
  EXPECT_EQ(p.Entries[89], PuzzleEntry{});
  EXPECT_EQ(ReadBytes(out).size(), kVersion2FixedBytes + 4 + 6 + 4);

  ASSERT_EQ(pack(R"({"layout": "old", "board_size": 4, "word_count": 1, "count_suffix": "",
      "words": [{"text": "ねこ", "used": 1, "x": 1, "dir": 1}, {"text": "よぶん"}],
      "placed_count": 1})"),
            0);
  const PuzzleFile old = Read(out);
  EXPECT_EQ(old.Entries.size(), 60u);
  EXPECT_EQ(old.MaxWordLength, 2);  // from the words within the word count
  EXPECT_EQ(old.Entries[0].Dir, 1);
  EXPECT_TRUE(old.CountSuffixBytes.isEmpty());
  EXPECT_EQ(ReadBytes(out).size(), kOldFixedBytes + 4 + 6 + 2);
}

TEST_F(PuzzleTool, RefusesWhatItCannotDoWithAClearMessageAndWritesNothing) {
  PuzzleFile wide = MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")});
  wide.BoardSize = 31;
  const QString wideFile = File("wide.mlt", SerializePuzzle(wide));
  QByteArray many;
  for (int i = 0; i < 91; ++i) many += "ねこ\n";
  auto words = [this](const QByteArray& lines) { return File("w.txt", lines); };
  struct Case {
    QStringList args;  // "OUT" stands for the file that must not appear
    int code;
    const char16_t* message;
  };
  const Case cases[] = {
      {{"info", wideFile},
       1,
       u"wide.mlt」を開けません。盤の大きさが 31 です（1 から 30 までのはずです）"},
      {{"check", dir.filePath("none.mlt")},
       2,
       u"「none.mlt」を開けません。ファイルが見つかりません。"},
      {{"solve", wideFile, "--write", "OUT"}, 2, u"盤の大きさが 31 です"},
      {{"frobnicate", "OUT"}, 2, u"numera-puzzle pack"},
      {{"pack", Json(R"({"board_size": 0, "words": [{"text": "ね"}]})"), "OUT"},
       1,
       u"盤の大きさが 0 です"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ねこま", "used": 1, "x": 1}]})"),
        "OUT"},
       1,
       u"置かれた単語 1「ねこま」が盤からはみ出しています"},
      {{"pack", Json(R"({"board_size": 3, "colour": 1, "words": [{"text": "ね"}]})"), "OUT"},
       1,
       u"パズルに知らない項目「colour」があります。"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ね", "points": "5"}]})"), "OUT"},
       1,
       u"単語 1 の「points」は -2147483648 から 2147483647 までの整数にしてください。"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ね", "points": 1.5}]})"), "OUT"},
       1,
       u"単語 1 の「points」は -2147483648 から 2147483647 までの整数にしてください。"},
      {{"pack", Json(R"({"board_size": 3, "suffix_lengths": [1, 2], "words": [{"text": "ね"}]})"),
        "OUT"},
       1,
       u"「suffix_lengths」は単位のバイト数 [2, 2] と合っていません。"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ね", "bytes": "82cc"}]})"), "OUT"},
       1,
       u"単語 1 の「text」と「bytes」が食い違っています。"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ね", "bytes": "8g"}]})"), "OUT"},
       1,
       u"単語 1 の「bytes」は 16 進数の文字列にしてください。"},
      {{"pack", Json(R"({"words": [{"text": "ね"}]})"), "OUT"},
       1,
       u"「board_size」（盤の大きさ）がありません。"},
      {{"pack", Json(R"({"board_size": 3, "layout": "v3", "words": []})"), "OUT"},
       1,
       u"「layout」は \"version2\" か \"old\" にしてください。"},
      {{"pack", Json(R"({"board_size": 3, "words": {"text": "ね"}})"), "OUT"},
       1,
       u"「words」は配列にしてください。"},
      {{"pack",
        Json(R"({"board_size": 3, "layout": "old", "words": [)" +
             QByteArray(R"({"text": "ね"},)").repeated(60) + R"({"text": "ね"}]})"),
        "OUT"},
       1,
       u"単語が 61 個あります（この形式では 60 個まで）。"},
      {{"pack", Json("[3]"), "OUT"}, 1, u"JSON の一番外側はオブジェクトにしてください。"},
      {{"pack", Json(R"({"board_size": 3, "words": [)"), "OUT"},
       1,
       u"JSON として読めません（28 文字目: unterminated array）。"},
      {{"pack", Json(R"({"board_size": 3, "words": [{"text": "ね😀"}]})"), "OUT"},
       1,
       u"単語 1 の「text」にシフト JIS で書けない文字があります。"},
      {{"make", words("ねこまど\n"), "--size", "3", "OUT"},
       1,
       u"「ねこまど」は 3 × 3 の盤に入りません。"},
      {{"make", words("ねこ\n😀\n"), "--size", "3", "OUT"},
       1,
       u"「😀」にはシフト JIS で書けない文字があります。"},
      {{"make", words(many), "--size", "30", "OUT"},
       1,
       u"単語は 1 個から 90 個までにしてください（91 個です）。"},
      {{"make", words("ねこ\nいぬ\n"), "--size", "3", "OUT"},
       1,
       u"この単語をすべて 3 × 3 の盤に並べることはできません。"},
      {{"make", words("ねこ\tたくさん\n"), "--size", "3", "OUT"},
       1,
       u"1 行目は「単語」か「単語<タブ>点数」にしてください。"},
      {{"make", words("ねこ\n\t20\n"), "--size", "3", "OUT"},
       1,
       u"2 行目は「単語」か「単語<タブ>点数」にしてください。"},
      {{"make", "--dictionary", "--size", "31", "OUT"},
       2,
       u"--size には 1 から 30 までの数を書いてください。"},
  };
  const QString out = dir.filePath("refused.mlt");
  for (const Case& c : cases) {
    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("OUT"), out);
    SCOPED_TRACE(args.join(' ').toStdString());
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.exitCode, c.code);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf16(c.message)))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(QFile::exists(dir.filePath("refused.solution.mlt")));
  }
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

// U(x,y) a letter the fill did not reach; R or C a run in a row or column
// that touches an empty cell, with its letters and its open ends.
QString Reasons(const CheckReport& r) {
  QStringList out;
  auto cell = [](const workshop::Cell& c) { return QStringLiteral("(%1,%2)").arg(c.X).arg(c.Y); };
  for (const workshop::Cell& c : r.Unconnected) out << QStringLiteral("U") + cell(c);
  for (const workshop::OpenRun& run : r.OpenRuns) {
    QStringList ends;
    for (const workshop::Cell& c : run.OpenEnds) ends << cell(c);
    out << QStringLiteral("%1%2-%3:%4")
               .arg(run.Across ? "R" : "C", cell(run.From), cell(run.To), ends.join(','));
  }
  return out.join(' ');
}

TEST(WorkshopCheck, AgreesWithTheGamesBoardCheckOnBoardsWrittenAsText) {
  // A board with its ring, rows split by "/": a letter, "×" an end mark,
  // "・" an empty cell.
  const std::tuple<const char*, const char*, bool, const char*> cases[] = {
      {"empty", "・・・・・/・・・・・/・・・・・/・・・・・/・・・・・", true, ""},
      {"one word", "・・・・・/×ねこ×・/・・・・・/・・・・・/・・・・・", true, ""},
      {"a mark on one side only", "・・・・・/×ねこま・/・・・・・/・・・・・/・・・・・", false,
       "R(0,0)-(2,0):(3,0)"},
      {"open at the right border", "・・・・・/・・・ね・/・・・こ・/・・・・・/・・・・・", false,
       "C(2,0)-(2,1):(2,-1),(2,2)"},
      {"closed by the ring on every side", "・×・×・/×あいう×/・か・け・/×たちつ×/・×・×・", true,
       ""},
      {"not connected", "・・・・・/×ね×・・/・・・・・/・・×こ×/・・・・・", false, "U(0,0)"},
      {"side by side", "・・・・・/×ねこ×・/×いぬ×・/・・・・・/・・・・・", false,
       "C(0,0)-(0,1):(0,-1),(0,2) C(1,0)-(1,1):(1,-1),(1,2)"},
      {"side by side, closed by marks", "・××・・/×ねこ×・/×いぬ×・/・××・・/・・・・・", true, ""},
  };
  for (const auto& [name, text, complete, reasons] : cases) {
    SCOPED_TRACE(name);
    const QStringList rows = QString::fromUtf8(text).split('/');
    const int n = static_cast<int>(rows.size()) - 2;
    GameState game, tool;
    LetterGrid grid(n);
    game.BoardSize = tool.BoardSize = static_cast<Integer>(n);
    for (int y = -1; y <= n; ++y) {
      for (int x = -1; x <= n; ++x) {
        const QChar ch = rows[y + 1][x + 1];
        game.Board(x, y) = tool.Board(x, y) = ch == u'・' ? QString() : QString(ch);
        grid(x, y) = ch == u'・' ? kEmptyCell : ch.unicode();
      }
    }
    BCheck(game);
    CheckReport report;
    workshop::JudgeBoard(tool, &report);
    FlagGrid flags(n);
    int reached = 0;
    EXPECT_EQ(game.NoRecord == 0, complete);
    EXPECT_EQ(report.Complete, complete);
    EXPECT_EQ(BoardComplete(grid, n, flags, &reached), complete);
    EXPECT_EQ(reached, game.CheckCount);
    EXPECT_EQ(Reasons(report), QString::fromUtf8(reasons));
    EXPECT_EQ(report.Board, rows);
  }
}

TEST_F(PuzzleTool, CheckPlaysTheStoredPlacementsAndSaysWhyABoardIsIncomplete) {
  const QByteArray placed = R"({"board_size": 4, "placed_count": 3, "words": [
      {"text": "ねこ", "points": 20, "used": 1, "x": 0, "y": 0, "dir": 0},
      {"text": "いぬ", "points": 20, "used": 1, "x": 0, "y": 1, "dir": 0},
      {"text": "こま", "points": 20, "used": 1, "x": 1, "y": 0, "dir": 0}]})";
  const QString path = Puzzle(placed);
  const ToolRun r = Tool({"check", path, "--json"});
  EXPECT_EQ(r.exitCode, 1);
  const QJsonObject o = r.Json();
  EXPECT_EQ(o["score"].toInt(), 40);
  EXPECT_EQ(o["placed_count"].toInt(), 2);
  EXPECT_FALSE(o["complete"].toBool());
  // こま would put its ま on the end mark of ねこ: the fit test refuses it.
  EXPECT_EQ(o["refused"].toArray().size(), 1);
  EXPECT_EQ(o["refused"][0]["index"].toInt(), 3);
  EXPECT_EQ(o["open_runs"].toArray().size(), 2);
  EXPECT_EQ(o["open_runs"][0]["column"].toInt(), 0);
  EXPECT_EQ(Tool({"check", path}).out.count("端の閉じていない並び"), 2);
  // Without いぬ the board the game shows is complete, but こま still
  // cannot be placed where the file says.
  const ToolRun refused =
      Tool({"check",
            Puzzle(QByteArray(placed).replace("\"used\": 1, \"x\": 0, \"y\": 1", "\"used\": 0"))});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.out.contains("置けない単語: 3「こま」(1, 0) 横"))
      << refused.out.toStdString();
}

TEST_F(PuzzleTool, SolveFindsAndProvesTheBestBoardOfSmallPuzzles) {
  const std::tuple<const char*, int, const char*, int, int, int> cases[] = {
      // name, board size, text:points..., best score, words on that board, bound
      {"every word fits", 3, "ねこ:20,こま:20", 40, 2, 40},
      {"one word shares no letter", 3, "ねこ:20,こま:20,いぬ:20", 40, 2, 40},
      {"the highest word stays out", 4, "あいうえ:35,かき:20,きく:20", 40, 2, 40},
      {"a word worth less than nothing", 3, "ねこ:20,こま:-5", 20, 1, 20},
      {"the same word twice", 3, "ねこ:20,ねこ:20", 40, 2, 40},
      {"nothing worth placing", 2, "ねこ:-30", 0, 0, 0},
      {"a word without letters is never placed", 3, "ねこ:20,:15", 20, 1, 35},
  };
  for (const auto& [name, size, list, score, placed, bound] : cases) {
    SCOPED_TRACE(name);
    QJsonArray words;
    for (const QString& w : QString::fromUtf8(list).split(','))
      words.append(
          QJsonObject{{"text", w.section(':', 0, 0)}, {"points", w.section(':', 1).toInt()}});
    const QString path =
        Puzzle(QJsonDocument(QJsonObject{{"board_size", size}, {"words", words}}).toJson());
    const QString out = dir.filePath("solved.mlt");
    const ToolRun r = Tool({"solve", path, "--json", "--seed", "3", "--write", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.Json()["score"].toInt(), score);
    EXPECT_EQ(r.Json()["proven"].toBool(), bound == score);
    EXPECT_EQ(r.Json()["bound"].toInt(), bound);
    const QJsonObject check = Tool({"check", out, "--json"}).Json();
    EXPECT_TRUE(check["complete"].toBool());
    EXPECT_EQ(check["score"].toInt(), score);
    EXPECT_EQ(check["placed_count"].toInt(), placed);
    const ToolRun text = Tool({"solve", path, "--seed", "3"});
    EXPECT_TRUE(text.out.contains(bound == score ? "探索を終えました" : "上限 35点、差 42.9 %"))
        << text.out.toStdString();
  }
}

TEST_F(PuzzleTool, MakeWritesAPuzzleTheGameOpensAndASolutionItJudgesComplete) {
  const QStringList runs[] = {
      {"make", File("w.txt", "ねこ\nこま\t15\nまど\r\n\nどうぐ\n"), "--size", "5", "--seed", "4"},
      {"make", "--dictionary", "--size", "8", "--words", "12", "--seed", "2"}};
  for (const QStringList& args : runs) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const bool listed = !args.contains("--dictionary");
    const QString out = dir.filePath("made.mlt"), again = dir.filePath("again.mlt");
    ASSERT_EQ(Tool(args + QStringList{out}).exitCode, 0);
    ASSERT_EQ(Tool(args + QStringList{again}).exitCode, 0);
    EXPECT_EQ(ReadBytes(out), ReadBytes(again));  // the same seed, the same puzzle
    EXPECT_EQ(QDir(dir.path()).entryList({".numera-*"}, QDir::Hidden | QDir::Files), QStringList());
    const PuzzleFile p = Read(out);
    EXPECT_EQ(p.Layout, PuzzleLayout::kVersion2);
    EXPECT_EQ(p.PlacedCount, 0);
    EXPECT_EQ(p.WordCount, listed ? 4 : 12);
    const QJsonObject check = Tool({"check", dir.filePath("made.solution.mlt"), "--json"}).Json();
    EXPECT_TRUE(check["complete"].toBool());
    EXPECT_EQ(check["placed_count"].toInt(), p.WordCount);
    for (int i = 0; i < p.WordCount; ++i) {
      const QString text = p.Entries[static_cast<std::size_t>(i)].Text();
      const int points = p.Entries[static_cast<std::size_t>(i)].Points;
      EXPECT_EQ(points, listed && text == QStringLiteral("こま") ? 15 : 10 * text.size());
      if (listed) continue;
      EXPECT_TRUE(text.size() >= 2 && text.size() <= 8);
      for (const QChar ch : text) EXPECT_TRUE(ch >= u'ぁ' && ch <= u'ん') << text.toStdString();
    }
  }
  // The puzzle and its solution are a pair: when the puzzle cannot be
  // written (a second name), the solution already there stays as it was.
  const QString out = dir.filePath("made.mlt"), solution = dir.filePath("made.solution.mlt");
  ASSERT_EQ(::link(QFile::encodeName(out).constData(),
                   QFile::encodeName(dir.filePath("second name")).constData()),
            0);
  const QByteArray puzzle = ReadBytes(out), solved = ReadBytes(solution);
  const ToolRun failed = Tool(runs[0] + QStringList{"--seed", "5", out});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(QString::fromUtf8(failed.err),
            QStringLiteral(
                "「made.mlt」に保存できませんでした。このファイルには別の名前"
                "（ハードリンク）があるので書き換えません。どのファイルも書き換えていません。\n"));
  EXPECT_EQ(ReadBytes(out), puzzle);
  EXPECT_EQ(ReadBytes(solution), solved);
}

}  // namespace
}  // namespace numera
