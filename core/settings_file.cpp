#include "core/settings_file.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include "core/atomic_file.h"

namespace numera {

QString DataFolder(const GameState& s) {
  return s.AppPath + QStringLiteral("/Data");
}
QString DataDatPath(const GameState& s) {
  return DataFolder(s) + QStringLiteral("/Data.dat");
}

namespace {

// Opens like the game always has: read/write, created empty when missing.
bool OpenOrCreate(QFile& file, QString* error) {
  if (file.open(QIODevice::ReadWrite)) return true;
  if (file.open(QIODevice::ReadOnly)) return true;  // a read-only file still reads
  if (error) {
    *error =
        QStringLiteral("データファイルを開けません。\n%1\nDataフォルダがあるか確かめてください。")
            .arg(QDir::toNativeSeparators(file.fileName()));
  }
  return false;
}

Integer Int16At(const QByteArray& bytes, int offset) {
  return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

}  // namespace

bool ReadDataDat(GameState& s, QString* error) {
  QFile file(DataDatPath(s));
  if (!OpenOrCreate(file, error)) return false;
  const QByteArray bytes = file.read(kDataDatSize);
  Integer fields[24] = {};
  for (int k = 0; k < 24; ++k) {
    if (2 * k + 2 <= bytes.size()) fields[k] = Int16At(bytes, 2 * k);
  }
  s.CrossKind = fields[0];
  s.BackgroundKind = fields[1];
  s.FontKind = fields[2];
  s.MessageMode = fields[3];
  for (int i = 0; i <= 19; ++i) s.SoundSwitch(i) = fields[4 + i];
  return true;
}

bool WriteDataDat(const GameState& s, QString* error) {
  const QString path = DataDatPath(s);
  QByteArray bytes;
  {
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) bytes = old.readAll();
  }
  if (bytes.size() < kDataDatSize) bytes.append(QByteArray(kDataDatSize - bytes.size(), '\0'));
  auto put = [&bytes](int field, Integer value) {
    qToLittleEndian<qint16>(value, bytes.data() + 2 * field);
  };
  put(0, s.CrossKind);
  put(1, s.BackgroundKind);
  put(2, s.FontKind);
  put(3, s.MessageMode);
  for (int i = 0; i <= 19; ++i) put(4 + i, s.SoundSwitch(i));

  if (!WriteFileAtomically(path, bytes)) {
    if (error) {
      *error = QStringLiteral(
                   "設定を保存できませんでした。\n%"
                   "1\n設定はこのまま使えますが、次に起動したときには戻ります。")
                   .arg(QDir::toNativeSeparators(path));
    }
    return false;
  }
  return true;
}

bool LoadSounds(GameState& s, QString* error) {
  for (int k : {0, 1, 2, 3, 5, 9}) {
    QFile file(DataFolder(s) + QStringLiteral("/sound") + QString::number(k) +
               QStringLiteral(".wav"));
    if (!OpenOrCreate(file, error)) return false;
    QByteArray data = file.readAll();
    data.append('\0');  // one byte longer than the file, the last byte 0
    s.SoundData(k) = data;
  }
  return true;
}

}  // namespace numera
