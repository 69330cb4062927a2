// Sound files into 16-bit samples, with libsndfile, from memory.
#pragma once

#include <QByteArray>
#include <optional>

namespace numera {

struct DecodedSound {
  QByteArray Samples;  // interleaved signed 16-bit, native order
  int SampleRate = 0;
  int Channels = 0;
};

// The most decoded bytes a sound may take: a minute of CD-quality stereo.
inline constexpr qint64 kMostDecodedBytes = 60LL * 44100 * 2 * 2;

// Decodes a sound image (WAV, FLAC, Ogg, ... whatever libsndfile reads). The
// length the file's header claims is never trusted: samples are decoded a
// piece at a time, so memory follows what the bytes really hold, and a sound
// that decodes past kMostDecodedBytes stays silent (none), as one that
// cannot be read at all does.
std::optional<DecodedSound> DecodeSound(const QByteArray& image);

}  // namespace numera
