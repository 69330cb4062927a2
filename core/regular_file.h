// The one way the game and its tool touch files on disk: reading and writing
// regular files only.
//
// Whatever a path names (a pipe, a device, a socket, a folder, a link loop)
// is looked at before it is opened, so nothing blocks, nothing is read
// without end and no device node is ever replaced. Reads stop at a bound the
// caller states; writes go to a temporary file beside the target, are
// checked byte by byte, synced, and renamed over the target only when whole.
#pragma once

#include <QByteArray>
#include <QString>

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
  bool Replaced = false;  // writing: the target already holds the new bytes despite the failure
  QString Problem;        // why not, as a sentence for the player that does not name the file
  bool Ok() const { return Fault == FileFault::kNone; }
};

// Reads at most `limit` bytes of the regular file at path into *bytes.
FileResult ReadRegularFile(const QString& path, qint64 limit, QByteArray* bytes);

// Replaces the regular file at path (or creates it) with bytes. A symlink is
// followed to the file it names and stays a symlink. The file keeps its
// permission bits, owner and group; a target whose owner or group cannot be
// kept, or that has other hard links (renaming would split them), is refused
// untouched, and so is anything that exists and is not a regular file. On
// every failure the temporary file is gone and, unless Replaced, the target
// is as it was.
FileResult WriteRegularFile(const QString& path, const QByteArray& bytes);

// Writes every byte to an open descriptor, going on after short writes and
// interruptions. False, with errno set, when the system takes no more.
bool WriteWhole(int fd, const QByteArray& bytes);

}  // namespace numera
