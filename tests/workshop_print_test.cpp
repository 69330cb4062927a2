// numera-puzzle print, read back with poppler's tools as a reader of the PDF
// would: the pages, the words as text, the fonts, and where the text and
// the grid lines lie; and the page layout over papers, boards and lists.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "files/puzzle_json.h"
#include "tests/puzzle_test_util.h"
#include "tests/tool_run.h"
#include "tools/workshop/page_layout.h"

namespace numera {
namespace {

using testing::ReadBytes;
using testing::Tool;
using workshop::PageLayout;
using workshop::PageText;

const QString kBuilt = QStringLiteral(NUMERA_BUILD_DIR "/");

QByteArray Poppler(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return p.readAllStandardOutput();
}

PuzzleFile Read(const QString& path) {
  PuzzleFile p;
  QString message;
  EXPECT_TRUE(ReadPuzzleFile(path, &p, &message)) << message.toStdString();
  return p;
}

TEST(WorkshopPrint, APageForEachPuzzleAndCopyThenTheSolutionsWithEveryWordAsText) {
  QTemporaryDir dir;
  const QString solved = dir.filePath("kaitou.mlt");
  PuzzleFile stored;
  QString problem;
  ASSERT_TRUE(PuzzleFromJson(ReadBytes(NUMERA_SOURCE_DIR "/puzzles/solutions/doubutsu.json"),
                             &stored, &problem));
  testing::WriteBytes(solved, SerializePuzzle(stored));
  const QString doubutsu = kBuilt + "doubutsu.mlt", tabemono = kBuilt + "tabemono.mlt";
  struct Case {
    QStringList args;
    QStringList pages;  // the puzzle each page shows, "*" after a solution's
    const char* paper;
  };
  const Case cases[] = {
      {{doubutsu}, {"doubutsu"}, "595 x 842"},
      {{tabemono, "--paper", "letter"}, {"tabemono"}, "612 x 792"},
      {{doubutsu, solved, "--copies", "2", "--solution"},
       {"doubutsu", "doubutsu", "kaitou", "kaitou", "doubutsu*", "kaitou*"},
       "595 x 842"},
  };
  const QString out = dir.filePath("out.pdf");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    ASSERT_EQ(Tool(QStringList{"print", "-o", out} + c.args).exitCode, 0);
    const QString info = Poppler("pdfinfo", {out});
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Pages: +%1\n").arg(c.pages.size()))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(c.paper)) << info.toStdString();
    const QStringList fonts = QString(Poppler("pdffonts", {out})).split('\n').filter("IPA");
    EXPECT_EQ(fonts.size(), 2);
    for (const QString& f : fonts)  // name, type, encoding, embedded, subset, unicode map
      EXPECT_TRUE(f.contains(QRegularExpression("CID TrueType +Identity-H +yes +\\S+ +yes")))
          << f.toStdString();
    for (int i = 0; i < c.pages.size(); ++i) {
      const bool solution = c.pages[i].endsWith('*');
      const QString name = QString(c.pages[i]).remove('*');
      const PuzzleFile puzzle = Read(name == "kaitou" ? solved : kBuilt + name + ".mlt");
      const QString page = Poppler(
          "pdftotext", {"-f", QString::number(i + 1), "-l", QString::number(i + 1), out, "-"});
      EXPECT_TRUE(page.startsWith(name + (solution ? "（答え）\n" : "\n"))) << page.toStdString();
      EXPECT_EQ(page.contains(name == "kaitou" ? "保存されている盤" : "solve で探した盤"),
                solution);
      for (int w = 0; w < puzzle.WordCount; ++w) {
        const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(w)];
        EXPECT_TRUE(page.contains(e.Text() + QStringLiteral("\n\n%1点").arg(e.Points)))
            << e.Text().toStdString();
      }
    }
  }
}

TEST(WorkshopPrint, TextAndGridLinesLieWhereTheLayoutPutsThem) {
  QTemporaryDir dir;
  const QString out = dir.filePath("p.pdf"), puzzle = kBuilt + "doubutsu.mlt";
  ASSERT_EQ(Tool({"print", puzzle, "-o", out}).exitCode, 0);
  const PuzzleFile p = Read(puzzle);
  const PageLayout layout =
      workshop::LayOutPuzzle(workshop::A4Paper(), QStringLiteral("doubutsu"), p);
  // Each printed word inside the box of its text, left or right aligned.
  const QString boxes = Poppler("pdftotext", {"-bbox-layout", out, "-"});
  QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]+)</word>)re");
  int found = 0;
  for (const PageText& t : layout.Texts) {
    if (t.Text.contains(' ')) continue;  // the line under the title comes in pieces
    ++found;
    bool placed = false;
    for (auto m = word.globalMatch(boxes); m.hasNext();) {
      const auto w = m.next();
      const QRectF got(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                       QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
      placed = placed || (w.captured(5) == t.Text && t.Box.contains(got.center()) &&
                          std::abs((t.Right ? got.right() : got.left()) -
                                   (t.Right ? t.Box.right() : t.Box.left())) < 1);
    }
    EXPECT_TRUE(placed) << t.Text.toStdString();
  }
  EXPECT_EQ(found, 1 + 2 * p.WordCount);
  // The grid at 144 dots an inch: a line on every cell edge, white inside.
  ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "144", "-gray", out, dir.filePath("r")}), 0);
  const QByteArray pgm = ReadBytes(dir.filePath("r-1.pgm"));
  const QList<QByteArray> head = pgm.split('\n').mid(0, 3);
  ASSERT_EQ(head[0], "P5");
  const int width = head[1].split(' ')[0].toInt();
  const QByteArray pixels = pgm.right(width * head[1].split(' ')[1].toInt());
  auto darkest = [&](double x, double y) {  // around a point on the page
    int least = 255;
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy)
        least = std::min(
            least,
            static_cast<int>(static_cast<unsigned char>(
                pixels[static_cast<int>(2 * y + dy) * width + static_cast<int>(2 * x + dx)])));
    return least;
  };
  const QRectF g = layout.Grid;
  const double c = layout.Cell, half = layout.Cell / 2;
  for (int k = 0; k <= p.BoardSize; ++k) {
    for (int m = 0; m < p.BoardSize; ++m) {
      EXPECT_LT(darkest(g.left() + k * c, g.top() + m * c + half), 200) << k << ' ' << m;
      EXPECT_LT(darkest(g.left() + m * c + half, g.top() + k * c), 200) << k << ' ' << m;
      EXPECT_TRUE(k == p.BoardSize ||
                  darkest(g.left() + k * c + half, g.top() + m * c + half) == 255);
    }
  }
  EXPECT_EQ(darkest(g.right() + 3, g.center().y()), 255);
  EXPECT_EQ(darkest(g.center().x(), g.bottom() + 3), 255);
}

// Lists of count words of this many letters, numbered so no two are alike.
std::vector<workshop::ListedWord> Words(int count, int letters) {
  std::vector<workshop::ListedWord> words;
  for (int i = 0; i < count; ++i)
    words.push_back({QString(letters, QChar(u'あ' + i % 80)), QStringLiteral("%1点").arg(i * 37)});
  return words;
}

TEST(PageLayout, TheGridAndTheListFitThePageWithoutOverlapOnEveryPaper) {
  const std::tuple<int, int, int> cases[] = {
      // board, words, letters: each list longer and wider than the one before
      {1, 1, 1}, {10, 12, 4}, {15, 40, 6}, {30, 90, 8}, {30, 90, 30},
  };
  for (const QSizeF paper : {workshop::A4Paper(), workshop::LetterPaper()}) {
    double lastList = 100;
    for (const auto& [n, count, letters] : cases) {
      SCOPED_TRACE(::testing::Message()
                   << paper.width() << " " << n << " " << count << " x " << letters);
      const PageLayout p = workshop::LayOutPage(paper, QStringLiteral("題"),
                                                QStringLiteral("下の行"), n, Words(count, letters));
      const QRectF page(workshop::kPageMargin, workshop::kPageMargin,
                        paper.width() - 2 * workshop::kPageMargin,
                        paper.height() - 2 * workshop::kPageMargin);
      const QRectF& g = p.Grid;
      EXPECT_DOUBLE_EQ(g.width(), g.height());
      EXPECT_DOUBLE_EQ(p.Cell * n, g.width());
      EXPECT_DOUBLE_EQ(g.center().x(), paper.width() / 2);
      // The grid keeps half the height below the header, unless the list is
      // as small as it gets; then it keeps a third.
      const double below = page.bottom() - g.top() - 14;
      EXPECT_GE(g.width(),
                std::min(page.width(), below / (p.Texts.back().Size > 5 ? 2 : 3)) - 1e-9);
      EXPECT_GT(p.LetterSize, p.Cell / 2);
      EXPECT_LT(p.LetterSize, p.Cell);
      ASSERT_EQ(p.Texts.size(), 2 + 2 * static_cast<std::size_t>(count));
      EXPECT_LE(p.Texts[0].Box.bottom(), p.Texts[1].Box.top());
      EXPECT_LE(p.Texts[1].Box.bottom(), g.top());
      for (std::size_t i = 0; i < p.Texts.size(); ++i) {
        const PageText& t = p.Texts[i];
        EXPECT_TRUE(page.contains(t.Box.adjusted(0.01, 0.01, -0.01, -0.01))) << i;
        EXPECT_LE(workshop::Ems(t.Text) * t.Size, t.Box.width() + 1e-9) << i;
        EXPECT_GE(t.Box.height(), t.Size * 1.4) << i;
        if (i < 2) continue;
        EXPECT_GE(t.Box.top(), g.bottom() + 14) << i;
        EXPECT_EQ(t.Right, i % 2 == 1) << i;
        if (i % 2 == 1) {
          EXPECT_EQ(t.Box, p.Texts[i - 1].Box);
          EXPECT_LE(workshop::Ems(p.Texts[i - 1].Text + ' ' + t.Text) * t.Size,
                    t.Box.width() + 1e-9);
        } else if (i > 2) {  // down the column, or at the top of the next one to its right
          const QRectF& before = p.Texts[i - 2].Box;
          auto same = [](double a, double b) { return std::abs(a - b) < 1e-9; };
          EXPECT_TRUE((same(t.Box.left(), before.left()) && same(t.Box.top(), before.bottom())) ||
                      (t.Box.left() > before.right() && t.Box.top() == p.Texts[2].Box.top()))
              << i;
        }
      }
      EXPECT_LE(p.Texts.back().Size, count > 12 ? lastList : 12);
      EXPECT_GE(p.Texts.back().Size, count > 12 ? 5 : 12);
      lastList = p.Texts.back().Size;
    }
  }
}

}  // namespace
}  // namespace numera
