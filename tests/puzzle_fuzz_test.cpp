// Damaged puzzle files by the hundred, from fixed seeds: every one must either
// load or be refused cleanly, and whatever loads must redraw, check and save,
// writing back exactly the bytes it was read from.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <random>

#include "core/draw_board.h"
#include "files/open_puzzle.h"
#include "files/puzzle_file.h"
#include "files/save_puzzle.h"
#include "play/board_check.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/walker.h"

namespace numera::testing {
namespace {

class Dice {
 public:
  explicit Dice(unsigned seed) : gen_(seed) {}
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(gen_) < p; }

 private:
  std::mt19937 gen_;
};

// A puzzle that mostly keeps within the game's limits, so that mutations
// land on both sides of them.
PuzzleFile RandomPuzzle(Dice& d) {
  static const QString kLetters = QStringLiteral("あいうえおかきくけこんー×");
  PuzzleFile p = EmptyPuzzle(d.Chance(0.7) ? PuzzleLayout::kVersion2 : PuzzleLayout::kOld);
  const int entries = EntryCount(p.Layout);
  p.BoardSize = static_cast<Integer>(d.Between(d.Chance(0.9) ? 6 : 1, 30));
  p.WordCount = static_cast<Integer>(d.Between(1, entries));
  for (int i = 0; i < entries; ++i) {
    PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i)];
    if (d.Chance(0.1)) {
      QByteArray raw;
      for (int k = d.Between(0, 5); k > 0; --k) raw.append(static_cast<char>(d.Between(0, 255)));
      e.TextBytes = raw;
    } else {
      QString text;
      for (int k = d.Between(0, 6); k > 0; --k) text += kLetters[d.Between(0, kLetters.size() - 1)];
      e.TextBytes = EncodeCp932(text);
    }
    e.Points = d.Between(-1000, 1000);
    const int len = static_cast<int>(e.Text().size());
    if (d.Chance(0.3) && len <= p.BoardSize) {
      e.Used = 1;
      e.Dir = static_cast<Integer>(d.Between(0, 1));
      const int along = d.Between(0, p.BoardSize - std::max(len, 1));
      const int across = d.Between(0, p.BoardSize - 1);
      e.X = static_cast<Integer>(e.Dir == 0 ? along : across);
      e.Y = static_cast<Integer>(e.Dir == 0 ? across : along);
    }
  }
  p.CountSuffixBytes = EncodeCp932(d.Chance(0.5) ? QStringLiteral("語") : QString());
  p.ScoreSuffixBytes = EncodeCp932(d.Chance(0.5) ? QStringLiteral("点数") : QStringLiteral("　"));
  int longest = 0;
  for (int i = 0; i < p.WordCount; ++i)
    longest =
        std::max(longest, static_cast<int>(p.Entries[static_cast<std::size_t>(i)].Text().size()));
  p.MaxWordLength = static_cast<Integer>(d.Chance(0.9) ? longest : d.Between(0, 8));
  p.PlacedCount = d.Between(0, 90);
  p.Score = d.Between(-5000, 5000);
  return p;
}

void Mutate(QByteArray& b, Dice& d) {
  for (int m = d.Between(0, 4); m > 0 && !b.isEmpty(); --m) {
    const int at = d.Between(0, static_cast<int>(b.size()) - 1);
    switch (d.Between(0, 5)) {
      case 0:  // one byte anything
        b[at] = static_cast<char>(d.Between(0, 255));
        break;
      case 1:  // a small 16-bit value, as counts and positions are
      case 2: {
        const int v = d.Between(-3, 40);
        b[at] = static_cast<char>(v & 0xFF);
        if (at + 1 < b.size()) b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
        break;
      }
      case 3:  // cut short
        b.truncate(at);
        break;
      case 4:  // bytes lost in the middle
        b.remove(at, d.Between(1, 8));
        break;
      default:  // bytes added
        b.insert(at, QByteArray(d.Between(1, 8), static_cast<char>(d.Between(0, 255))));
        break;
    }
  }
}

void FuzzRound(unsigned seed);

TEST(PuzzleFileFuzz, DamagedFilesLoadWholeOrAreRefusedWithoutATrace) {
  for (unsigned seed : {1u, 2u, 3u}) FuzzRound(seed);
}

void FuzzRound(unsigned seed) {
  Dice d(seed);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("fuzz.mlt");

  TestGame t;
  t.s.AppPath = dir.path();
  t.s.MessageMode = 1;
  t.msgs.AlwaysFirst();  // "Ok" to refusals, "はい" to saving an incomplete board
  DrawBoard(t.g);
  int loaded = 0, refused = 0;
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round);
    QByteArray bytes = SerializePuzzle(RandomPuzzle(d));
    Mutate(bytes, d);
    WriteBytes(path, bytes);

    PuzzleFile expected;
    QString problem;
    const bool usable =
        ParsePuzzle(bytes, &expected, &problem) && PuzzleProblem(expected).isEmpty();
    const QString before = Describe(t.s);
    t.msgs.boxes.clear();
    bool opened = false;
    ASSERT_NO_THROW(opened = OpenPuzzleFromCommandLine(t.g, path));
    ASSERT_EQ(opened, usable);
    if (!opened) {
      ++refused;
      ASSERT_EQ(t.msgs.boxes.size(), 1u);
      ASSERT_EQ(Describe(t.s), before);
      continue;
    }
    ++loaded;
    ASSERT_NO_THROW({
      DrawBoard(t.g);
      BCheck(t.s);
      上書き保存する_Click(t.g);
      DrawBoard(t.g);
    });
    const QByteArray saved = ReadBytes(path);
    ASSERT_EQ(saved, SerializePuzzle(expected));
    ASSERT_TRUE(bytes.startsWith(saved));
  }
  EXPECT_GT(loaded, 20);
  EXPECT_GT(refused, 20);
}

}  // namespace
}  // namespace numera::testing
