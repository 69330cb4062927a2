#include "workshop/word_list.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <map>

#include "core/regular_file.h"
#include "workshop/tool_io.h"

namespace numera::workshop {

std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<std::size_t>(text.size()));
}

QString FromU16(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

// The dictionary's noun list is about 4 MB.
constexpr qint64 kDictionaryLimit = 32 << 20;

Long DefaultPoints(const QString& text) {
  return static_cast<Long>(10 * text.size());
}

// Reads a source of the maker whole, within its bound.
bool ReadWhole(const QString& path, qint64 limit, const QString& what, QByteArray* bytes,
               QString* problem) {
  const FileResult read = ReadRegularFile(path, limit, bytes);
  if (read.Ok() && !read.Longer) return true;
  *problem = QStringLiteral("%1「%2」を読み込めません。%3")
                 .arg(what, path,
                      read.Ok() ? QStringLiteral("%1 MB を超えています。").arg(limit >> 20)
                                : read.Problem);
  return false;
}

}  // namespace

bool ReadWordsFile(const QString& path, std::vector<Word>* out, QString* problem) {
  QByteArray bytes;
  return ReadWhole(path, tool::kSourceLimit, QStringLiteral("単語のファイル"), &bytes, problem) &&
         ParseWordList(bytes, out, problem);
}

bool ParseWordList(const QByteArray& bytes, std::vector<Word>* out, QString* problem) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    *problem = QStringLiteral("単語のファイルが UTF-8 ではありません。");
    return false;
  }
  out->clear();
  int number = 0;
  for (QString line : text.split(QLatin1Char('\n'))) {
    ++number;
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.trimmed().isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char('\t'));
    const QString word = fields[0].trimmed();
    bool pointsRead = true;
    const Long points =
        fields.size() == 2 ? fields[1].trimmed().toInt(&pointsRead) : DefaultPoints(word);
    if (word.isEmpty() || fields.size() > 2 || !pointsRead || word.contains(QLatin1Char(' '))) {
      *problem =
          QStringLiteral("単語のファイルの %1 行目は「単語」か「単語<タブ>点数」にしてください。")
              .arg(number);
      return false;
    }
    out->push_back({ToU16(word), points});
  }
  return true;
}

QString DictionaryPath() {
  return QStringLiteral("/usr/share/mecab/dic/ipadic/Noun.csv");
}

bool ReadDictionary(const QString& path, int maxLength, std::vector<Word>* out, QString* problem) {
  QByteArray bytes;
  if (!QFileInfo::exists(path)) {
    *problem = QStringLiteral("辞書「%1」がありません。mecab-ipadic を入れてください。").arg(path);
    return false;
  }
  if (!ReadWhole(path, kDictionaryLimit, QStringLiteral("辞書"), &bytes, problem)) return false;
  QStringDecoder eucJp("EUC-JP");
  if (!eucJp.isValid()) {
    *problem = QStringLiteral("この Qt では EUC-JP の辞書を読めません。");
    return false;
  }
  const QString text = eucJp.decode(bytes);
  const int longest = std::min(8, maxLength);
  // Surface, left and right ids, cost, four part-of-speech fields, two
  // conjugation fields, base form, reading, pronunciation.
  std::map<QString, int> cost;
  for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    const QList<QStringView> fields = line.split(QLatin1Char(','));
    if (fields.size() != 13) continue;
    // A loanword's reading in hiragana reads oddly: only words written
    // with some kanji or hiragana.
    const bool native = std::any_of(fields[0].begin(), fields[0].end(), [](QChar ch) {
      return (ch >= QChar(u'ぁ') && ch <= QChar(u'ん')) ||
             (ch >= QChar(u'一') && ch <= QChar(u'龥'));
    });
    bool ok = false;
    const int c = fields[3].toInt(&ok);
    if (!native) continue;
    QString reading = fields[11].toString();
    if (!ok || reading.size() < 2 || reading.size() > longest) continue;
    for (QChar& ch : reading) {
      if (ch >= QChar(u'ァ') && ch <= QChar(u'ン')) ch = QChar(ch.unicode() - 0x60);
    }
    if (!std::all_of(reading.begin(), reading.end(),
                     [](QChar ch) { return ch >= QChar(u'ぁ') && ch <= QChar(u'ん'); }))
      continue;
    const auto it = cost.find(reading);
    if (it == cost.end() || c < it->second) cost[reading] = c;
  }
  std::vector<std::pair<int, QString>> ranked;
  for (const auto& [reading, c] : cost) ranked.push_back({c, reading});
  std::sort(ranked.begin(), ranked.end());
  out->clear();
  for (const auto& [c, reading] : ranked) out->push_back({ToU16(reading), DefaultPoints(reading)});
  if (out->empty()) {
    *problem = QStringLiteral("辞書「%1」に使える読みがありません。").arg(path);
    return false;
  }
  return true;
}

}  // namespace numera::workshop
