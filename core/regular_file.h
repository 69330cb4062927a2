// The one way the game and its tool touch files on disk: reading and writing
// regular files only.
//
// Whatever a path names (a pipe, a device, a socket, a folder, a link loop)
// is looked at before it is opened, so nothing blocks, nothing is read
// without end and no device node is ever replaced. Reads stop at a bound the
// caller states. Writes go to a temporary file beside the target, are
// checked byte by byte, synced, and renamed over the target only when whole;
// a file its user may not write is never replaced.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace numera {

enum class FileFault {
  kNone,
  kMissing,     // nothing at the path (a dangling link included)
  kNotRegular,  // a folder, pipe, device, socket or link loop
  kFailed,      // refused by the system (permissions, a full disk, ...) or by the rules below
};

struct FileResult {
  FileFault Fault = FileFault::kFailed;
  bool Longer = false;    // reading: the file goes on past the bound; the bytes stop at it
  bool Replaced = false;  // writing: the target holds the new bytes, but whether they reached
                          // the disk could not be made sure of (Problem says so)
  bool Damaged = false;   // writing in place: the target may hold neither the old nor the new
                          // bytes
  QString Problem;        // why not, as a sentence for the player that does not name the file
  bool Ok() const { return Fault == FileFault::kNone; }
};

// Reads at most `limit` bytes of the regular file at path into *bytes.
FileResult ReadRegularFile(const QString& path, qint64 limit, QByteArray* bytes);

// Replaces the regular file at path (or creates it) with bytes. A symlink is
// followed to the file it names and stays a symlink. The file keeps its
// permission bits, owner and group. Refused untouched: a file its user may
// not write, a target whose owner or group cannot be kept, one that has
// other hard links (renaming would split them), anything that exists and is
// not a regular file. When the folder takes no temporary file but the file
// itself may be written, it is rewritten in place (not in one step; the old
// bytes are put back if the writing fails). On every failure the temporary
// file is gone and, unless Replaced or Damaged, the target is as it was.
FileResult WriteRegularFile(const QString& path, const QByteArray& bytes);

// Several files replaced as one (a puzzle and its solution): each is written
// and synced into a temporary file first, and only when all are whole are
// they renamed over their targets, one writer at a time per folder. A failure
// anywhere leaves every target as it was; *failed then names the file the
// problem is about. There is no writing in place here.
struct FileWrite {
  QString Path;
  QByteArray Bytes;
};
FileResult WriteRegularFiles(const std::vector<FileWrite>& files, std::size_t* failed);

// Writes every byte to an open descriptor, going on after short writes and
// interruptions. False, with errno set, when the system takes no more.
bool WriteWhole(int fd, const QByteArray& bytes);

// The temporary files are named ".numera-" and eight letters or digits, so
// that any name the file system allows can be saved. One left behind by a
// writer that was killed is removed by this, when it is a regular file of
// this user's, untouched for `minutes`.
bool IsTemporaryName(const QByteArray& name);
void RemoveStaleTemporaryFiles(const QString& folder, int minutes = 10);

}  // namespace numera
