// The puzzles that come with the game: the build installs what each source
// says, info, pack and the game's open and save carry it over unchanged,
// each solution is its puzzle with every word placed, and the puzzle tool's
// check, which plays it through the game's own rules, judges it complete;
// the help and the README list each one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "files/open_puzzle.h"
#include "files/puzzle_json.h"
#include "files/save_puzzle.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"
#include "tests/tool_run.h"

namespace numera {
namespace {

using testing::ReadBytes;
using testing::TestGame;
using testing::Tool;
using testing::WriteBytes;

const QString kSource = QStringLiteral(NUMERA_SOURCE_DIR "/puzzles/");

PuzzleFile Pack(const QString& path) {
  PuzzleFile p;
  QString problem;
  if (!PuzzleFromJson(ReadBytes(path), &p, &problem))
    ADD_FAILURE() << path.toStdString() << ": " << problem.toStdString();
  return p;
}

QStringList Sources() {
  return QDir(kSource).entryList({"*.json"}, QDir::Files);
}

TEST(BundledPuzzles, TravelUnchangedAndCheckJudgesEverySolutionComplete) {
  ASSERT_GE(Sources().size(), 7);
  QTemporaryDir dir;
  for (const QString& file : Sources()) {
    SCOPED_TRACE(file.toStdString());
    const PuzzleFile puzzle = Pack(kSource + file);
    const QString built =
        QStringLiteral(NUMERA_BUILD_DIR "/") + QFileInfo(file).completeBaseName() + ".mlt";
    EXPECT_EQ(ReadBytes(built), SerializePuzzle(puzzle));
    // info shows it as the game reads it; pack gives the same bytes back,
    // and so does the game opening and saving it unplayed.
    const testing::ToolRun info = Tool({"info", built});
    EXPECT_EQ(info.out, PuzzleToJson(puzzle));
    const QString json = dir.filePath(file), again = dir.filePath(QFileInfo(built).fileName());
    WriteBytes(json, info.out);
    EXPECT_EQ(Tool({"pack", json, again}).exitCode, 0);
    TestGame t;
    ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, again));
    t.msgs.Press("Ok");
    上書き保存する_Click(t.g);
    EXPECT_EQ(ReadBytes(again), ReadBytes(built));
    PuzzleFile solution = Pack(kSource + "solutions/" + file);
    const QString path = dir.filePath(file + ".mlt");
    WriteBytes(path, SerializePuzzle(solution));
    const testing::ToolRun check = Tool({"check", path, "--json"});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_TRUE(check.Json()["complete"].toBool());
    EXPECT_EQ(check.Json()["placed_count"].toInt(), puzzle.WordCount);
    EXPECT_EQ(check.Json()["score"].toInt(), solution.Score);
    // The help and the README list it with the score of that board.
    for (const char* doc : {"/docs/ヘルプ.html", "/README.md"}) {
      const QStringList rows = QString::fromUtf8(ReadBytes(QStringLiteral(NUMERA_SOURCE_DIR) + doc))
                                   .split('\n')
                                   .filter(QFileInfo(built).fileName());
      EXPECT_EQ(rows.filter(QString::number(solution.Score) + "点").size(), 1) << doc;
    }

    // Without its placements the solution is the puzzle we ship, which has
    // nothing placed.
    for (PuzzleEntry& e : solution.Entries) e.Used = e.X = e.Y = e.Dir = 0;
    solution.PlacedCount = solution.Score = 0;
    EXPECT_EQ(SerializePuzzle(solution), SerializePuzzle(puzzle));
  }
}

}  // namespace
}  // namespace numera
