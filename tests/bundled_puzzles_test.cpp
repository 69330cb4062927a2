// The puzzles that come with the game: each can be completed, by playing its
// intended solution through the game's own placement, and each survives an
// open and save unchanged.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/draw_board.h"
#include "files/open_puzzle.h"
#include "files/puzzle_file.h"
#include "files/puzzle_json.h"
#include "files/save_puzzle.h"
#include "play/mouse.h"
#include "play/placement.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {

using testing::ReadBytes;
using testing::TestGame;
using testing::WriteBytes;

const QString kSource = QStringLiteral(NUMERA_SOURCE_DIR "/puzzles/");

struct Bundled {
  const char* name;
  PuzzleLayout layout;
  int boardSize;
  int words;
  int solutionScore;
};

const Bundled kBundled[] = {
    {"doubutsu", PuzzleLayout::kVersion2, 10, 12, 310},
    {"tabemono", PuzzleLayout::kVersion2, 15, 40, 1270},
    {"nihongo", PuzzleLayout::kVersion2, 30, 90, 2700},
    {"katakana", PuzzleLayout::kOld, 20, 50, 1730},
};

PuzzleFile Pack(const QString& name) {
  PuzzleFile p;
  QString problem;
  if (!PuzzleFromJson(ReadBytes(kSource + name + ".json"), &p, &problem))
    ADD_FAILURE() << name.toStdString() << ": " << problem.toStdString();
  return p;
}

TEST(BundledPuzzles, AreTheOnesWeShip) {
  const QStringList sources = QDir(kSource).entryList({"*.json"}, QDir::Files);
  EXPECT_EQ(sources.size(), static_cast<qsizetype>(std::size(kBundled)));
  for (const Bundled& b : kBundled) {
    SCOPED_TRACE(b.name);
    const PuzzleFile p = Pack(b.name);
    EXPECT_EQ(p.Layout, b.layout);
    EXPECT_EQ(p.BoardSize, b.boardSize);
    EXPECT_EQ(p.WordCount, b.words);
    EXPECT_EQ(p.Score, 0);
    Long total = 0;
    for (int i = 0; i < p.WordCount; ++i) {
      const PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i)];
      EXPECT_EQ(e.Used, 0);
      EXPECT_GT(e.Points, 0);
      EXPECT_GE(e.Text().size(), 2);
      EXPECT_LE(e.Text().size(), p.BoardSize);
      total += e.Points;
    }
    EXPECT_EQ(total, b.solutionScore);
    // What the build installs is exactly what the source says.
    const QString built = QStringLiteral(NUMERA_BUILD_DIR "/") + b.name + ".mlt";
    if (QFileInfo::exists(built)) {
      EXPECT_EQ(ReadBytes(built), SerializePuzzle(p));
    }
  }
}

class BundledSolution : public ::testing::TestWithParam<Bundled> {};

TEST_P(BundledSolution, PlacingEveryWordGivesACompleteBoard) {
  const Bundled b = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(b.name) + ".mlt");
  const PuzzleFile puzzle = Pack(b.name);
  WriteBytes(path, SerializePuzzle(puzzle));

  TestGame t;
  t.s.AppPath = dir.path();
  t.s.MessageMode = 1;
  ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, path));
  ASSERT_EQ(t.s.NoRecord, 0);

  const QJsonObject solution =
      QJsonDocument::fromJson(ReadBytes(kSource + "solutions/" + b.name + ".json")).object();
  ASSERT_EQ(solution.value("board_size").toInt(), b.boardSize);
  ASSERT_EQ(solution.value("score").toInt(), b.solutionScore);
  const QJsonArray placements = solution.value("placements").toArray();
  ASSERT_EQ(placements.size(), b.words);

  const double cell = (t.s.Formain.Pimain.Width - 1.0) / b.boardSize;
  for (const QJsonValue& v : placements) {
    const QJsonObject o = v.toObject();
    const QString text = o.value("text").toString();
    int i = 1;
    while (i <= t.s.WordCount && t.s.Words(i) != text) ++i;
    ASSERT_LE(i, t.s.WordCount) << text.toStdString();
    const int x = o.value("x").toInt(), y = o.value("y").toInt(), dir = o.value("dir").toInt();
    t.s.SelectedIndex = i;
    t.s.SelectedWord = text;
    t.s.SelectedPoints = t.s.WordPoints(i);
    Pimain_MouseDown(t.g, dir == 0 ? kLeftButton : kRightButton, 0,
                     static_cast<float>((x + 0.5) * cell), static_cast<float>((y + 0.5) * cell));
    ASSERT_EQ(t.s.WordUsed(i), 1) << text.toStdString() << " at " << x << "," << y;
    ASSERT_EQ(t.s.WordX(i), x);
    ASSERT_EQ(t.s.WordY(i), y);
    DrawBoard(t.g);
  }
  EXPECT_EQ(t.s.NoRecord, 0);
  EXPECT_EQ(t.s.Score, b.solutionScore);
  EXPECT_EQ(t.s.BestScore, b.solutionScore);
  EXPECT_EQ(t.s.PlacedCount, b.words);
  EXPECT_EQ(t.s.Formain.Lg2.ForeColor, colour::kBlack);

  // Saved and opened again, the finished board is its own best score.
  上書き保存する_Click(t.g);
  TestGame again;
  ASSERT_TRUE(OpenPuzzleFromCommandLine(again.g, path));
  EXPECT_EQ(again.s.NoRecord, 0);
  EXPECT_EQ(again.s.BestScore, b.solutionScore);
  EXPECT_EQ(again.s.Formain.Lg3.Caption, QStringLiteral("MAX:%1点").arg(b.solutionScore));
}

TEST_P(BundledSolution, OpeningAndSavingUnplayedGivesTheSameFile) {
  const Bundled b = GetParam();
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(b.name) + ".mlt");
  const QByteArray bytes = SerializePuzzle(Pack(b.name));
  WriteBytes(path, bytes);
  TestGame t;
  ASSERT_TRUE(OpenPuzzleFromCommandLine(t.g, path));
  t.msgs.Press("Ok");
  上書き保存する_Click(t.g);
  EXPECT_EQ(t.msgs.Messages(), QStringList{QStringLiteral("保存されました。")});
  EXPECT_EQ(ReadBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(All, BundledSolution, ::testing::ValuesIn(kBundled),
                         [](const ::testing::TestParamInfo<Bundled>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace numera
