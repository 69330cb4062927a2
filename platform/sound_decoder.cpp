#include "platform/sound_decoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>

namespace numera {

namespace {

// libsndfile reads the image straight from memory through these.
struct MemoryFile {
  const QByteArray* data;
  sf_count_t pos = 0;
};
sf_count_t MemLength(void* user) {
  return static_cast<MemoryFile*>(user)->data->size();
}
sf_count_t MemSeek(sf_count_t offset, int whence, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  const sf_count_t size = m->data->size();
  sf_count_t pos = whence == SEEK_SET   ? offset
                   : whence == SEEK_CUR ? m->pos + offset
                                        : size + offset;
  m->pos = std::clamp<sf_count_t>(pos, 0, size);
  return m->pos;
}
sf_count_t MemRead(void* ptr, sf_count_t count, void* user) {
  auto* m = static_cast<MemoryFile*>(user);
  const sf_count_t n = std::min<sf_count_t>(count, m->data->size() - m->pos);
  std::memcpy(ptr, m->data->constData() + m->pos, static_cast<std::size_t>(n));
  m->pos += n;
  return n;
}
sf_count_t MemWrite(const void*, sf_count_t, void*) {
  return 0;
}
sf_count_t MemTell(void* user) {
  return static_cast<MemoryFile*>(user)->pos;
}

// More channels or a faster rate than any sound card plays is no sound of ours.
constexpr int kMostChannels = 8;
constexpr int kFastestRate = 384000;

}  // namespace

std::optional<DecodedSound> DecodeSound(const QByteArray& image) {
  MemoryFile mem{&image};
  SF_VIRTUAL_IO io{MemLength, MemSeek, MemRead, MemWrite, MemTell};
  SF_INFO info{};
  SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &mem);
  if (!file) return std::nullopt;
  DecodedSound sound;
  sound.SampleRate = info.samplerate;
  sound.Channels = info.channels;
  const bool playable = info.channels >= 1 && info.channels <= kMostChannels &&
                        info.samplerate >= 1 && info.samplerate <= kFastestRate;
  const qsizetype frameBytes = qsizetype{2} * std::max(info.channels, 1);
  constexpr sf_count_t kPiece = 4096;  // frames decoded at a time
  while (playable && sound.Samples.size() <= kMostDecodedBytes) {
    const qsizetype had = sound.Samples.size();
    sound.Samples.resize(had + kPiece * frameBytes);
    const sf_count_t got =
        sf_readf_short(file, reinterpret_cast<short*>(sound.Samples.data() + had), kPiece);
    sound.Samples.resize(had + std::max<sf_count_t>(got, 0) * frameBytes);
    if (got < kPiece) break;
  }
  sf_close(file);
  if (!playable || sound.Samples.isEmpty() || sound.Samples.size() > kMostDecodedBytes)
    return std::nullopt;
  return sound;
}

}  // namespace numera
