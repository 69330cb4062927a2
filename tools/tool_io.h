// What numera-puzzle's commands read and print, checked: sources are regular
// files of bounded size, names must survive the way into the program, and
// standard output either takes every byte or the command fails with a
// message.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace numera::tool {

// The largest JSON source or word list read.
inline constexpr qint64 kSourceLimit = 4 * 1024 * 1024;

// One line on standard error.
void Err(const QString& text);

// Writes all of bytes to standard output. When that fails (a full disk, a
// closed pipe, a file size limit) it says so on standard error and returns
// false; the command then exits 1.
bool Print(const QByteArray& bytes);

// The command line as file names. A name that does not come back as the
// same bytes (one that is not UTF-8) would be read or written under another
// name, so it is refused with a message.
std::optional<QStringList> Arguments(int argc, char** argv);

// Reads a source file whole. On failure the message naming it is on
// standard error.
bool ReadSource(const QString& path, QByteArray* bytes);

}  // namespace numera::tool
