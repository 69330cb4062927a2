// What comes from the player's files reaches the screen and the speaker as
// data: sounds cannot make the game allocate what their headers claim, and
// names and words show as written, never as markup.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

#include "dialogs/message_box.h"
#include "platform/message_window.h"
#include "platform/sound_decoder.h"
#include "tests/widgets/game_window.h"

namespace numera::testing {
namespace {

// A FLAC stream with nothing but its header, which claims `frames` frames
// of `channels` channels: 42 bytes.
QByteArray FlacHeader(std::uint64_t frames, int channels) {
  QByteArray b("fLaC\x80\0\0\x22", 8);              // the last metadata block: STREAMINFO, 34 bytes
  b += QByteArray("\x10\0\x10\0\0\0\0\0\0\0", 10);  // block sizes 4096, frame sizes unknown
  // 20 bits of sample rate (44100), 3 of channels - 1, 5 of bits - 1, 36 of frames.
  const std::uint64_t packed = (std::uint64_t{44100} << 44) | (std::uint64_t(channels - 1) << 41) |
                               (std::uint64_t{15} << 36) | (frames & 0xFFFFFFFFFULL);
  char bits[8];
  qToBigEndian(packed, bits);
  b += QByteArray(bits, 8) + QByteArray(16, '\0');  // no MD5
  return b;
}

// Decodes in a child process whose address space ends a little above what
// the test program already holds: a decoder that believed a header would
// fail there. The child's exit code: 0 silent, 1 decoded, anything else a
// crash.
int DecodeWithinALittleMemory(const QByteArray& image) {
  const pid_t child = ::fork();
  if (child == 0) {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
      std::fclose(statm);
    }
    const rlim_t room = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (256 << 20);
    const rlimit limit{room, room};
    ::setrlimit(RLIMIT_AS, &limit);
    ::_exit(DecodeSound(image) ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// Silence written by libsndfile: FLAC makes a long one a small file that
// decodes to more than a sound may take.
QByteArray Silence(const QTemporaryDir& dir, int format, int channels, int rate, int frames) {
  const QByteArray path = QFile::encodeName(dir.filePath("silence"));
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format | SF_FORMAT_PCM_16;
  SNDFILE* f = sf_open(path.constData(), SFM_WRITE, &info);
  if (!f) return {};
  const std::vector<short> frame(static_cast<std::size_t>(channels), 0);
  for (int i = 0; i < frames; ++i) sf_writef_short(f, frame.data(), 1);
  sf_close(f);
  QFile file(QFile::decodeName(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(UntrustedSounds, AHeaderNeverDecidesHowMuchIsDecoded) {
  QFile ours(QStringLiteral(NUMERA_BUILD_DIR "/Data/sound0.wav"));
  ASSERT_TRUE(ours.open(QIODevice::ReadOnly));
  const std::optional<DecodedSound> played = DecodeSound(ours.readAll());
  ASSERT_TRUE(played.has_value());
  EXPECT_GT(played->Samples.size(), 1000);

  const QByteArray lies[] = {FlacHeader((1ULL << 36) - 1, 8), FlacHeader(1ULL << 29, 4)};
  EXPECT_EQ(lies[0].size(), 42);
  for (const QByteArray& header : lies) EXPECT_EQ(DecodeWithinALittleMemory(header), 0);

  QTemporaryDir dir;
  const QByteArray minute = Silence(dir, SF_FORMAT_FLAC, 2, 44100, 59 * 44100);
  const QByteArray longer = Silence(dir, SF_FORMAT_FLAC, 2, 44100, 61 * 44100);
  ASSERT_LT(longer.size(), 4 * 1024 * 1024);  // within the bound on reading the file
  EXPECT_TRUE(DecodeSound(minute).has_value());
  EXPECT_FALSE(DecodeSound(longer).has_value());
  // More channels or a faster rate than any sound card plays is silent.
  for (const auto& [channels, rate, plays] :
       {std::tuple{8, 384000, true}, std::tuple{9, 44100, false}, std::tuple{1, 384001, false}})
    EXPECT_EQ(DecodeSound(Silence(dir, SF_FORMAT_WAVEX, channels, rate, 100)).has_value(), plays)
        << channels << " channels at " << rate;
}

TEST(UntrustedTexts, NamesInBoxesAndWordsInTheListShowAsWritten) {
  EnsureApp();
  const auto oneLine = [](const QString& text) {
    MessageWindow box(LayoutMessageBox(text, "ぬめら", 1, "Ok", {}, {}), nullptr);
    return box.label()->sizeHint().height();
  };
  EXPECT_EQ(oneLine("「x<br>y.mlt」を開けません。"), oneLine("「xy.mlt」を開けません。"));

  GameWindow gw;
  gw.t.LoadWords(10, {"<u>ね</u>", "ね"});
  gw.w.Sync(gw.t.s);
  EXPECT_GT(gw.w.la(1)->sizeHint().width(), 3 * gw.w.la(2)->sizeHint().width());
}

}  // namespace
}  // namespace numera::testing
