// Data/Data.dat: the settings record. 48 bytes of little-endian 16-bit
// values: CrossKind, BackgroundKind, FontKind, MessageMode, then the twenty
// sound switches. A short file leaves the later values at 0.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/game_state.h"

namespace numera {

inline constexpr int kDataDatSize = 48;
// Bytes after the record are kept when it is written, up to this many in
// all; a longer Data.dat is read but never rewritten.
inline constexpr qint64 kDataDatLimit = 64 * 1024;
// The largest sound file read into memory.
inline constexpr qint64 kSoundLimit = 4 * 1024 * 1024;

QString DataFolder(const GameState& s);
QString DataDatPath(const GameState& s);

// The settings from the first bytes of a record, and a record (the bytes it
// replaces, with those after the 48 kept) from the settings.
void ApplyDataDat(GameState& s, const QByteArray& bytes);
QByteArray DataDatRecord(const GameState& s, QByteArray old);

// Start-up's reads. Each adds a one-line sentence for the player to
// *messages for every problem; it returns false when start-up cannot go on:
// no Data folder (ReadDataDat looks), or a file that exists and cannot be
// read or that is missing and cannot be created. A Data.dat or sound that is no regular
// file (or a sound that is too large) is not read: the defaults or silence
// stay, and start-up goes on.
bool ReadDataDat(GameState& s, QStringList* messages);
// Reads sound0/1/2/3/5/9.wav into SoundData, each buffer one byte longer than
// its file (the last byte 0). Missing files are created empty.
bool LoadSounds(GameState& s, QStringList* messages);

// Writes the 48 bytes from offset 0, keeping any bytes after them. The file
// is replaced in one step, so a crash never leaves half a record behind.
bool WriteDataDat(const GameState& s, QString* error);

}  // namespace numera
