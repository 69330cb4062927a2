#include "tools/tool_io.h"

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
  Err(QStringLiteral("「%1」を読み込めません。%2").arg(QFileInfo(path).fileName(), problem));
  return false;
}

}  // namespace numera::tool
