#include "tools/workshop/command_output.h"

#include <QJsonDocument>

#include "tools/tool_io.h"
#include "tools/workshop/word_list.h"

namespace numera::workshop {

int Out(const QByteArray& bytes, int code) {
  return tool::Print(bytes) ? code : 2;
}

int OutJson(const QJsonObject& json, int code) {
  return Out(QJsonDocument(json).toJson(QJsonDocument::Indented), code);
}

std::vector<Word> PuzzleWords(const PuzzleFile& puzzle) {
  std::vector<Word> words;
  for (int i = 0; i < puzzle.WordCount; ++i) {
    const PuzzleEntry& e = puzzle.Entries[static_cast<std::size_t>(i)];
    words.push_back({ToU16(e.Text()), e.Points});
  }
  return words;
}

}  // namespace numera::workshop
