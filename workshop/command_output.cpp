#include "workshop/command_output.h"

#include <QJsonDocument>

#include "workshop/checker.h"
#include "workshop/tool_io.h"
#include "workshop/word_list.h"

namespace numera::workshop {

int Out(const QByteArray& bytes, int code) {
  return tool::Print(bytes) ? code : 2;
}

int OutJson(const QJsonObject& json, int code) {
  return Out(QJsonDocument(json).toJson(QJsonDocument::Indented), code);
}

std::vector<Word> PuzzleWords(const PuzzleFile& puzzle) {
  std::vector<Word> words;
  for (const PuzzleEntry& e : ListEntries(puzzle)) words.push_back({ToU16(e.Text()), e.Points});
  return words;
}

}  // namespace numera::workshop
