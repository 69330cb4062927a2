#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>

#include "core/file_problems.h"

namespace numera {

namespace {

using file_problems::Failed;

const QString kNotFound = QStringLiteral("ファイルが見つかりません。");
const QString kUnreadable =
    QStringLiteral("ファイルを読み込めません。読み取りが許可されているか確かめてください。");

FileResult ReadFailed(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Failed(kNotFound, FileFault::kMissing);
    case ELOOP:
      return Failed(file_problems::LinkLoop(), FileFault::kNotRegular);
    default:
      return Failed(kUnreadable);
  }
}

}  // namespace

FileResult ReadRegularFile(const QString& path, qint64 limit, QByteArray* bytes) {
  bytes->clear();
  const QByteArray name = QFile::encodeName(path);
  // The type is looked at before opening: opening a pipe waits for a writer,
  // and opening some devices does something by itself.
  struct stat st;
  if (::stat(name.constData(), &st) != 0) return ReadFailed(errno);
  if (!S_ISREG(st.st_mode)) return file_problems::NotRegular(st.st_mode);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReadFailed(errno);
  // Whatever was swapped in between the look and the open is caught here.
  const bool swapped = ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode);
  if (swapped) {
    ::close(fd);
    return Failed(file_problems::NotAFile(), FileFault::kNotRegular);
  }
  // Read straight into the buffer up to the size the file had; past that in
  // small pieces (a file that grows meanwhile) up to the bound.
  FileResult r;
  QByteArray& out = *bytes;
  out.resize(static_cast<qsizetype>(std::min<qint64>(st.st_size, limit)));
  qsizetype got = 0;
  for (;;) {
    char chunk[4096];
    const bool direct = got < out.size();
    char* into = direct ? out.data() + got : chunk;
    const size_t want = direct ? static_cast<size_t>(out.size() - got) : sizeof chunk;
    const ssize_t n = ::read(fd, into, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      out.clear();
      return Failed(kUnreadable);
    }
    if (n == 0) break;
    if (!direct) {
      const qint64 room = limit - got;
      out.append(chunk, static_cast<qsizetype>(std::min<qint64>(n, room)));
      if (n > room) {
        r.Longer = true;
        got = out.size();
        break;
      }
    }
    got += n;
  }
  ::close(fd);
  bytes->truncate(got);
  r.Fault = FileFault::kNone;
  return r;
}

bool WriteWhole(int fd, const QByteArray& bytes) {
  const char* p = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    p += n;
    left -= n;
  }
  return true;
}

}  // namespace numera
