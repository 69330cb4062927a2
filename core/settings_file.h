// Data/Data.dat: the settings record. 48 bytes of little-endian 16-bit
// values: CrossKind, BackgroundKind, FontKind, MessageMode, then the twenty
// sound switches. A short file leaves the later values at 0.
#pragma once

#include <QString>

#include "core/game_state.h"

namespace numera {

inline constexpr int kDataDatSize = 48;

QString DataFolder(const GameState& s);
QString DataDatPath(const GameState& s);

// Reads the settings into s (creating an empty file when there is none).
// Returns false, with a sentence for the player in *error, when the file can
// be neither opened nor created.
bool ReadDataDat(GameState& s, QString* error);

// Writes the 48 bytes from offset 0, keeping any bytes after them. The file
// is replaced in one step, so a crash never leaves half a record behind.
bool WriteDataDat(const GameState& s, QString* error);

// Reads sound0/1/2/3/5/9.wav into SoundData, each buffer one byte longer than
// its file (the last byte 0). Missing files are created empty.
bool LoadSounds(GameState& s, QString* error);

}  // namespace numera
