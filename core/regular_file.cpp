#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace numera {

namespace {

const QString kNotFound = QStringLiteral("ファイルが見つかりません。");
const QString kFolder = QStringLiteral("これはフォルダです。");
const QString kNotAFile = QStringLiteral("普通のファイルではありません（デバイスやパイプなど）。");
const QString kLinkLoop = QStringLiteral("シンボリックリンクをたどれません。");
const QString kUnreadable =
    QStringLiteral("ファイルを読み込めません。読み取りが許可されているか確かめてください。");

FileResult Failed(const QString& problem, FileFault fault = FileFault::kFailed) {
  FileResult r;
  r.Fault = fault;
  r.Problem = problem;
  return r;
}

FileResult ReadFailed(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Failed(kNotFound, FileFault::kMissing);
    case ELOOP:
      return Failed(kLinkLoop, FileFault::kNotRegular);
    default:
      return Failed(kUnreadable);
  }
}

QString WriteProblem(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return QStringLiteral("ディスクに空きがありません。");
    case EACCES:
    case EPERM:
    case EROFS:
      return QStringLiteral("書き込みが許可されていません。");
    case ELOOP:
      return kLinkLoop;
    default:
      return QStringLiteral("書き込みが許可されているか、ディスクに空きがあるか確かめてください。");
  }
}

// What stands at a path that exists but is no regular file.
FileResult NotRegular(mode_t mode) {
  return Failed(S_ISDIR(mode) ? kFolder : kNotAFile, FileFault::kNotRegular);
}

FileResult WriteFailed(int error) {
  return Failed(WriteProblem(error), error == ELOOP ? FileFault::kNotRegular : FileFault::kFailed);
}

// Follows symlinks from path to the name that is really written; lstat of
// that name lands in *st (st_mode 0 when nothing is there yet).
bool FollowLinks(QByteArray* name, struct stat* st, int* error) {
  for (int hops = 0; hops <= 40; ++hops) {
    if (::lstat(name->constData(), st) != 0) {
      if (errno != ENOENT) {
        *error = errno;
        return false;
      }
      st->st_mode = 0;
      return true;
    }
    if (!S_ISLNK(st->st_mode)) return true;
    QByteArray link(4096, '\0');
    const ssize_t n = ::readlink(name->constData(), link.data(), static_cast<size_t>(link.size()));
    if (n < 0 || n >= link.size()) {
      *error = n < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    link.truncate(n);
    if (!link.startsWith('/')) {
      const qsizetype slash = name->lastIndexOf('/');
      link.prepend(slash < 0 ? QByteArray() : name->left(slash + 1));
    }
    *name = link;
  }
  *error = ELOOP;
  return false;
}

}  // namespace

FileResult ReadRegularFile(const QString& path, qint64 limit, QByteArray* bytes) {
  bytes->clear();
  const QByteArray name = QFile::encodeName(path);
  // The type is looked at before opening: opening a pipe waits for a writer,
  // and opening some devices does something by itself.
  struct stat st;
  if (::stat(name.constData(), &st) != 0) return ReadFailed(errno);
  if (!S_ISREG(st.st_mode)) return NotRegular(st.st_mode);
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReadFailed(errno);
  // Whatever was swapped in between the look and the open is caught here.
  const bool swapped = ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode);
  if (swapped) {
    ::close(fd);
    return Failed(kNotAFile, FileFault::kNotRegular);
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

FileResult WriteRegularFile(const QString& path, const QByteArray& bytes) {
  QByteArray target = QFile::encodeName(path);
  struct stat st;
  int error = 0;
  if (!FollowLinks(&target, &st, &error)) return WriteFailed(error);
  const bool exists = st.st_mode != 0;
  if (exists && !S_ISREG(st.st_mode)) return NotRegular(st.st_mode);
  if (exists && st.st_nlink > 1)
    return Failed(
        QStringLiteral("このファイルには別の名前（ハードリンク）があるので書き換えません。"));

  // The temporary file sits beside the target, hidden, so that the rename is
  // one step on one file system.
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(slash + 1);
  const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
  QByteArray temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = (slash < 0 ? QByteArray() : folder) + '.' + base + '.' +
           QByteArray::number(QRandomGenerator::global()->generate() % 0x1000000, 16);
    fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return WriteFailed(errno);
  auto fail = [&](const QString& problem) {
    ::close(fd);
    ::unlink(temp.constData());
    return Failed(problem);
  };
  if (exists) {
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
        ::fchown(fd, st.st_uid, st.st_gid) != 0)
      return fail(QStringLiteral("このファイルの持ち主を保てないので書き換えません。"));
    if (::fchmod(fd, st.st_mode & 07777) != 0) return fail(WriteProblem(errno));
  }
  if (!WriteWhole(fd, bytes)) return fail(WriteProblem(errno));
  // A failed sync means the bytes may never reach the disk: the old file
  // stays rather than being replaced by one that may be lost.
  if (::fsync(fd) != 0)
    return fail(QStringLiteral("ディスクへの書き込みを確かめられませんでした。"));
  if (::close(fd) != 0) {
    const int closeError = errno;
    ::unlink(temp.constData());
    return WriteFailed(closeError);
  }
  if (::rename(temp.constData(), target.constData()) != 0) {
    const int renameError = errno;
    ::unlink(temp.constData());
    return WriteFailed(renameError);
  }
  // The rename itself lives in the folder, which has to reach the disk too
  // (a folder that cannot be opened or synced at all is taken as it is).
  const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const bool synced = dir < 0 || ::fsync(dir) == 0 || errno == EINVAL;
  if (dir >= 0) ::close(dir);
  if (!synced) {
    FileResult r =
        Failed(QStringLiteral("書き換えましたが、ディスクへの書き込みを確かめられませんでした。"));
    r.Replaced = true;
    return r;
  }
  FileResult r;
  r.Fault = FileFault::kNone;
  return r;
}

}  // namespace numera
