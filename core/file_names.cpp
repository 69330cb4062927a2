#include "core/file_names.h"

#include <dirent.h>

#include <QFile>
#include <QFileInfo>

namespace numera {

QString ShownFileName(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  if (name.size() <= kLongestShownName) return name;
  const int head = (kLongestShownName - 1) / 2;
  const int tail = kLongestShownName - 1 - head;
  return name.left(head) + QChar(0x2026) + name.right(tail);
}

bool NameRoundTrips(const QByteArray& name) {
  return QFile::encodeName(QFile::decodeName(name)) == name;
}

bool NameIsUnambiguous(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  const QByteArray bytes = QFile::encodeName(name);
  // Bytes that are not UTF-8 show as U+FFFD; only such a name can have a twin.
  if (!name.contains(QChar(QChar::ReplacementCharacter))) return true;
  DIR* dir = ::opendir(QFile::encodeName(info.path()).constData());
  if (!dir) return false;  // cannot tell which of the two it is
  bool alone = true;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray other(entry->d_name);
    if (other != bytes && QFile::decodeName(other) == name) alone = false;
  }
  ::closedir(dir);
  return alone;
}

QString TypedFileName(const QString& typed, const QString& extension) {
  const QString dotted = QLatin1Char('.') + extension;
  if (QFileInfo::exists(typed) || typed.endsWith(dotted, Qt::CaseInsensitive)) return typed;
  return typed + dotted;
}

QString UnrepresentableNameMessage(const QString& shown) {
  return QStringLiteral(
             "「%1」を開けません。ファイル名が UTF-8 で書かれていないので、別のファイルと区別できません。")
      .arg(shown);
}

}  // namespace numera
