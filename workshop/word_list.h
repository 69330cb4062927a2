// Where the maker's words come from: a word file of the author's, or the
// readings of common nouns in Debian's Japanese morphological dictionary.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "workshop/layout.h"

namespace numera::workshop {

std::u16string ToU16(const QString& text);
QString FromU16(const std::u16string& text);

// One word a line (UTF-8), optionally a tab and its points; a word without
// points gets 10 x its length. Blank lines are skipped. False, with a
// sentence in *problem, for text that is not UTF-8 or a line that is no word.
bool ParseWordList(const QByteArray& utf8, std::vector<Word>* out, QString* problem);

// The word list of a file, read as a bounded regular file.
bool ReadWordsFile(const QString& path, std::vector<Word>* out, QString* problem);

// The dictionary's general nouns (mecab-ipadic).
QString DictionaryPath();

// The readings of the dictionary's nouns in hiragana, 2 to maxLength (at
// most 8) characters, each once, commonest first (the dictionary's cost is
// lower for commoner words), each worth 10 x its length.
bool ReadDictionary(const QString& path, int maxLength, std::vector<Word>* out, QString* problem);

}  // namespace numera::workshop
