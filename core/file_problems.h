// The sentences the file reader and writer give the player, and the
// look at what stands at a path; shared by regular_file.cpp and
// file_writer.cpp only.
#pragma once

#include <sys/stat.h>

#include <QString>

#include "core/regular_file.h"

namespace numera::file_problems {

inline FileResult Failed(const QString& problem, FileFault fault = FileFault::kFailed) {
  FileResult r;
  r.Fault = fault;
  r.Problem = problem;
  return r;
}

inline FileResult Done() {
  FileResult r;
  r.Fault = FileFault::kNone;
  return r;
}

inline QString NotAFile() {
  return QStringLiteral("普通のファイルではありません（デバイスやパイプなど）。");
}
inline QString LinkLoop() {
  return QStringLiteral("シンボリックリンクをたどれません。");
}

// What stands at a path that exists but is no regular file.
inline FileResult NotRegular(mode_t mode) {
  return Failed(S_ISDIR(mode) ? QStringLiteral("これはフォルダです。") : NotAFile(),
                FileFault::kNotRegular);
}

}  // namespace numera::file_problems
