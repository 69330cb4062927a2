// What the maker tells about an author's word list before it searches: the
// words that stand in the way for certain, the lists too big for the board,
// and what is allowed but probably a slip.
#pragma once

#include <QStringList>
#include <vector>

#include "workshop/layout.h"

namespace numera::workshop {

struct Screened {
  std::vector<Word> Kept;          // in list order
  std::vector<Word> Repeated;      // each word's second and later lines
  std::vector<Word> TooLong;       // longer than the board
  std::vector<Word> Unshared;      // no letter in common with any other kept word
  std::vector<Word> Left() const;  // all three, in that order
};

// Splits the list: the repeats go first, then the words too long for the
// board, then (when more than one word is left) the words that share no
// letter with any other, so they cannot cross one.
Screened Screen(const std::vector<Word>& words, int boardSize);

// The sentences naming the words Screen left out; empty when it kept all.
QStringList ScreenProblems(const Screened& screened, int boardSize);

// Each row holds its across words with at least one cell between them, and
// each column its down words, so every word with the cell after it must fit
// into 2 N (N + 1) cells. The sentence when they do not, with how many
// words at least must go; else empty.
QString RoomProblem(const std::vector<Word>& words, int boardSize);

// 「ねこ」、「いぬ」
QString WordNames(const std::vector<Word>& words);
// The repeated words, each once with how often the list has it: 「ねこ」（2 回）
QString RepeatNames(const std::vector<Word>& repeated);

// Words outside hiragana and katakana, a list that mixes the two, and
// points of 0 or less or above 9999: allowed, but said.
QStringList WordWarnings(const std::vector<Word>& words);

}  // namespace numera::workshop
