// libFuzzer target for the word lists of numera-puzzle make. Any bytes at
// all: a list is refused with a sentence or read into words that have
// letters, no blank and the points the line gave or ten a letter.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "workshop/word_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace numera::workshop;
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<Word> words;
  QString problem;
  if (!ParseWordList(bytes, &words, &problem)) {
    if (problem.isEmpty()) __builtin_trap();
    return 0;
  }
  for (const Word& w : words) {
    if (w.Text.empty() || FromU16(w.Text).contains(QLatin1Char(' '))) __builtin_trap();
  }
  return 0;
}
