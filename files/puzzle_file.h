// Puzzle files (*.mlt): reading, checking and writing both layouts.
//
// A puzzle file is a row of little-endian fields without padding; texts are
// code page 932. The version-2 layout starts with the 12 bytes of
// "バージョン２" and holds 90 word entries; the old layout has no version
// text and 60 entries:
//
//   version text (version-2 only, 12 bytes)
//   words        entries x (Int16 byte count, bytes)
//   points       entries x Int32
//   suffix lens  2 x Int16 (count suffix, score suffix)
//   suffixes     the bare bytes of both suffixes
//   BoardSize, MaxWordLength, WordCount   Int16 each
//   used, x, y, dir                       entries x Int16 each
//   PlacedCount, Score                    Int32 each
//
// A file is parsed whole into a PuzzleFile first and checked against the
// limits of the game; only a puzzle that passes is installed into the game
// state, so a bad file never leaves half a puzzle behind.
#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "core/game_state.h"

namespace numera {

enum class PuzzleLayout { kVersion2, kOld };

inline constexpr int kVersion2Entries = 90;
inline constexpr int kOldEntries = 60;
inline constexpr int kVersionTextBytes = 12;
// Sizes without the texts.
inline constexpr int kVersion2FixedBytes = 1290;
inline constexpr int kOldFixedBytes = 858;
// No puzzle can be longer than this: every text at its largest byte count.
inline constexpr qint64 kLargestPuzzleBytes =
    kVersion2FixedBytes + qint64{kVersion2Entries + 2} * 32767;

// The longest word the word list makes room for: the side of the largest
// board, since no longer word can ever be laid. A file may announce a
// longer one; its labels are still made this wide at most.
inline constexpr int kLongestWordShown = 30;

int EntryCount(PuzzleLayout layout);

// "バージョン２", and its 12 bytes in code page 932.
QString VersionText();
QByteArray VersionBytes();

// Code page 932 both ways. Every text is converted on its own, so a broken
// byte sequence in one text cannot spill into the next.
QString DecodeCp932(const QByteArray& bytes);
QByteArray EncodeCp932(const QString& text);

struct PuzzleEntry {
  QByteArray TextBytes;  // as stored; its size is the entry's byte count
  Long Points = 0;
  Integer Used = 0;
  Integer X = 0;
  Integer Y = 0;
  Integer Dir = 0;
  QString Text() const { return DecodeCp932(TextBytes); }
  bool operator==(const PuzzleEntry&) const = default;
};

// Everything one puzzle file holds, field by field.
struct PuzzleFile {
  PuzzleLayout Layout = PuzzleLayout::kVersion2;
  // The first characters of the file as code page 932 text: "バージョン２"
  // for the version-2 layout, whatever the file begins with otherwise.
  QString FileVersion;
  std::vector<PuzzleEntry> Entries;  // 90 or 60, in file order
  QByteArray CountSuffixBytes;
  QByteArray ScoreSuffixBytes;
  Integer BoardSize = 0;
  Integer MaxWordLength = 0;
  Integer WordCount = 0;
  Long PlacedCount = 0;
  Long Score = 0;

  bool operator==(const PuzzleFile&) const = default;
};

// A blank puzzle of this layout: every entry empty.
PuzzleFile EmptyPuzzle(PuzzleLayout layout);

// Reads the layout the first bytes announce. Returns false, with a sentence
// for the player in *problem (not naming the file), when the bytes end
// before the layout does or hold a negative length. Bytes after the last
// field are ignored.
bool ParsePuzzle(const QByteArray& bytes, PuzzleFile* out, QString* problem);

// Checks a parsed puzzle against the limits of the game: WordCount 1..90
// (1..60 in the old layout), BoardSize 1..30, no word in play longer than
// the board or than MaxWordLength, a score that placing and taking back
// cannot carry out of 32 bits (what the stored score holds beyond the
// placed words, plus the absolute points of every word in play, at most
// 2,147,483,647), every placed word across or down and wholly on the board. Returns an empty string
// when the puzzle is fine, else the first problem as a sentence for the player.
QString PuzzleProblem(const PuzzleFile& puzzle);

// The file's bytes. Writing what ParsePuzzle read gives back the same bytes
// (up to the last field).
QByteArray SerializePuzzle(const PuzzleFile& puzzle);

// The sentence the game shows for a file it will not open.
QString RefusalMessage(const QString& path, const QString& problem);

// Reads (at most kLargestPuzzleBytes of a regular file), parses and checks
// the file at path. On failure *message holds the whole sentence for the
// player, naming the file.
bool ReadPuzzleFile(const QString& path, PuzzleFile* out, QString* message);

// Writes the file in one step (WriteRegularFile), so the old file stays
// whole when anything goes wrong. On failure *message holds the sentence
// for the player.
bool WritePuzzleFile(const QString& path, const PuzzleFile& puzzle, QString* message);

// Writes several files as one (WriteRegularFiles): all of them or none.
bool WritePuzzleFiles(const std::vector<std::pair<QString, const PuzzleFile*>>& files,
                      QString* message);

// The puzzle into the game state, as reading a file does: entries 61..90 are
// left alone by an old-layout puzzle. Nothing of the window is touched.
void InstallPuzzle(GameState& s, const PuzzleFile& puzzle);

// The puzzle in play as a file: the layout follows FileVersion, the texts
// keep the bytes they were read with while they still read the same.
PuzzleFile PuzzleFromState(const GameState& s);

}  // namespace numera
