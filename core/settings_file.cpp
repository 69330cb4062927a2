#include "core/settings_file.h"

#include <QFileInfo>
#include <QtEndian>

#include "core/regular_file.h"

namespace numera {

QString DataFolder(const GameState& s) {
  return s.AppPath + QStringLiteral("/Data");
}
QString DataDatPath(const GameState& s) {
  return DataFolder(s) + QStringLiteral("/Data.dat");
}

namespace {

QString CannotRead(const QString& name, const QString& problem) {
  return QStringLiteral("「%1」を開けません。%2").arg(name, problem);
}

QString TooLarge(qint64 limit) {
  return QStringLiteral("%1 バイトより大きなファイルです。").arg(limit);
}

// Reads one file of the Data folder the way the game always has: a missing
// file is created empty. Returns false when start-up cannot go on. A file
// that is no regular file, or (`whole`) goes past the bound, leaves *bytes
// empty with a sentence in *messages that ends in `fallback`.
bool ReadDataFile(const QString& path, qint64 limit, bool whole, const QString& fallback,
                  QByteArray* bytes, QStringList* messages) {
  const QString name = QFileInfo(path).fileName();
  const FileResult read = ReadRegularFile(path, limit, bytes);
  if (read.Fault == FileFault::kMissing) {
    const FileResult made = WriteRegularFile(path, QByteArray());
    if (made.Ok() || made.Replaced) return true;
    *messages << QStringLiteral("「%1」を作れません。%2").arg(name, made.Problem);
    return false;
  }
  if (read.Fault == FileFault::kNotRegular) {
    *messages << CannotRead(name, read.Problem) + fallback;
    return true;
  }
  if (!read.Ok()) {
    *messages << CannotRead(name, read.Problem);
    return false;
  }
  if (read.Longer && whole) {
    bytes->clear();
    *messages << CannotRead(name, TooLarge(limit)) + fallback;
  }
  return true;
}

// The Data folder itself, named as the player will look for it.
bool DataFolderThere(const GameState& s, QStringList* messages) {
  const QFileInfo folder(DataFolder(s));
  if (folder.isDir()) return true;
  *messages << (folder.exists() ? QStringLiteral("「Data」がフォルダではありません。")
                                : QStringLiteral("Dataフォルダが見つかりません。")) +
                   QStringLiteral("ぬめらと同じ場所にDataフォルダを置いてください。");
  return false;
}

}  // namespace

void ApplyDataDat(GameState& s, const QByteArray& bytes) {
  Integer fields[24] = {};
  for (int k = 0; k < 24; ++k) {
    if (2 * k + 2 <= bytes.size()) fields[k] = qFromLittleEndian<qint16>(bytes.constData() + 2 * k);
  }
  s.CrossKind = fields[0];
  s.BackgroundKind = fields[1];
  s.FontKind = fields[2];
  s.MessageMode = fields[3];
  for (int i = 0; i <= 19; ++i) s.SoundSwitch(i) = fields[4 + i];
}

QByteArray DataDatRecord(const GameState& s, QByteArray bytes) {
  if (bytes.size() < kDataDatSize) bytes.append(QByteArray(kDataDatSize - bytes.size(), '\0'));
  auto put = [&bytes](int field, Integer value) {
    qToLittleEndian<qint16>(value, bytes.data() + 2 * field);
  };
  put(0, s.CrossKind);
  put(1, s.BackgroundKind);
  put(2, s.FontKind);
  put(3, s.MessageMode);
  for (int i = 0; i <= 19; ++i) put(4 + i, s.SoundSwitch(i));
  return bytes;
}

bool ReadDataDat(GameState& s, QStringList* messages) {
  QStringList unheard;
  if (!messages) messages = &unheard;
  if (!DataFolderThere(s, messages)) return false;
  QByteArray bytes;
  // Only the record is read; what follows it matters only when writing.
  if (!ReadDataFile(DataDatPath(s), kDataDatSize, false, QStringLiteral("初期設定で始めます。"),
                    &bytes, messages))
    return false;
  ApplyDataDat(s, bytes);
  return true;
}

bool LoadSounds(GameState& s, QStringList* messages) {
  QStringList unheard;
  if (!messages) messages = &unheard;
  for (int k : {0, 1, 2, 3, 5, 9}) {
    const QString path =
        DataFolder(s) + QStringLiteral("/sound") + QString::number(k) + QStringLiteral(".wav");
    QByteArray data;
    if (!ReadDataFile(path, kSoundLimit, true, QStringLiteral("この音は鳴りません。"), &data,
                      messages))
      return false;
    data.append('\0');  // one byte longer than the file, the last byte 0
    s.SoundData(k) = data;
  }
  return true;
}

bool WriteDataDat(const GameState& s, QString* error) {
  const QString path = DataDatPath(s);
  QByteArray old;
  FileResult result = ReadRegularFile(path, kDataDatLimit, &old);
  if (result.Ok() && result.Longer) {
    result.Fault = FileFault::kFailed;
    result.Problem = TooLarge(kDataDatLimit);
  } else if (result.Ok() || result.Fault == FileFault::kMissing) {
    result = WriteRegularFile(path, DataDatRecord(s, old));
  }
  if (result.Ok()) return true;
  if (error && result.Replaced) {
    *error = QStringLiteral("設定を保存しましたが、") + result.Problem;
  } else if (error) {
    *error = QStringLiteral("設定を保存できませんでした（Data.dat）。") + result.Problem +
             QStringLiteral("設定は終了するまで有効です。");
  }
  return false;
}

}  // namespace numera
