#include "workshop/tool_io.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "core/file_names.h"
#include "core/regular_file.h"

namespace numera::tool {

void Err(const QString& text) {
  const QByteArray bytes = text.toUtf8() + '\n';
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
  std::fflush(stderr);
}

bool Print(const QByteArray& bytes) {
  if (WriteWhole(STDOUT_FILENO, bytes)) return true;
  Err(QStringLiteral("出力を書き終えられませんでした。ディスクに空きがあるか確かめてください。"));
  return false;
}

std::optional<QStringList> Arguments(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) {
    const QString arg = QFile::decodeName(argv[i]);
    if (!NameRoundTrips(QByteArray(argv[i]))) {
      Err(QStringLiteral("引数 %1 のファイル名が UTF-8 ではありません: %2").arg(i).arg(arg));
      return std::nullopt;
    }
    args << arg;
  }
  return args;
}

bool ReadSource(const QString& path, QByteArray* bytes) {
  const FileResult read = ReadRegularFile(path, kSourceLimit, bytes);
  QString problem = read.Problem;
  if (read.Ok() && read.Longer)
    problem = QStringLiteral("%1 バイトより大きなファイルです。").arg(kSourceLimit);
  else if (read.Ok())
    return true;
  Err(QStringLiteral("「%1」を読み込めません。%2").arg(path, problem));
  return false;
}

QString AsGiven(const QString& message, const QString& path) {
  const QString named = QStringLiteral("「%1」").arg(QFileInfo(path).fileName());
  if (!message.startsWith(named)) return message;
  return QStringLiteral("「%1」").arg(path) + message.mid(named.size());
}

QString MissingFolder(const QString& path) {
  const QFileInfo folder(QFileInfo(path).absolutePath());
  if (folder.isDir()) return {};
  return QStringLiteral("「%1」に書き込めません。「%2」%3")
      .arg(path, QFileInfo(path).path(),
           folder.exists() ? QStringLiteral("はフォルダーではありません。")
                           : QStringLiteral("というフォルダーがありません。"));
}

bool ReadPuzzle(const QString& path, PuzzleFile* puzzle) {
  QString message;
  if (ReadPuzzleFile(path, puzzle, &message)) return true;
  Err(AsGiven(message, path));
  return false;
}

bool WritePuzzle(const QString& path, const PuzzleFile& puzzle) {
  QString message = MissingFolder(path);
  if (message.isEmpty() && WritePuzzleFile(path, puzzle, &message)) return true;
  Err(AsGiven(message, path));
  return false;
}

}  // namespace numera::tool
