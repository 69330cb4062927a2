// Where everything on a printed page of a puzzle goes, in points (1/72
// inch) from the page's top left: the title, a line under it, the square
// grid and the word list in columns below it. Text widths are reckoned for
// the IPA fonts, whose kana and kanji are one em wide and whose Latin
// letters and digits half an em.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "files/puzzle_file.h"
#include "workshop/checker.h"

namespace numera::workshop {

inline constexpr double kPageMargin = 48;

struct PageText {
  QRectF Box;
  QString Text;
  double Size = 0;  // font size, points
  bool Mincho = false;
  bool Right = false;  // aligned to the right of the box, else to the left
};

struct PageLayout {
  QRectF Grid;  // the board, square
  double Cell = 0;
  double LetterSize = 0;        // letters in the cells
  std::vector<PageText> Texts;  // the title, the line under it, then each word and its points
};

// A word of the list as printed: its text and its points.
struct ListedWord {
  QString Text;
  QString Points;
};

// The paper sizes print offers, in points.
QSizeF A4Paper();
QSizeF LetterPaper();

// Ems of text in the IPA fonts.
double Ems(const QString& text);

// A puzzle's page: its title, its size and word count under it, and its
// words with their points.
PageLayout LayOutPuzzle(QSizeF page, const QString& title, const PuzzleFile& puzzle);
std::vector<ListedWord> ListedWords(const PuzzleFile& puzzle);

// Whether the puzzle stores a board: a placed word among its words.
bool StoresBoard(const PuzzleFile& puzzle);

// The line under a solution's title: the stored board, or the best the
// solver found (proven or not) since none is stored, and its score.
QString SolutionLine(const CheckReport& board, bool stored, bool proven);

// The list is set as large as it can be while the grid keeps at least half
// the height left under the title (or the full width); the words run down
// the columns, in their order.
PageLayout LayOutPage(QSizeF page, const QString& title, const QString& subtitle, int boardSize,
                      const std::vector<ListedWord>& words);

}  // namespace numera::workshop
