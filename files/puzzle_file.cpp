#include "files/puzzle_file.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "core/file_names.h"
#include "core/regular_file.h"

namespace numera {

namespace {

// Windows' own flavour of Shift-JIS; plain "Shift_JIS" where a Qt build
// knows no other name for it.
const char* Cp932Name() {
  static const char* const name = [] {
    for (const char* candidate : {"windows-31j", "cp932", "Shift_JIS"}) {
      if (QStringDecoder(candidate).isValid() && QStringEncoder(candidate).isValid())
        return candidate;
    }
    throw std::runtime_error("no code page 932 converter in this Qt build");
  }();
  return name;
}

// Reads little-endian fields from the front of a byte array and never past
// its end: a field that does not fit whole is not read at all.
class FieldReader {
 public:
  explicit FieldReader(const QByteArray& bytes, qsizetype start) : bytes_(bytes), pos_(start) {}

  bool Int16(Integer* value) {
    if (Remaining() < 2) return false;
    *value = qFromLittleEndian<qint16>(bytes_.constData() + pos_);
    pos_ += 2;
    return true;
  }
  bool Int32(Long* value) {
    if (Remaining() < 4) return false;
    *value = qFromLittleEndian<qint32>(bytes_.constData() + pos_);
    pos_ += 4;
    return true;
  }
  bool Bytes(qsizetype count, QByteArray* out) {
    if (count < 0 || Remaining() < count) return false;
    *out = bytes_.mid(pos_, count);
    pos_ += count;
    return true;
  }

 private:
  qsizetype Remaining() const { return bytes_.size() - pos_; }
  const QByteArray& bytes_;
  qsizetype pos_;
};

void PutInt16(QByteArray& out, Integer value) {
  char buf[2];
  qToLittleEndian<qint16>(value, buf);
  out.append(buf, 2);
}

void PutInt32(QByteArray& out, Long value) {
  char buf[4];
  qToLittleEndian<qint32>(value, buf);
  out.append(buf, 4);
}

QString Cut(const QString& where) {
  return QStringLiteral("ファイルが途中で終わっています（%1のところ）。").arg(where);
}

QString WordLabel(int i) {
  return QStringLiteral("単語 %1 ").arg(i);
}

// The bytes to write for a text: the bytes it was read from while they
// still read as this text, else the text freshly converted.
QByteArray BytesFor(const QString& text, const QByteArray& asRead) {
  if (DecodeCp932(asRead) == text) return asRead;
  return EncodeCp932(text);
}

}  // namespace

int EntryCount(PuzzleLayout layout) {
  return layout == PuzzleLayout::kVersion2 ? kVersion2Entries : kOldEntries;
}

QString VersionText() {
  return QStringLiteral("バージョン２");
}

QByteArray VersionBytes() {
  static const QByteArray bytes("\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x82\x51",
                                kVersionTextBytes);
  return bytes;
}

QString DecodeCp932(const QByteArray& bytes) {
  if (bytes.isEmpty()) return QString();
  QStringDecoder decoder(Cp932Name(), QStringConverter::Flag::Stateless);
  return decoder.decode(bytes);
}

QByteArray EncodeCp932(const QString& text) {
  if (text.isEmpty()) return QByteArray();
  QStringEncoder encoder(Cp932Name(), QStringConverter::Flag::Stateless);
  return encoder.encode(text);
}

PuzzleFile EmptyPuzzle(PuzzleLayout layout) {
  PuzzleFile p;
  p.Layout = layout;
  p.FileVersion = layout == PuzzleLayout::kVersion2 ? VersionText() : QString();
  p.Entries.assign(static_cast<std::size_t>(EntryCount(layout)), PuzzleEntry{});
  return p;
}

bool ParsePuzzle(const QByteArray& bytes, PuzzleFile* out, QString* problem) {
  auto fail = [problem](const QString& why) {
    if (problem) *problem = why;
    return false;
  };
  PuzzleFile p;
  const bool version2 = bytes.startsWith(VersionBytes());
  p.Layout = version2 ? PuzzleLayout::kVersion2 : PuzzleLayout::kOld;
  if (version2) {
    p.FileVersion = VersionText();
  } else {
    // The first six characters, whatever they are. Six characters of code
    // page 932 never take more than 12 bytes.
    p.FileVersion = DecodeCp932(bytes.left(kVersionTextBytes)).left(6);
    // Only the exact bytes make a version-2 file; keep a look-alike apart.
    if (p.FileVersion == VersionText()) p.FileVersion.chop(1);
  }
  const int n = EntryCount(p.Layout);
  p.Entries.assign(static_cast<std::size_t>(n), PuzzleEntry{});
  FieldReader r(bytes, version2 ? kVersionTextBytes : 0);

  for (int i = 1; i <= n; ++i) {
    PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
    Integer length = 0;
    if (!r.Int16(&length)) return fail(Cut(WordLabel(i) + QStringLiteral("の長さ")));
    if (length < 0) {
      return fail(
          QStringLiteral("%1の長さが %2 バイトになっています。").arg(WordLabel(i)).arg(length));
    }
    if (!r.Bytes(length, &e.TextBytes)) return fail(Cut(WordLabel(i) + QStringLiteral("の文字")));
  }
  for (int i = 1; i <= n; ++i) {
    if (!r.Int32(&p.Entries[static_cast<std::size_t>(i - 1)].Points))
      return fail(Cut(WordLabel(i) + QStringLiteral("の点数")));
  }
  Integer countLength = 0, scoreLength = 0;
  if (!r.Int16(&countLength) || !r.Int16(&scoreLength))
    return fail(Cut(QStringLiteral("単位の長さ")));
  if (countLength < 0 || scoreLength < 0) {
    return fail(QStringLiteral("単位の長さが %1 バイトになっています。")
                    .arg(countLength < 0 ? countLength : scoreLength));
  }
  if (!r.Bytes(countLength, &p.CountSuffixBytes)) return fail(Cut(QStringLiteral("個数の単位")));
  if (!r.Bytes(scoreLength, &p.ScoreSuffixBytes)) return fail(Cut(QStringLiteral("得点の単位")));
  if (!r.Int16(&p.BoardSize)) return fail(Cut(QStringLiteral("盤の大きさ")));
  if (!r.Int16(&p.MaxWordLength)) return fail(Cut(QStringLiteral("最も長い単語の文字数")));
  if (!r.Int16(&p.WordCount)) return fail(Cut(QStringLiteral("単語の数")));

  struct Column {
    Integer PuzzleEntry::*Field;
    const char16_t* Name;
  };
  const Column columns[] = {{&PuzzleEntry::Used, u"置いたかどうかの印"},
                            {&PuzzleEntry::X, u"横の位置"},
                            {&PuzzleEntry::Y, u"縦の位置"},
                            {&PuzzleEntry::Dir, u"向き"}};
  for (const Column& c : columns) {
    for (int i = 1; i <= n; ++i) {
      if (!r.Int16(&(p.Entries[static_cast<std::size_t>(i - 1)].*c.Field)))
        return fail(Cut(WordLabel(i) + QStringLiteral("の") + QString::fromUtf16(c.Name)));
    }
  }
  if (!r.Int32(&p.PlacedCount)) return fail(Cut(QStringLiteral("置いた単語の数")));
  if (!r.Int32(&p.Score)) return fail(Cut(QStringLiteral("得点")));
  *out = std::move(p);
  return true;
}

QString PuzzleProblem(const PuzzleFile& p) {
  const int entries = EntryCount(p.Layout);
  if (static_cast<int>(p.Entries.size()) != entries)
    return QStringLiteral("単語の欄が %1 個あります（%2 個のはずです）。")
        .arg(p.Entries.size())
        .arg(entries);
  for (int i = 1; i <= entries; ++i) {
    if (p.Entries[static_cast<std::size_t>(i - 1)].TextBytes.size() > 32767)
      return QStringLiteral("%1が長すぎます（32767 バイトまで）。").arg(WordLabel(i));
  }
  if (p.CountSuffixBytes.size() > 32767 || p.ScoreSuffixBytes.size() > 32767)
    return QStringLiteral("単位が長すぎます（32767 バイトまで）。");
  if (p.WordCount < 1 || p.WordCount > entries)
    return QStringLiteral("単語の数が %1 です（1 から %2 までのはずです）。")
        .arg(p.WordCount)
        .arg(entries);
  if (p.BoardSize < 1 || p.BoardSize > 30)
    return QStringLiteral("盤の大きさが %1 です（1 から 30 までのはずです）。").arg(p.BoardSize);
  if (p.MaxWordLength < 0)
    return QStringLiteral("最も長い単語の文字数が %1 になっています。").arg(p.MaxWordLength);
  // Placing and taking back move the score by the points of one word, from
  // what the stored score holds beyond the placed words: every score the
  // game can reach must fit in 32 bits.
  qint64 placed = 0, reach = 0;
  for (int i = 1; i <= p.WordCount; ++i) {
    const PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
    if (e.Used == 1) placed += e.Points;
    reach += std::abs(qint64{e.Points});
  }
  if (std::abs(p.Score - placed) + reach > std::numeric_limits<Long>::max())
    return QStringLiteral(
               "点数が大きすぎます（単語を置いたり外したりすると、得点が %1 を超えることがあります）。")
        .arg(std::numeric_limits<Long>::max());
  if (std::abs(qint64{p.PlacedCount}) + p.WordCount > std::numeric_limits<Long>::max())
    return QStringLiteral("置いた単語の数が %1 になっています。").arg(p.PlacedCount);

  const int n = p.BoardSize;
  for (int i = 1; i <= p.WordCount; ++i) {
    const PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
    const QString text = e.Text();
    // A word longer than the board can never be laid, and the word list is
    // only as wide as the longest word the file announces.
    const int letters = static_cast<int>(text.size());
    if (letters > n)
      return QStringLiteral("単語 %1「%2」は %3 文字で、%4 × %4 の盤に入りません。")
          .arg(QString::number(i), text, QString::number(letters), QString::number(n));
    if (letters > p.MaxWordLength)
      return QStringLiteral("単語 %1「%2」は %3 文字で、最も長い単語の文字数 %4 を超えています。")
          .arg(QString::number(i), text, QString::number(letters),
               QString::number(p.MaxWordLength));
    if (e.Used != 1) continue;
    if (e.Dir != 0 && e.Dir != 1) {
      return QStringLiteral("置かれた単語 %1「%2」の向きが %3 です（横 0 か縦 1 のはずです）。")
          .arg(QString::number(i), text, QString::number(e.Dir));
    }
    // The letters must lie on the board; their end marks then lie on the
    // board or its ring.
    const int len = static_cast<int>(text.size());
    const int lastX = e.X + (len > 0 ? len - 1 : 0) * (1 - e.Dir);
    const int lastY = e.Y + (len > 0 ? len - 1 : 0) * e.Dir;
    if (e.X < 0 || e.Y < 0 || lastX > n - 1 || lastY > n - 1) {
      return QStringLiteral(
                 "置かれた単語 %1「%2」が盤からはみ出しています（%3向き、位置 (%4, %5) から）。")
          .arg(QString::number(i), text, e.Dir == 0 ? QStringLiteral("横") : QStringLiteral("縦"),
               QString::number(e.X), QString::number(e.Y));
    }
  }
  return QString();
}

QByteArray SerializePuzzle(const PuzzleFile& p) {
  QByteArray out;
  const bool version2 = p.Layout == PuzzleLayout::kVersion2;
  qsizetype textBytes = p.CountSuffixBytes.size() + p.ScoreSuffixBytes.size();
  for (const PuzzleEntry& e : p.Entries) textBytes += e.TextBytes.size();
  out.reserve((version2 ? kVersion2FixedBytes : kOldFixedBytes) + textBytes);

  if (version2) out.append(VersionBytes());
  for (const PuzzleEntry& e : p.Entries) {
    PutInt16(out, static_cast<Integer>(e.TextBytes.size()));
    out.append(e.TextBytes);
  }
  for (const PuzzleEntry& e : p.Entries) PutInt32(out, e.Points);
  PutInt16(out, static_cast<Integer>(p.CountSuffixBytes.size()));
  PutInt16(out, static_cast<Integer>(p.ScoreSuffixBytes.size()));
  out.append(p.CountSuffixBytes);
  out.append(p.ScoreSuffixBytes);
  PutInt16(out, p.BoardSize);
  PutInt16(out, p.MaxWordLength);
  PutInt16(out, p.WordCount);
  for (const PuzzleEntry& e : p.Entries) PutInt16(out, e.Used);
  for (const PuzzleEntry& e : p.Entries) PutInt16(out, e.X);
  for (const PuzzleEntry& e : p.Entries) PutInt16(out, e.Y);
  for (const PuzzleEntry& e : p.Entries) PutInt16(out, e.Dir);
  PutInt32(out, p.PlacedCount);
  PutInt32(out, p.Score);
  return out;
}

QString RefusalMessage(const QString& path, const QString& problem) {
  return QStringLiteral("「%1」を開けません。%2").arg(ShownFileName(path), problem);
}

bool ReadPuzzleFile(const QString& path, PuzzleFile* out, QString* message) {
  auto refuse = [&](const QString& problem) {
    if (message) *message = RefusalMessage(path, problem);
    return false;
  };
  // Nothing a puzzle can hold lies beyond the bound; the rest is not read.
  QByteArray bytes;
  const FileResult read = ReadRegularFile(path, kLargestPuzzleBytes, &bytes);
  if (!read.Ok()) return refuse(read.Problem);

  PuzzleFile p;
  QString problem;
  if (!ParsePuzzle(bytes, &p, &problem)) return refuse(problem);
  problem = PuzzleProblem(p);
  if (!problem.isEmpty()) return refuse(problem);
  *out = std::move(p);
  return true;
}

namespace {

// The sentence for a write that did not go as it should, naming the file
// the problem is about. `others` is whether other files were to be written
// with it.
QString UnsavedMessage(const QString& path, const FileResult& written, bool others) {
  const QString name = ShownFileName(path);
  if (written.Replaced)
    return QStringLiteral("「%1」に保存しましたが、%2").arg(name, written.Problem);
  QString message = QStringLiteral("「%1」に保存できませんでした。%2").arg(name, written.Problem);
  if (written.Damaged)
    message += QStringLiteral("ファイルが書きかけのまま残っているかもしれません。");
  else if (others)
    message += QStringLiteral("どのファイルも書き換えていません。");
  else if (written.Fault == FileFault::kFailed && QFileInfo::exists(path))
    message += QStringLiteral("元のファイルはそのまま残っています。");
  return message;
}

}  // namespace

bool WritePuzzleFile(const QString& path, const PuzzleFile& puzzle, QString* message) {
  return WritePuzzleFiles({{path, &puzzle}}, message);
}

bool WritePuzzleFiles(const std::vector<std::pair<QString, const PuzzleFile*>>& files,
                      QString* message) {
  std::vector<FileWrite> writes;
  for (const auto& [path, puzzle] : files) {
    const QString problem = PuzzleProblem(*puzzle);
    if (!problem.isEmpty()) {
      if (message)
        *message =
            QStringLiteral("「%1」に保存できませんでした。%2").arg(ShownFileName(path), problem);
      return false;
    }
    writes.push_back({path, SerializePuzzle(*puzzle)});
  }
  std::size_t failed = 0;
  const FileResult written = writes.size() == 1 ? WriteRegularFile(writes[0].Path, writes[0].Bytes)
                                                : WriteRegularFiles(writes, &failed);
  if (written.Ok()) return true;
  if (message) *message = UnsavedMessage(writes[failed].Path, written, writes.size() > 1);
  return false;
}

void InstallPuzzle(GameState& s, const PuzzleFile& p) {
  s.FileVersion = p.FileVersion;
  const int n = static_cast<int>(p.Entries.size());
  for (int i = 1; i <= n; ++i) {
    const PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
    s.Words(i) = e.Text();
    s.WordBytes(i) = e.TextBytes;
    s.WordPoints(i) = e.Points;
    s.WordUsed(i) = e.Used;
    s.WordX(i) = e.X;
    s.WordY(i) = e.Y;
    s.WordDir(i) = e.Dir;
  }
  s.SuffixLengths(0) = static_cast<Integer>(p.CountSuffixBytes.size());
  s.SuffixLengths(1) = static_cast<Integer>(p.ScoreSuffixBytes.size());
  s.CountSuffix = DecodeCp932(p.CountSuffixBytes);
  s.ScoreSuffix = DecodeCp932(p.ScoreSuffixBytes);
  s.CountSuffixBytes = p.CountSuffixBytes;
  s.ScoreSuffixBytes = p.ScoreSuffixBytes;
  s.BoardSize = p.BoardSize;
  s.MaxWordLength = p.MaxWordLength;
  s.WordCount = p.WordCount;
  s.PlacedCount = p.PlacedCount;
  s.Score = p.Score;
}

PuzzleFile PuzzleFromState(const GameState& s) {
  PuzzleFile p =
      EmptyPuzzle(s.FileVersion == VersionText() ? PuzzleLayout::kVersion2 : PuzzleLayout::kOld);
  p.FileVersion = s.FileVersion;
  const int n = static_cast<int>(p.Entries.size());
  for (int i = 1; i <= n; ++i) {
    PuzzleEntry& e = p.Entries[static_cast<std::size_t>(i - 1)];
    e.TextBytes = BytesFor(s.Words(i), s.WordBytes(i));
    e.Points = s.WordPoints(i);
    e.Used = s.WordUsed(i);
    e.X = s.WordX(i);
    e.Y = s.WordY(i);
    e.Dir = s.WordDir(i);
  }
  // The stored suffix lengths are the byte counts of the suffixes, so they
  // are written back as read; a suffix that was never read from a file is
  // written with the length of its own bytes, never with a stale count.
  p.CountSuffixBytes = BytesFor(s.CountSuffix, s.CountSuffixBytes);
  p.ScoreSuffixBytes = BytesFor(s.ScoreSuffix, s.ScoreSuffixBytes);
  p.BoardSize = s.BoardSize;
  p.MaxWordLength = s.MaxWordLength;
  p.WordCount = s.WordCount;
  p.PlacedCount = s.PlacedCount;
  p.Score = s.Score;
  return p;
}

}  // namespace numera
