// Writing: one file or a set of files, each into a temporary file beside
// its target first, renamed over it only when whole and synced.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <ctime>

#include "core/file_problems.h"
#include "core/regular_file.h"

namespace numera {

namespace {

using file_problems::Done;
using file_problems::Failed;

const QString kUnsynced = QStringLiteral("ディスクへの書き込みを確かめられませんでした。");
const QString kFolderUnsynced =
    QStringLiteral("フォルダの変更がディスクに届いたか確かめられませんでした。");

QString WriteProblem(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("ディスクに空きがありません。");
    case EFBIG:
      return QStringLiteral("ファイルの大きさの上限を超えるので書けません。");
    case EACCES:
    case EPERM:
    case EROFS:
      return QStringLiteral("書き込みが許可されていません。");
    case ELOOP:
      return file_problems::LinkLoop();
    case ENAMETOOLONG:
      return QStringLiteral("ファイル名が長すぎます。");
    default:
      return QStringLiteral("書き込みが許可されているか、ディスクに空きがあるか確かめてください。");
  }
}

FileResult WriteFailed(int error) {
  return Failed(WriteProblem(error), error == ELOOP ? FileFault::kNotRegular : FileFault::kFailed);
}

// A file system that has no syncs at all (EINVAL) keeps nothing back to sync.
bool Sync(int fd) {
  return ::fsync(fd) == 0 || errno == EINVAL;
}

bool SyncFolder(const QByteArray& folder) {
  const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const bool synced = Sync(dir);
  ::close(dir);
  return synced;
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

// The name a write really goes to, and what stands there now.
struct Target {
  QByteArray Name;    // links followed
  QByteArray Folder;  // for opening: "." for a name without one
  QByteArray Prefix;  // for names beside it: "" or the folder and its slash
  struct stat St {};
  bool Exists = false;
};

FileResult Resolve(const QString& path, Target* t) {
  t->Name = QFile::encodeName(path);
  int error = 0;
  if (!FollowLinks(&t->Name, &t->St, &error)) return WriteFailed(error);
  t->Exists = t->St.st_mode != 0;
  const qsizetype slash = t->Name.lastIndexOf('/');
  t->Prefix = slash < 0 ? QByteArray() : t->Name.left(slash + 1);
  t->Folder = slash < 0 ? QByteArray(".") : t->Prefix;
  if (!t->Exists) return Done();
  if (!S_ISREG(t->St.st_mode)) return file_problems::NotRegular(t->St.st_mode);
  if (t->St.st_nlink > 1)
    return Failed(
        QStringLiteral("このファイルには別の名前（ハードリンク）があるので書き換えません。"));
  // Renaming a new file over this one would skip the check that opening it
  // for writing makes: a file its user protected stays as it is.
  if (::faccessat(AT_FDCWD, t->Name.constData(), W_OK, AT_EACCESS) != 0) {
    return errno == EROFS ? WriteFailed(EROFS)
                          : Failed(QStringLiteral(
                                "このファイルは書き込みが許可されていないので書き換えません。"));
  }
  return Done();
}

QByteArray TemporaryName(const Target& t) {
  static const char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  QByteArray name = t.Prefix + ".numera-";
  for (int i = 0; i < 8; ++i) name += kLetters[QRandomGenerator::global()->bounded(36)];
  return name;
}

// Writes bytes into a new temporary file beside the target, with the
// target's owner and mode, and syncs it. *temp is its name, empty on
// failure; *createError the error when not even the file could be made.
FileResult Prepare(const Target& t, const QByteArray& bytes, QByteArray* temp, int* createError) {
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    *temp = TemporaryName(t);
    fd = ::open(temp->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    *createError = errno;
    temp->clear();
    return WriteFailed(*createError);
  }
  auto fail = [&](const QString& problem) {
    ::close(fd);
    ::unlink(temp->constData());
    temp->clear();
    return Failed(problem);
  };
  if (t.Exists) {
    if ((t.St.st_uid != ::geteuid() || t.St.st_gid != ::getegid()) &&
        ::fchown(fd, t.St.st_uid, t.St.st_gid) != 0)
      return fail(QStringLiteral("このファイルの持ち主を保てないので書き換えません。"));
    if (::fchmod(fd, t.St.st_mode & 07777) != 0) return fail(WriteProblem(errno));
  }
  if (!WriteWhole(fd, bytes)) return fail(WriteProblem(errno));
  // A failed sync means the bytes may never reach the disk: the old file
  // stays rather than being replaced by one that may be lost.
  if (!Sync(fd)) return fail(kUnsynced);
  if (::close(fd) != 0) {
    const int closeError = errno;
    ::unlink(temp->constData());
    temp->clear();
    return WriteFailed(closeError);
  }
  return Done();
}

bool ReadAllAt(int fd, qint64 size, QByteArray* out) {
  out->resize(static_cast<qsizetype>(size));
  qint64 got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, out->data() + got, static_cast<size_t>(size - got), got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += n;
  }
  return true;
}

// Writes bytes from the start of the file; how many went in (fewer, with
// errno set, when the system takes no more).
qint64 WriteFromStart(int fd, const QByteArray& bytes) {
  qint64 done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done), done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      break;
    }
    done += n;
  }
  return done;
}

// The folder takes no new file but the file itself may be written: it is
// rewritten where it lies, the way files were always saved. That cannot be
// one step, so room is made first (a full disk or a size limit is met before
// a byte of the old file changes) and the old bytes, when they can be read,
// are kept to be put back should the writing fail.
FileResult WriteInPlace(const Target& t, const QByteArray& bytes) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(t.Name.constData(), O_RDWR | kFlags);
  bool keepsOld = fd >= 0;
  if (fd < 0 && errno == EACCES) fd = ::open(t.Name.constData(), O_WRONLY | kFlags);
  if (fd < 0) return WriteFailed(errno);
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_ino != t.St.st_ino ||
      st.st_dev != t.St.st_dev) {
    ::close(fd);
    return Failed(file_problems::NotAFile(), FileFault::kNotRegular);
  }
  constexpr qint64 kKeptAtMost = 64 * 1024 * 1024;
  QByteArray old;
  keepsOld = keepsOld && st.st_size <= kKeptAtMost && ReadAllAt(fd, st.st_size, &old);
  // Puts back what the writing covered of the old bytes, and cuts what it
  // added past them.
  auto fail = [&](int error, qint64 written) {
    FileResult r = WriteFailed(error);
    const QByteArray covered = old.left(static_cast<qsizetype>(written));
    r.Damaged = !(keepsOld && WriteFromStart(fd, covered) == covered.size() &&
                  ::ftruncate(fd, st.st_size) == 0 && Sync(fd));
    ::close(fd);
    return r;
  };
  if (bytes.size() > st.st_size) {
    const int room = ::posix_fallocate(fd, st.st_size, bytes.size() - st.st_size);
    if (room != 0 && room != EOPNOTSUPP && room != EINVAL) {
      const bool cut = ::ftruncate(fd, st.st_size) == 0;  // whatever was made room for goes
      ::close(fd);
      FileResult r = WriteFailed(room);
      r.Damaged = !cut;
      return r;
    }
  }
  const qint64 written = WriteFromStart(fd, bytes);
  if (written < bytes.size()) return fail(errno, written);
  if (::ftruncate(fd, bytes.size()) != 0) return fail(errno, written);
  if (!Sync(fd)) {
    ::close(fd);
    FileResult r = Failed(kUnsynced);
    r.Replaced = true;
    return r;
  }
  return ::close(fd) == 0 ? Done() : WriteFailed(errno);
}

// Holds the folder's lock while a set of files is renamed into it, so two
// writers of the same set cannot interleave. A folder that cannot be
// opened or locked is written without it.
class FolderLock {
 public:
  explicit FolderLock(const QByteArray& folder)
      : fd_(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_;
};

enum class Swap { kNone, kExchanged, kCreated, kRenamed };

// Puts a prepared file in place of its target. Where the file system can,
// the two names are exchanged, so the old file stays (under the temporary
// name) until the whole set is in place.
Swap PutInPlace(const Target& t, const QByteArray& temp, int* error) {
  const unsigned flags = t.Exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
  if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, t.Name.constData(), flags) == 0)
    return t.Exists ? Swap::kExchanged : Swap::kCreated;
  if (errno != EINVAL && errno != ENOSYS) {
    *error = errno;
    return Swap::kNone;
  }
  if (::rename(temp.constData(), t.Name.constData()) == 0) return Swap::kRenamed;
  *error = errno;
  return Swap::kNone;
}

// Takes a swap back; false when the old file is gone for good.
bool TakeBack(const Target& t, const QByteArray& temp, Swap swap) {
  switch (swap) {
    case Swap::kExchanged:
      return ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, t.Name.constData(),
                         RENAME_EXCHANGE) == 0;
    case Swap::kCreated:
      return ::unlink(t.Name.constData()) == 0;
    default:
      return swap == Swap::kNone;
  }
}

}  // namespace

FileResult WriteRegularFiles(const std::vector<FileWrite>& files, std::size_t* failed) {
  std::vector<Target> targets(files.size());
  std::vector<QByteArray> temps(files.size());
  auto removeTemps = [&temps] {
    for (const QByteArray& temp : temps)
      if (!temp.isEmpty()) ::unlink(temp.constData());
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    *failed = i;
    FileResult r = Resolve(files[i].Path, &targets[i]);
    int createError = 0;
    if (r.Ok()) r = Prepare(targets[i], files[i].Bytes, &temps[i], &createError);
    if (!r.Ok()) {
      removeTemps();
      return r;
    }
  }
  if (files.empty()) return Done();

  const FolderLock lock(targets[0].Folder);
  std::vector<Swap> swaps(files.size(), Swap::kNone);
  for (std::size_t i = 0; i < files.size(); ++i) {
    int error = 0;
    swaps[i] = PutInPlace(targets[i], temps[i], &error);
    if (swaps[i] == Swap::kCreated || swaps[i] == Swap::kRenamed) temps[i].clear();
    if (swaps[i] != Swap::kNone) continue;
    *failed = i;
    FileResult r = WriteFailed(error);
    for (std::size_t j = 0; j < i; ++j) r.Damaged |= !TakeBack(targets[j], temps[j], swaps[j]);
    removeTemps();
    return r;
  }
  removeTemps();  // what they hold now are the old files
  for (std::size_t i = 0; i < files.size(); ++i) {
    // The renames live in the folders, which have to reach the disk too.
    if (!SyncFolder(targets[i].Folder)) {
      *failed = i;
      FileResult r = Failed(kFolderUnsynced);
      r.Replaced = true;
      return r;
    }
  }
  return Done();
}

FileResult WriteRegularFile(const QString& path, const QByteArray& bytes) {
  Target t;
  FileResult r = Resolve(path, &t);
  if (!r.Ok()) return r;
  QByteArray temp;
  int createError = 0;
  r = Prepare(t, bytes, &temp, &createError);
  if ((createError == EACCES || createError == EPERM) && t.Exists) return WriteInPlace(t, bytes);
  if (!r.Ok()) return r;
  if (::rename(temp.constData(), t.Name.constData()) != 0) {
    const int renameError = errno;
    ::unlink(temp.constData());
    return WriteFailed(renameError);
  }
  if (SyncFolder(t.Folder)) return Done();
  r = Failed(kFolderUnsynced);
  r.Replaced = true;
  return r;
}

bool IsTemporaryName(const QByteArray& name) {
  static const QByteArray kPrefix(".numera-");
  if (name.size() != kPrefix.size() + 8 || !name.startsWith(kPrefix)) return false;
  for (qsizetype i = kPrefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

void RemoveStaleTemporaryFiles(const QString& folder, int minutes) {
  DIR* dir = ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(QByteArray(entry->d_name))) continue;
    struct stat st;
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && now - st.st_mtime >= minutes * 60)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

}  // namespace numera
