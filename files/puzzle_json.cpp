#include "files/puzzle_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <cmath>
#include <limits>

namespace numera {

namespace {

// A JSON string literal, escaped the way QJsonDocument escapes.
QByteArray Quoted(const QString& text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return array.mid(1, array.size() - 2);  // strip [ and ]
}

QByteArray Number(qint64 v) {
  return QByteArray::number(v);
}

bool RoundTrips(const QByteArray& bytes) {
  return EncodeCp932(DecodeCp932(bytes)) == bytes;
}

const QString kDefaultSuffix = QStringLiteral("\u3000");

// Reads one integer field of a JSON object, with its range.
bool IntegerField(const QJsonObject& o, const QString& key, qint64 lo, qint64 hi, qint64* value,
                  const QString& where, QString* problem) {
  const QJsonValue v = o.value(key);
  if (v.isUndefined()) return true;  // keep the default
  const double d = v.toDouble(std::numeric_limits<double>::quiet_NaN());
  if (!v.isDouble() || std::isnan(d) || d != std::floor(d) || d < static_cast<double>(lo) ||
      d > static_cast<double>(hi)) {
    *problem = QStringLiteral("%1の「%2」は %3 から %4 までの整数にしてください。")
                   .arg(where, key, QString::number(lo), QString::number(hi));
    return false;
  }
  *value = static_cast<qint64>(d);
  return true;
}

bool OnlyKnownKeys(const QJsonObject& o, const QSet<QString>& known, const QString& where,
                   QString* problem) {
  for (const QString& key : o.keys()) {
    if (!known.contains(key)) {
      *problem = QStringLiteral("%1に知らない項目「%2」があります。").arg(where, key);
      return false;
    }
  }
  return true;
}

// A text given as characters ("text") and, where needed, as bytes.
bool TextField(const QJsonObject& o, const QString& textKey, const QString& bytesKey,
               const QString& fallback, const QString& where, QByteArray* out, QString* problem) {
  const QJsonValue text = o.value(textKey);
  const QJsonValue hex = o.value(bytesKey);
  if (!text.isUndefined() && !text.isString()) {
    *problem = QStringLiteral("%1の「%2」は文字列にしてください。").arg(where, textKey);
    return false;
  }
  if (!hex.isUndefined()) {
    const QString digits = hex.toString();
    const auto decoded = QByteArray::fromHex(digits.toLatin1());
    if (!hex.isString() || digits.size() % 2 != 0 ||
        decoded.toHex() != digits.toLower().toLatin1()) {
      *problem =
          QStringLiteral("%1の「%2」は 16 進数の文字列にしてください。").arg(where, bytesKey);
      return false;
    }
    if (!text.isUndefined() && DecodeCp932(decoded) != text.toString()) {
      *problem =
          QStringLiteral("%1の「%2」と「%3」が食い違っています。").arg(where, textKey, bytesKey);
      return false;
    }
    *out = decoded;
    return true;
  }
  const QString chosen = text.isUndefined() ? fallback : text.toString();
  *out = EncodeCp932(chosen);
  if (DecodeCp932(*out) != chosen) {
    *problem =
        QStringLiteral("%1の「%2」にシフト JIS で書けない文字があります。").arg(where, textKey);
    return false;
  }
  return true;
}

}  // namespace

QByteArray PuzzleToJson(const PuzzleFile& p) {
  QByteArray out;
  auto line = [&out](const char* key, const QByteArray& value, bool last = false) {
    out += "  \"";
    out += key;
    out += "\": ";
    out += value;
    out += last ? "\n" : ",\n";
  };
  out += "{\n";
  line("layout", p.Layout == PuzzleLayout::kVersion2 ? "\"version2\"" : "\"old\"");
  line("board_size", Number(p.BoardSize));
  line("word_count", Number(p.WordCount));
  line("max_word_length", Number(p.MaxWordLength));
  line("suffix_lengths",
       "[" + Number(p.CountSuffixBytes.size()) + ", " + Number(p.ScoreSuffixBytes.size()) + "]");
  line("count_suffix", Quoted(DecodeCp932(p.CountSuffixBytes)));
  if (!RoundTrips(p.CountSuffixBytes))
    line("count_suffix_bytes", Quoted(QString::fromLatin1(p.CountSuffixBytes.toHex())));
  line("score_suffix", Quoted(DecodeCp932(p.ScoreSuffixBytes)));
  if (!RoundTrips(p.ScoreSuffixBytes))
    line("score_suffix_bytes", Quoted(QString::fromLatin1(p.ScoreSuffixBytes.toHex())));
  line("placed_count", Number(p.PlacedCount));
  line("score", Number(p.Score));
  out += "  \"words\": [\n";
  for (std::size_t i = 0; i < p.Entries.size(); ++i) {
    const PuzzleEntry& e = p.Entries[i];
    out += "    {\"text\": " + Quoted(e.Text());
    if (!RoundTrips(e.TextBytes))
      out += ", \"bytes\": " + Quoted(QString::fromLatin1(e.TextBytes.toHex()));
    out += ", \"points\": " + Number(e.Points) + ", \"used\": " + Number(e.Used) +
           ", \"x\": " + Number(e.X) + ", \"y\": " + Number(e.Y) + ", \"dir\": " + Number(e.Dir) +
           "}";
    out += i + 1 < p.Entries.size() ? ",\n" : "\n";
  }
  out += "  ]\n}\n";
  return out;
}

bool PuzzleFromJson(const QByteArray& json, PuzzleFile* out, QString* problem) {
  QString why;
  auto fail = [&](const QString& sentence) {
    if (problem) *problem = sentence;
    return false;
  };
  QJsonParseError parseError;
  const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError)
    return fail(QStringLiteral("JSON として読めません（%1 文字目: %2）。")
                    .arg(QString::number(parseError.offset), parseError.errorString()));
  if (!doc.isObject()) return fail(QStringLiteral("JSON の一番外側はオブジェクトにしてください。"));
  const QJsonObject o = doc.object();
  const QString top = QStringLiteral("パズル");
  if (!OnlyKnownKeys(o,
                     {"layout", "board_size", "word_count", "max_word_length", "suffix_lengths",
                      "count_suffix", "count_suffix_bytes", "score_suffix", "score_suffix_bytes",
                      "placed_count", "score", "words"},
                     top, &why))
    return fail(why);

  PuzzleLayout layout = PuzzleLayout::kVersion2;
  if (o.contains("layout")) {
    const QString name = o.value("layout").toString();
    if (name == QLatin1String("old")) {
      layout = PuzzleLayout::kOld;
    } else if (name != QLatin1String("version2")) {
      return fail(QStringLiteral("「layout」は \"version2\" か \"old\" にしてください。"));
    }
  }
  PuzzleFile p = EmptyPuzzle(layout);
  const int entries = EntryCount(layout);

  const QJsonValue wordsValue = o.value("words");
  if (!wordsValue.isUndefined() && !wordsValue.isArray())
    return fail(QStringLiteral("「words」は配列にしてください。"));
  const QJsonArray words = wordsValue.toArray();
  if (words.size() > entries)
    return fail(QStringLiteral("単語が %1 個あります（この形式では %2 個まで）。")
                    .arg(QString::number(words.size()), QString::number(entries)));
  const QSet<QString> wordKeys{"text", "bytes", "points", "used", "x", "y", "dir"};
  constexpr qint64 kInt16Lo = std::numeric_limits<qint16>::min();
  constexpr qint64 kInt16Hi = std::numeric_limits<qint16>::max();
  constexpr qint64 kInt32Lo = std::numeric_limits<qint32>::min();
  constexpr qint64 kInt32Hi = std::numeric_limits<qint32>::max();
  for (int i = 0; i < words.size(); ++i) {
    const QString where = QStringLiteral("単語 %1 ").arg(i + 1);
    if (!words[i].isObject()) return fail(where + QStringLiteral("はオブジェクトにしてください。"));
    const QJsonObject w = words[i].toObject();
    if (!OnlyKnownKeys(w, wordKeys, where, &why)) return fail(why);
    PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i)];
    if (!TextField(w, "text", "bytes", QString(), where, &e.TextBytes, &why)) return fail(why);
    qint64 points = 0, used = 0, x = 0, y = 0, dir = 0;
    if (!IntegerField(w, "points", kInt32Lo, kInt32Hi, &points, where, &why) ||
        !IntegerField(w, "used", kInt16Lo, kInt16Hi, &used, where, &why) ||
        !IntegerField(w, "x", kInt16Lo, kInt16Hi, &x, where, &why) ||
        !IntegerField(w, "y", kInt16Lo, kInt16Hi, &y, where, &why) ||
        !IntegerField(w, "dir", kInt16Lo, kInt16Hi, &dir, where, &why))
      return fail(why);
    e.Points = static_cast<Long>(points);
    e.Used = static_cast<Integer>(used);
    e.X = static_cast<Integer>(x);
    e.Y = static_cast<Integer>(y);
    e.Dir = static_cast<Integer>(dir);
  }

  if (!TextField(o, "count_suffix", "count_suffix_bytes", kDefaultSuffix, top, &p.CountSuffixBytes,
                 &why) ||
      !TextField(o, "score_suffix", "score_suffix_bytes", kDefaultSuffix, top, &p.ScoreSuffixBytes,
                 &why))
    return fail(why);
  if (o.contains("suffix_lengths")) {
    const QJsonArray lengths = o.value("suffix_lengths").toArray();
    if (!o.value("suffix_lengths").isArray() || lengths.size() != 2 ||
        lengths[0].toDouble(-1) != static_cast<double>(p.CountSuffixBytes.size()) ||
        lengths[1].toDouble(-1) != static_cast<double>(p.ScoreSuffixBytes.size())) {
      return fail(QStringLiteral("「suffix_lengths」は単位のバイト数 [%1, %2] と合っていません。")
                      .arg(QString::number(p.CountSuffixBytes.size()),
                           QString::number(p.ScoreSuffixBytes.size())));
    }
  }

  qint64 wordCount = words.size();
  qint64 boardSize = 0, placedCount = 0, score = 0;
  if (!IntegerField(o, "board_size", kInt16Lo, kInt16Hi, &boardSize, top, &why) ||
      !IntegerField(o, "word_count", kInt16Lo, kInt16Hi, &wordCount, top, &why) ||
      !IntegerField(o, "placed_count", kInt32Lo, kInt32Hi, &placedCount, top, &why) ||
      !IntegerField(o, "score", kInt32Lo, kInt32Hi, &score, top, &why))
    return fail(why);
  if (!o.contains("board_size"))
    return fail(QStringLiteral("「board_size」（盤の大きさ）がありません。"));
  qint64 longest = 0;
  for (qint64 i = 0; i < wordCount && i < entries; ++i)
    longest = std::max<qint64>(longest, p.Entries[static_cast<std::size_t>(i)].Text().size());
  qint64 maxWordLength = longest;
  if (!IntegerField(o, "max_word_length", kInt16Lo, kInt16Hi, &maxWordLength, top, &why))
    return fail(why);
  p.BoardSize = static_cast<Integer>(boardSize);
  p.WordCount = static_cast<Integer>(wordCount);
  p.MaxWordLength = static_cast<Integer>(maxWordLength);
  p.PlacedCount = static_cast<Long>(placedCount);
  p.Score = static_cast<Long>(score);

  const QString refusal = PuzzleProblem(p);
  if (!refusal.isEmpty()) return fail(refusal);
  *out = std::move(p);
  return true;
}

}  // namespace numera
