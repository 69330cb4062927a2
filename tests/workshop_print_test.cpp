// numera-puzzle print, read back with poppler's tools as a reader of the PDF
// would: the pages, the words as text, the fonts, and where the text and
// the grid lines lie; and the page layout over papers, boards and lists.
#include <gtest/gtest.h>

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "files/puzzle_json.h"
#include "tests/puzzle_test_util.h"
#include "tests/support/walker.h"
#include "tests/tool_run.h"
#include "workshop/page_layout.h"

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

// Puzzles of our own beside the bundled ones, and what each solution page
// says of its board: stored (complete or not), or solve's when none is
// stored (proven, or the best found in the time).
TEST(WorkshopPrint, APageForEachPuzzleAndCopyThenTheSolutionsWithEveryWordAsText) {
  QTemporaryDir dir;
  QString problem;
  PuzzleFile kaitou, nara, hone;
  ASSERT_TRUE(PuzzleFromJson(ReadBytes(NUMERA_SOURCE_DIR "/puzzles/solutions/doubutsu.json"),
                             &kaitou, &problem));
  ASSERT_TRUE(PuzzleFromJson(R"({"board_size": 3, "words": [{"text": "ねこ", "points": 20,
      "used": 1}, {"text": "いぬ", "points": 20, "used": 1, "y": 1}]})",
                             &nara, &problem));
  // Forty words on 12 x 12 take the search seconds to prove.
  ASSERT_TRUE(
      PuzzleFromJson(ReadBytes(NUMERA_SOURCE_DIR "/tests/data/slow12.json"), &hone, &problem));
  const std::pair<QString, const PuzzleFile*> ours[] = {
      {"kaitou", &kaitou}, {"nara", &nara}, {"hone", &hone}};
  for (const auto& [name, puzzle] : ours)
    testing::WriteBytes(dir.filePath(name + ".mlt"), SerializePuzzle(*puzzle));
  auto path = [&dir](const QString& name) {
    return QFile::exists(dir.filePath(name + ".mlt")) ? dir.filePath(name + ".mlt")
                                                      : kBuilt + name + ".mlt";
  };
  const QMap<QString, QString> says = {
      {"doubutsu",
       "solve で探した盤（保存された盤がないため。310点、12 / 12 "
       "語、これより高い得点はありません）"},
      {"kaitou", "保存されている盤（310点、12 / 12 語）"},
      {"nara", "保存されている盤（40点、2 / 2 語、完成していません）"},
      {"hone", "時間内に見つかった最高）"}};
  struct Case {
    QStringList args;
    QStringList pages;  // the puzzle each page shows, "*" after a solution's
    const char* paper;
  };
  const Case cases[] = {
      {{path("doubutsu")}, {"doubutsu"}, "595 x 842"},
      {{path("tabemono"), "--paper", "letter"}, {"tabemono"}, "612 x 792"},
      {{path("doubutsu"), path("kaitou"), "--copies", "2", "--solution"},
       {"doubutsu", "doubutsu", "kaitou", "kaitou", "doubutsu*", "kaitou*"},
       "595 x 842"},
      {{path("nara"), path("hone"), "--solution", "--seconds", "0.3"},
       {"nara", "hone", "nara*", "hone*"},
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
      const PuzzleFile puzzle = Read(path(name));
      const QString page = Poppler(
          "pdftotext", {"-f", QString::number(i + 1), "-l", QString::number(i + 1), out, "-"});
      EXPECT_TRUE(page.startsWith(name + (solution ? "（答え）\n答え・" : "\n")))
          << page.toStdString();
      EXPECT_TRUE(!solution || page.contains(says[name])) << page.toStdString();
      for (int w = 0; w < puzzle.WordCount; ++w) {
        const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(w)];
        EXPECT_TRUE(page.contains(e.Text() + '\n') &&
                    page.contains(QStringLiteral("\n%1点\n").arg(e.Points)))
            << e.Text().toStdString();
      }
    }
  }
}

// The words pdftotext finds on a page, with their boxes.
std::vector<std::pair<QString, QRectF>> Words(const QString& pdf, int page) {
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]+)</word>)re");
  const QString n = QString::number(page);
  std::vector<std::pair<QString, QRectF>> words;
  for (auto m =
           word.globalMatch(Poppler("pdftotext", {"-bbox-layout", "-f", n, "-l", n, pdf, "-"}));
       m.hasNext();) {
    const auto w = m.next();
    words.push_back(
        {w.captured(5), QRectF(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                               QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()))});
  }
  return words;
}

// A stored solution printed with --solution: on both pages every text where
// the layout puts it, left or right aligned, and the grid's lines on every
// cell edge, grey inside a black border; on the puzzle's page the cells are
// white, on the solution's each holds its letter or its end mark.
TEST(WorkshopPrint, TextGridAndLettersLieWhereTheLayoutPutsThem) {
  QTemporaryDir dir;
  const QString out = dir.filePath("p.pdf"), puzzle = dir.filePath("kaitou.mlt");
  PuzzleFile p;
  QString problem;
  ASSERT_TRUE(PuzzleFromJson(ReadBytes(NUMERA_SOURCE_DIR "/puzzles/solutions/doubutsu.json"), &p,
                             &problem));
  testing::WriteBytes(puzzle, SerializePuzzle(p));
  ASSERT_EQ(Tool({"print", puzzle, "--solution", "-o", out}).exitCode, 0);
  EXPECT_TRUE(QString(Poppler("pdfinfo", {out}))
                  .contains(QRegularExpression("Title: +kaitou\nCreator: +numera-puzzle\n")));
  GameState board;
  const workshop::CheckReport check = workshop::CheckPuzzle(p, board);
  const QString title = QStringLiteral("kaitou");
  const PageLayout pages[] = {
      workshop::LayOutPuzzle(workshop::A4Paper(), title, p),
      workshop::LayOutPage(workshop::A4Paper(), title + QStringLiteral("（答え）"),
                           workshop::SolutionLine(check, true, false), p.BoardSize,
                           workshop::ListedWords(p))};
  ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "144", "-gray", out, dir.filePath("r")}), 0);
  for (int page = 1; page <= 2; ++page) {
    SCOPED_TRACE(page);
    const PageLayout& layout = pages[page - 1];
    const auto words = Words(out, page);
    int texts = 0;
    for (const PageText& t : layout.Texts) {
      if (t.Text.contains(' ')) continue;  // the line under the title comes in pieces
      ++texts;
      EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&t](const auto& w) {
        return w.first == t.Text && t.Box.contains(w.second.center()) &&
               std::abs((t.Right ? w.second.right() : w.second.left()) -
                        (t.Right ? t.Box.right() : t.Box.left())) < 1;
      })) << t.Text.toStdString();
    }
    EXPECT_EQ(texts, 1 + 2 * p.WordCount);
    const QRectF g = layout.Grid;
    const double c = layout.Cell, half = layout.Cell / 2;
    int cells = 0;
    for (int y = 0; y < p.BoardSize; ++y)
      for (int x = 0; x < p.BoardSize; ++x) cells += page == 2 && !board.Board(x, y).isEmpty();
    for (const auto& [text, box] : words) {
      if (!g.contains(box.center())) continue;
      --cells;
      const int x = static_cast<int>((box.center().x() - g.left()) / c);
      const int y = static_cast<int>((box.center().y() - g.top()) / c);
      EXPECT_EQ(text, board.Board(x, y)) << x << ' ' << y;
      EXPECT_NEAR(box.center().x(), g.left() + x * c + half, c / 4);
      EXPECT_NEAR(box.height(), layout.LetterSize * (text == "×" ? 0.6 : 1), 0.1);
    }
    EXPECT_EQ(cells, 0);
    // The page at 144 dots an inch.
    const QByteArray pgm = ReadBytes(dir.filePath(QStringLiteral("r-%1.pgm").arg(page)));
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
    for (int k = 0; k <= p.BoardSize; ++k) {
      const bool border = k == 0 || k == p.BoardSize;
      for (int m = 0; m < p.BoardSize; ++m) {
        for (const int line : {darkest(g.left() + k * c, g.top() + m * c + half),
                               darkest(g.left() + m * c + half, g.top() + k * c)}) {
          EXPECT_LT(line, border ? 60 : 200) << k << ' ' << m;
          EXPECT_GT(line, border ? -1 : 60) << k << ' ' << m;
        }
        EXPECT_TRUE(k == p.BoardSize || page == 2 ||
                    darkest(g.left() + k * c + half, g.top() + m * c + half) == 255);
      }
    }
    EXPECT_EQ(darkest(g.right() + 3, g.center().y()), 255);
    EXPECT_EQ(darkest(g.center().x(), g.bottom() + 3), 255);
  }
}

// The pages of two bundled puzzles as the layout sets them, for review:
// tests/golden/print-layout.txt.
TEST(PageLayout, TheBundledPagesAsReviewed) {
  QString text;
  for (const auto& [name, paper] : {std::pair{"doubutsu", workshop::A4Paper()},
                                    std::pair{"nihongo", workshop::LetterPaper()}}) {
    const PageLayout p = workshop::LayOutPuzzle(paper, name, Read(kBuilt + name + ".mlt"));
    text += QStringLiteral("%1 on %2 x %3: grid %4 %5 side %6 cell %7 letters %8\n")
                .arg(name)
                .arg(paper.width())
                .arg(paper.height())
                .arg(p.Grid.left(), 0, 'f', 2)
                .arg(p.Grid.top(), 0, 'f', 2)
                .arg(p.Grid.width(), 0, 'f', 2)
                .arg(p.Cell, 0, 'f', 2)
                .arg(p.LetterSize, 0, 'f', 2);
    for (const PageText& t : p.Texts)
      text += QStringLiteral("  %1 %2 %3 %4 %5pt %6%7 %8\n")
                  .arg(t.Box.left(), 0, 'f', 2)
                  .arg(t.Box.top(), 0, 'f', 2)
                  .arg(t.Box.width(), 0, 'f', 2)
                  .arg(t.Box.height(), 0, 'f', 2)
                  .arg(t.Size)
                  .arg(t.Mincho ? "mincho" : "gothic", t.Right ? " right" : "")
                  .arg(t.Text);
  }
  const QString diff = testing::CompareWithGolden(QStringLiteral("print-layout"), text);
  EXPECT_TRUE(diff.isEmpty()) << diff.toStdString();
}

// Lists of count words of this many letters, numbered so no two are alike.
std::vector<workshop::ListedWord> Listed(int count, int letters) {
  std::vector<workshop::ListedWord> words;
  for (int i = 0; i < count; ++i)
    words.push_back({QString(letters, QChar(u'あ' + i % 80)), QStringLiteral("%1点").arg(i * 37)});
  return words;
}

TEST(PageLayout, TheGridAndTheListFitThePageWithoutOverlapOnEveryPaper) {
  const std::tuple<int, int, int> cases[] = {
      // board, words, letters: each list longer and wider than the one before
      {1, 1, 1}, {10, 3, 30}, {10, 12, 4}, {15, 40, 6}, {30, 90, 8}, {30, 90, 30},
  };
  for (const QSizeF paper : {workshop::A4Paper(), workshop::LetterPaper()}) {
    double lastList = 100;
    for (const auto& [n, count, letters] : cases) {
      SCOPED_TRACE(::testing::Message()
                   << paper.width() << " " << n << " " << count << " x " << letters);
      const PageLayout p = workshop::LayOutPage(
          paper, QStringLiteral("題"), QStringLiteral("下の行"), n, Listed(count, letters));
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
