// Synthesises the game's sound effects as 16-bit mono PCM WAV files:
//   sound0 message box, sound1 word selection, sound2 clearing,
//   sound3 shift, sound5 refused shift, sound9 background flight.
// Usage: make_sounds OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Note {
  double freq_start;  // Hz
  double freq_end;    // Hz, a glide when different
  double seconds;
  double volume;  // 0..1
};

std::vector<int16_t> Render(const std::vector<Note>& notes) {
  std::vector<int16_t> pcm;
  double phase = 0;
  for (const Note& n : notes) {
    const int count = static_cast<int>(n.seconds * kRate);
    for (int i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / count;
      const double f = n.freq_start + (n.freq_end - n.freq_start) * t;
      phase += 2 * kPi * f / kRate;
      // A short attack and an exponential tail keep the notes from clicking.
      const double env = std::min(1.0, i / (0.005 * kRate)) * std::exp(-3.0 * t);
      const double s = n.freq_start > 0 ? std::sin(phase) + 0.3 * std::sin(2 * phase) : 0.0;
      pcm.push_back(static_cast<int16_t>(s / 1.3 * env * n.volume * 32767));
    }
  }
  return pcm;
}

void Put32(std::ofstream& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::ofstream& out, uint16_t v) {
  out.put(static_cast<char>(v & 0xFF));
  out.put(static_cast<char>(v >> 8));
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& pcm) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const uint32_t data_bytes = static_cast<uint32_t>(pcm.size() * 2);
  out.write("RIFF", 4);
  Put32(out, 36 + data_bytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, data_bytes);
  for (int16_t s : pcm) Put16(out, static_cast<uint16_t>(s));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string dir = argv[1];
  const struct {
    int slot;
    std::vector<Note> notes;
  } sounds[] = {
      {0, {{880, 880, 0.08, 0.5}, {1320, 1320, 0.12, 0.5}}},  // a two-tone chime
      {1, {{1500, 1800, 0.05, 0.4}}},                         // a short tick
      {2, {{1200, 200, 0.45, 0.6}}},                          // a falling sweep
      {3, {{440, 660, 0.10, 0.5}}},                           // a short rise
      {5, {{160, 140, 0.20, 0.6}}},                           // a low buzz
      {9, {{300, 1600, 0.6, 0.4}, {1600, 2400, 0.3, 0.3}}},   // a whoosh upwards
  };
  for (const auto& s : sounds) {
    const std::string path = dir + "/sound" + std::to_string(s.slot) + ".wav";
    if (!WriteWav(path, Render(s.notes))) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
