// What numera-puzzle's commands read and print, checked: sources are regular
// files of bounded size, names must survive the way into the program, and
// standard output either takes every byte or the command fails with a
// message.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "files/puzzle_file.h"

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

// The game's sentence about a file names only its last part; the author
// gets the path as they gave it.
QString AsGiven(const QString& message, const QString& path);

// Why nothing can be written at path because its folder is missing or no
// folder, or an empty string.
QString MissingFolder(const QString& path);

// The game's reading and writing of puzzles, with the message on standard
// error naming the path as given.
bool ReadPuzzle(const QString& path, PuzzleFile* puzzle);
bool WritePuzzle(const QString& path, const PuzzleFile& puzzle);

}  // namespace numera::tool
