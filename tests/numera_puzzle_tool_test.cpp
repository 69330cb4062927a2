// The puzzle authors' tool, run as a program: the JSON it speaks (info,
// pack) and its workshop (check, solve, make), judged by the game's rules.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "files/puzzle_file.h"
#include "files/puzzle_json.h"
#include "play/board_check.h"
#include "play/letter_grid.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/walker.h"
#include "tests/tool_run.h"
#include "workshop/checker.h"
#include "workshop/command_line.h"
#include "workshop/word_list.h"

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

// Every command's help, then each case run in a folder of its own holding
// the files it names (a "*.mlt" given as JSON is packed first): the exit
// code, standard output ("| "), standard error ("! ") and the files the
// run left beside them. Reviewed in tests/golden/workshop.txt.
TEST(WorkshopTranscript, EveryMessageHelpAndFileAsTheAuthorMeetsThem) {
  PuzzleFile wide = MakePuzzle(PuzzleLayout::kVersion2, 8, {QStringLiteral("ねこ")});
  wide.BoardSize = 31;
  const QByteArray small =
      R"({"board_size": 4, "words": [{"text": "ねこ", "points": 20}, {"text": "こま", "points": 15}]})";
  const QByteArray solved = QByteArray(small)
                                .replace("20}", R"(20, "used": 1})")
                                .replace("15}", R"(15, "used": 1, "x": 1, "dir": 1})");
  const QByteArray broken = R"({"board_size": 10, "words": [
      {"text": "ねこ", "points": 20, "used": 1, "x": 8, "y": 8},
      {"text": "いぬ", "points": 20, "used": 1, "x": 0, "y": 1},
      {"text": "いちご", "points": 30, "used": 1, "x": 0, "y": 1, "dir": 1},
      {"text": "ごりら", "points": 30, "used": 1, "x": 0, "y": 3},
      {"text": "らっぱ", "points": 30, "used": 1, "x": 2, "y": 3, "dir": 1},
      {"text": "ぬま", "points": 20, "used": 1, "x": 1, "y": 1, "dir": 1},
      {"text": "こま", "points": 20, "used": 1, "x": 7, "y": 0},
      {"text": "まめ", "points": 20, "used": 1, "x": 8, "y": 0, "dir": 1},
      {"text": "いか", "points": 20, "used": 1, "x": 0, "y": 1}]})";
  const QByteArray sideBySide = R"({"board_size": 3, "words": [
      {"text": "ねこ", "points": 20, "used": 1}, {"text": "いぬ", "points": 20, "used": 1, "y": 1}]})";
  const QByteArray mixed =
      "ねこ\nこま\nねこ\nぱんだ\nあいうえおかきくけこ\nabc\nパン\t-5\nまど\t99999\n";
  const QByteArray blocked = "ねこ\nこま\t15\nまど\nどうぐ\nらり\nりる\n";
  // Forty foods that fit a 15 x 15 board crowd a 10 x 10 one: no search
  // places them all there, and none proves it in seconds.
  PuzzleFile tabemono;
  QString problem;
  ASSERT_TRUE(
      PuzzleFromJson(ReadBytes(NUMERA_SOURCE_DIR "/puzzles/tabemono.json"), &tabemono, &problem));
  QByteArray foods;
  for (int i = 0; i < tabemono.WordCount; ++i)
    foods += tabemono.Entries[static_cast<std::size_t>(i)].Text().toUtf8() + '\n';
  auto pack = [](const char* json) { return std::pair{"a.json", QByteArray(json)}; };
  auto words = [](const QByteArray& lines) { return std::pair{"w.txt", lines}; };
  using Files = std::vector<std::pair<const char*, QByteArray>>;
  std::vector<std::pair<QString, Files>> cases = {
      {"", {}},
      {"--help", {}},
      {"frobnicate a.mlt", {}},
      {"make --size", {}},
      {"make w.txt --size 3", {words("ねこ\n")}},
      {"make w.txt out.mlt", {words("ねこ\n")}},
      {"make w.txt --size nan out.mlt", {words("ねこ\n")}},
      {"make --dictionary w.txt --size 3 out.mlt", {words("ねこ\n")}},
      {"make --dictionary --size 31 out.mlt", {}},
      {"make --dictionary --size 3 out.mlt", {}},
      {"make --dictionary --size 8 --seed 2 out.mlt", {}},
      {"make --dictionary --size 10 --words 3 out.mlt", {}},
      {"~make --dictionary --size 3 --words 7 --seconds 0.2 out.mlt", {}},
      {"make w.txt --size 3 --words 91 out.mlt", {words("ねこ\n")}},
      {"make w.txt --size 3 --seconds 0 out.mlt", {words("ねこ\n")}},
      {"make w.txt --size 3 --seed -1 out.mlt", {words("ねこ\n")}},
      {"make w.txt --size 3 out.mlt", {words(QByteArray(4 * 1024 * 1024 + 1, 'a'))}},
      {"check --frob a.mlt", {{"a.mlt", small}}},
      {"print a.mlt -o out.pdf -x", {{"a.mlt", small}}},
      {"check a.mlt a.mlt", {{"a.mlt", small}}},
      {"info", {}},
      {"check -", {}},
      {"print a.mlt -o out.pdf --copies 1.5", {{"a.mlt", small}}},
      {"solve a.mlt --threads 0", {{"a.mlt", small}}},
      {"print a.mlt -o out.pdf --paper b5", {{"a.mlt", small}}},
      {"print a.mlt -o out.pdf --copies 101", {{"a.mlt", small}}},
      {"info wide.mlt", {{"wide.mlt", SerializePuzzle(wide)}}},
      {"info a.mlt", {{"a.mlt", solved}}},
      {"check none.mlt", {}},
      {"solve wide.mlt --write out.mlt", {{"wide.mlt", SerializePuzzle(wide)}}},
      {"print a.mlt wide.mlt -o out.pdf", {{"a.mlt", small}, {"wide.mlt", SerializePuzzle(wide)}}},
      {"pack a.json sub/out.mlt", {pack(small)}},
      {"make w.txt --size 3 sub/out.mlt", {words("ねこ\n")}},
      {"solve a.mlt --write a.mlt/out.mlt", {{"a.mlt", small}}},
      {"print a.mlt -o sub/out.pdf", {{"a.mlt", small}}},
      {"print a.mlt -o x.pdf", {{"a.mlt", small}, {"x.pdf/", ""}}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 0, "words": [{"text": "ね"}]})")}},
      {"pack a.json out.mlt",
       {pack(R"({"board_size": 3, "words": [{"text": "ねこま", "used": 1, "x": 1}]})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "colour": 1, "words": []})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": [{"points": "5"}]})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": [{"points": 1.5}]})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "suffix_lengths": [1, 2]})")}},
      {"pack a.json out.mlt",
       {pack(R"({"board_size": 3, "words": [{"text": "ね", "bytes": "82cc"}]})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": [{"bytes": "8g"}]})")}},
      {"pack a.json out.mlt", {pack(R"({"words": []})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "layout": "v3"})")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": {"text": "ね"}})")}},
      {"pack a.json out.mlt",
       {{"a.json", R"({"board_size": 3, "layout": "old", "words": [)" +
                       QByteArray(R"({"text": "ね"},)").repeated(60) + R"({"text": "ね"}]})"}}},
      {"pack a.json out.mlt", {pack("[3]")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": [)")}},
      {"pack a.json out.mlt", {pack(R"({"board_size": 3, "words": [{"text": "ね😀"}]})")}},
      {"make w.txt --size 3 out.mlt", {words("ねこまど\nまど\n")}},
      {"make w.txt --size 3 out.mlt", {words("ねこ\n😀\n")}},
      {"make w.txt --size 30 out.mlt", {words(QByteArray("ねこ\n").repeated(91))}},
      {"make w.txt --size 30 out.mlt", {words(QByteArray("ねこ\n").repeated(90))}},
      // As many katakana words as hiragana ones: a hiragana list.
      {"make w.txt --size 3 out.mlt", {words("ねこ\nイヌ\n")}},
      {"make w.txt --size 5 out.mlt", {words(mixed)}},
      {"make w.txt --size 5 out.mlt --drop", {words(mixed)}},
      {"make w.txt --size 3 out.mlt",
       {words("ねこ\nこま\nまど\nどて\nてら\nらい\nいね\nねる\nるす\n")}},
      {"make w.txt --size 3 out.mlt", {words("ねこ\tたくさん\n")}},
      {"make w.txt --size 3 out.mlt", {words("ねこ\n\t20\n")}},
      {"make w.txt --size 3 --words 5 out.mlt", {words("ねこ\nこま\n")}},
      // Time enough to prove it on a slow machine: the search ends there.
      {"make w.txt --size 5 --seconds 600 out.mlt", {words(blocked)}},
      {"make w.txt --size 5 out.mlt --drop", {words(blocked)}},
      // Two of these cross at あ, never three; their points tell which were drawn.
      {"make w.txt --size 3 --words 2 --seed 3 out.mlt",
       {words("あい\t1\nあう\t2\nあえ\t4\nあお\t8\nあか\t16\n")}},
      {"make w.txt --size 5 out.mlt", {words("パン\t0\nパンダ\t9999\nダンス\nすし\nねこ\n")}},
      {"make w.txt --size 1 puzzle", {words("ね\n")}},
      {"make w.txt --size 3 x.mlt", {words("ねこ\nこま\n"), {"x.mlt/", ""}}},
      {"make w.txt --size 3 out.mlt", {words("\n\n")}},
      {"make w.txt --size 3 out.mlt", {words("ね こ\n")}},
      {"make w.txt --size 3 out.mlt", {words("ねこ\t1\t2\n")}},
      {"make w.txt --size 3 out.mlt", {words("\xff\n")}},
      {"make w.txt --size 3 out.mlt", {words("あいう\nかきく\nさしす\nあかさ\nいきし\nうくす\n")}},
      {"FONTCONFIG_FILE=none.conf print a.mlt -o out.pdf",
       {{"a.mlt", small}, {"none.conf", "<fontconfig/>"}}},
      {"~make w.txt --size 10 --seconds 2 out.mlt", {words(foods)}},
      {"~make w.txt --size 10 --seconds 2 out.mlt --drop", {words(foods)}},
      {"check a.mlt", {{"a.mlt", broken}}},
      {"check a.mlt --json", {{"a.mlt", broken}}},
      {"check a.mlt --json", {{"a.mlt", sideBySide}}},
      {"check a.mlt", {{"a.mlt", sideBySide}}},
      {"check a.mlt", {{"a.mlt", small}}},
      {"check a.mlt", {{"a.mlt", solved}}},
  };
  // The help of every command the parser knows, from its own table.
  const QByteArray manual = ReadBytes(NUMERA_SOURCE_DIR "/package/numera-puzzle.6.in");
  for (const workshop::Command& c : workshop::Commands()) {
    SCOPED_TRACE(c.Name.toStdString());
    cases.push_back({c.Name + " --help", {}});
    const ToolRun help = Tool({c.Name, "--help"}), shortHelp = Tool({c.Name, "x", "-h"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(shortHelp.out, help.out);
    EXPECT_TRUE(manual.contains(c.Name.toUtf8()));
    for (const workshop::Option& o : c.Options) {
      for (const QString& name : {o.Name, o.Alias}) {
        const QByteArray spelled = name.toUtf8().replace("-", "\\-");
        EXPECT_TRUE(
            name.isEmpty() ||
            (help.out.contains(name.toUtf8() + (o.Value.isEmpty() ? "" : " " + o.Value.toUtf8())) &&
             manual.contains(spelled)))
            << name.toStdString();
      }
    }
  }
  QString transcript;
  for (const auto& [line, files] : cases) {
    QTemporaryDir folder;
    for (const auto& [name, bytes] : files) {
      PuzzleFile p;
      QString problem;
      const bool packed = QByteArray(name).endsWith(".mlt") && bytes.startsWith('{') &&
                          PuzzleFromJson(bytes, &p, &problem);
      if (QByteArray(name).endsWith('/'))  // a folder
        QDir(folder.path()).mkdir(name);
      else
        WriteBytes(folder.filePath(name), packed ? SerializePuzzle(p) : bytes);
    }
    const QStringList given = QDir(folder.path()).entryList(QDir::Files);
    // Settings of the environment come first, as in a shell.
    QStringList args = QString(line).remove('~').split(' ', Qt::SkipEmptyParts), environment;
    while (!args.isEmpty() && args[0].contains('=')) {  // a file of the folder by its path
      const QString value = args[0].section('=', 1);
      environment << args.takeFirst().section('=', 0, 0) + '=' +
                         (QFile::exists(folder.filePath(value)) ? folder.filePath(value) : value);
    }
    const ToolRun r = Tool(args, folder.path(), environment);
    transcript += QStringLiteral("$ numera-puzzle %1\n%2\n").arg(line).arg(r.exitCode);
    // What a run that ends at its time limit ("~" before it) found depends
    // on the machine: its numbers and word lists are written as # and 「…」.
    // Elsewhere a slow machine may give a first answer before the search
    // ends; that line is left out.
    // The first answer's two times make up the whole (10 s unless given).
    static const QRegularExpression times("(\\S+) 秒で見つけた.*残りの (\\S+) 秒で");
    const auto first = times.match(QString::fromUtf8(r.err));
    const QString limit = line.section("--seconds ", 1).section(' ', 0, 0);
    EXPECT_TRUE(!first.hasMatch() ||
                std::abs(first.captured(1).toDouble() + first.captured(2).toDouble() -
                         (limit.isEmpty() ? 10 : limit.toDouble())) < 0.11)
        << r.err.toStdString();
    auto timed = [&line](QString text) {
      static const QRegularExpression first("[^\\n]*秒で見つけた盤には[^\\n]*\\n");
      if (!line.startsWith('~')) return text.remove(first);
      static const QRegularExpression number("\\d+(\\.\\d+)?"), words("「[^」]*」(、「[^」]*」)*");
      return text.replace(number, "#").replace(words, "「…」");
    };
    for (const QString& l : timed(QString::fromUtf8(r.out)).split('\n', Qt::SkipEmptyParts))
      transcript += "| " + l + '\n';
    for (const QString& l : timed(QString::fromUtf8(r.err)).split('\n', Qt::SkipEmptyParts))
      transcript += "! " + l + '\n';
    QStringList made = QDir(folder.path()).entryList(QDir::Files);
    for (const QString& f : given) made.removeOne(f);
    if (!made.isEmpty()) transcript += "files: " + made.join(' ') + '\n';
  }
  const QString diff = testing::CompareWithGolden(QStringLiteral("workshop"), transcript);
  EXPECT_TRUE(diff.isEmpty()) << diff.toStdString();
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

// U(x,y) a letter outside the main figure; R or C a run in a row or column
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
      {"not connected", "・・・・・/×ね×・・/・・・・・/・・×こ×/・・・・・", false, "U(2,2)"},
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

// Boards of placements "text x y" across or "text x y |" down (counted from
// 0), and what the check makes of them: the figures as their words, the main
// one first, and each open run as its letters and the words in it.
TEST(WorkshopCheck, NamesTheWordsOfBrokenRunsAndTakesTheLargestFigureAsMain) {
  const std::tuple<const char*, int, const char*, const char*, const char*> cases[] = {
      {"a stray word last in reading order", 8, "ねこ 6 7,いちご 0 0 |,ごりら 0 2,らっぱ 2 2 |",
       "いちご ごりら らっぱ/ねこ", ""},
      {"figures of one size: the first in reading order", 6, "いぬ 3 4,ねこ 0 0", "ねこ/いぬ", ""},
      {"side by side", 3, "ねこ 0 0,いぬ 0 1", "ねこ いぬ", "ねい:ねこ いぬ|こぬ:ねこ いぬ"},
      {"down words beside each other", 4, "ねこ 0 0 |,いぬ 1 1 |", "ねこ いぬ", "こい:ねこ いぬ"},
      {"nothing placed", 3, "", "", ""},
  };
  for (const auto& [name, n, placements, figures, runs] : cases) {
    SCOPED_TRACE(name);
    QStringList texts;
    const QStringList lines = QString::fromUtf8(placements).split(',', Qt::SkipEmptyParts);
    for (const QString& line : lines) texts << line.section(' ', 0, 0);
    PuzzleFile p = MakePuzzle(PuzzleLayout::kVersion2, n, texts);
    for (int i = 0; i < lines.size(); ++i) {
      const QStringList f = lines[i].split(' ');
      PlaceEntry(p, i + 1, f[1].toInt(), f[2].toInt(), f.size() > 3 ? 1 : 0);
    }
    GameState s;
    const CheckReport r = workshop::CheckPuzzle(p, s);
    auto named = [](const std::vector<workshop::WordOnBoard>& words) {
      QStringList out;
      for (const workshop::WordOnBoard& w : words) out << w.Text;
      return out.join(' ');
    };
    QStringList gotFigures, gotRuns;
    std::size_t outside = 0;
    for (const workshop::Figure& f : r.Figures) gotFigures << named(f.Words);
    for (std::size_t f = 1; f < r.Figures.size(); ++f) outside += r.Figures[f].Cells.size();
    for (const workshop::OpenRun& run : r.OpenRuns) gotRuns << run.Letters + ':' + named(run.Words);
    EXPECT_TRUE(r.Refused.empty());
    EXPECT_EQ(gotFigures.join('/'), QString::fromUtf8(figures));
    EXPECT_EQ(gotRuns.join('|'), QString::fromUtf8(runs));
    EXPECT_EQ(r.Unconnected.size(), outside);
    EXPECT_EQ(r.Complete, outside == 0 && gotRuns.isEmpty());
  }
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
    // A first word stored on the board, where it fits, which solve's board
    // replaces.
    QJsonObject first = words[0].toObject();
    first["used"] = first["text"].toString().size() <= size ? 1 : 0;
    words[0] = first;
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

// On a terminal, solve shows its best board, bound, boards tried and time
// on one line written over in place, and ends it before its report.
TEST_F(PuzzleTool, SolveOnATerminalShowsItsProgressOnOneLine) {
  const QString path = Puzzle(ReadBytes(NUMERA_SOURCE_DIR "/tests/data/slow12.json"));
  const ToolRun r =
      Tool({"-qec", testing::ToolPath() + " solve " + path + " --seconds 0.7", "/dev/null"}, {}, {},
           "script");
  ASSERT_EQ(r.exitCode, 0) << r.out.toStdString();
  static const QRegularExpression line(
      "\r最高 (\\d+)点（(\\d+) 語）  上限 (\\d+)点  (\\d+) 局面  \\d+\\.\\d 秒  ");
  static const QRegularExpression report("\r?\n得点 (\\d+)点、置いた単語 \\d+ / 40\r?\n");
  const QString text = QString::fromUtf8(r.out);
  const auto last = report.match(text);
  ASSERT_TRUE(last.hasMatch()) << r.out.toStdString();
  // The progress lines and the newline that ends them, nothing else.
  const QString progress = text.section('\n', 0, 0);
  EXPECT_TRUE(QString(progress).remove(line).trimmed().isEmpty()) << r.out.toStdString();
  int shown = 0;
  for (const auto& m : line.globalMatch(progress)) {
    ++shown;
    EXPECT_LE(m.captured(1).toInt(), last.captured(1).toInt());
    EXPECT_LE(m.captured(2).toInt(), 40);
    EXPECT_GE(m.captured(3).toInt(), last.captured(1).toInt());
    EXPECT_GT(m.captured(4).toLongLong(), 0);
  }
  EXPECT_GE(shown, 2) << r.out.toStdString();
}

// A dictionary of our own in the dictionary's form and code: each reading of
// a noun written with kanji or hiragana, once at its lowest cost, in
// hiragana, commonest first, within the length.
TEST(WorkshopWords, TheDictionaryGivesEachNativeReadingOnceCommonestFirst) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Noun.csv");
  const QString csv = QStringLiteral(
      "猫,1,1,500,名詞,一般,*,*,*,*,猫,ネコ,ネコ\n"
      "ねこ,1,1,300,名詞,一般,*,*,*,*,ねこ,ネコ,ネコ\n"
      "テレビ,1,1,100,名詞,一般,*,*,*,*,テレビ,テレビ,テレビ\n"
      "犬,1,1,200,名詞,一般,*,*,*,*,犬,イヌ,イヌ\n"
      "木,1,1,50,名詞,一般,*,*,*,*,木,キ,キ\n"
      "Ｘ線,1,1,150,名詞,一般,*,*,*,*,Ｘ線,エックスセン,エックスセン\n"
      "象徴主義者,1,1,40,名詞,一般,*,*,*,*,象徴主義者,ショウチョウシュギシャ,"
      "ショウチョウシュギシャ\n"
      "東京,1,1,600,名詞,固有名詞,*,*,*,*,東京,トウキョウ,トーキョー\n"
      "歌,1,1,安い,名詞,一般,*,*,*,*,歌,ウタ,ウタ\n"
      "空,1,1,10,名詞,一般,*,*,*,*,空,ソラ\n"
      "絵,1,1,20,名詞,一般,*,*,*,*,絵,エＡ,エＡ\n"
      "龥,1,1,700,名詞,一般,*,*,*,*,龥,ヤク,ヤク\n"
      "一,1,1,800,名詞,数,*,*,*,*,一,イチ,イチ\n");
  testing::WriteBytes(path, QStringEncoder("EUC-JP").encode(csv));
  const std::pair<int, const char*> cases[] = {{8, "えっくすせん いぬ ねこ とうきょう やく いち"},
                                               {5, "いぬ ねこ とうきょう やく いち"},
                                               {2, "いぬ ねこ やく いち"}};
  for (const auto& [longest, readings] : cases) {
    std::vector<workshop::Word> words;
    QString problem;
    ASSERT_TRUE(workshop::ReadDictionary(path, longest, &words, &problem)) << longest;
    QStringList got;
    for (const workshop::Word& w : words) {
      got << workshop::FromU16(w.Text);
      EXPECT_EQ(w.Points, 10 * static_cast<int>(w.Text.size()));
    }
    EXPECT_EQ(got.join(' '), QString::fromUtf8(readings));
  }
  std::vector<workshop::Word> none;
  QString problem;
  EXPECT_FALSE(workshop::ReadDictionary(path, 1, &none, &problem));
  EXPECT_TRUE(problem.endsWith("に使える読みがありません。"));
  EXPECT_FALSE(workshop::ReadDictionary(dir.filePath("none.csv"), 8, &none, &problem));
  EXPECT_TRUE(problem.endsWith("がありません。mecab-ipadic を入れてください。"));
}

TEST_F(PuzzleTool, MakeWritesAPuzzleTheGameOpensAndASolutionItJudgesComplete) {
  const QByteArray list = "ねこ\nこま\t15\nまど\r\n\nどうぐ\n";
  const QStringList runs[] = {
      {"make", File("w.txt", list), "--size", "5", "--seed", "4"},
      // らり and りる cross only each other, so they alone stay off the board.
      {"make", File("w.txt", list + "らり\nりる\n"), "--size", "5", "--drop"},
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
    QStringList texts;
    for (int i = 0; i < p.WordCount; ++i) texts << p.Entries[static_cast<std::size_t>(i)].Text();
    EXPECT_TRUE(!listed || texts.join(" ") == QStringLiteral("こま どうぐ ねこ まど"))
        << texts.join(" ").toStdString();
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
  EXPECT_EQ(
      QString::fromUtf8(failed.err),
      "「" + out +
          QStringLiteral(
              "」に保存できませんでした。このファイルには別の名前"
              "（ハードリンク）があるので書き換えません。どのファイルも書き換えていません。\n"));
  EXPECT_EQ(ReadBytes(out), puzzle);
  EXPECT_EQ(ReadBytes(solution), solved);
}

}  // namespace
}  // namespace numera
