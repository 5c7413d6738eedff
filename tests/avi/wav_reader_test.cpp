#include "avi/wav_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "common/format_error.h"
#include "support/corpus.h"

namespace sf {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(WavReader, FindsTheSamplesBehindOtherChunks) {
  const struct {
    const char* name;
    std::size_t offset;
    int channels;
    std::uint32_t rate;
    int bits;
    std::size_t size;
  } rows[] = {
      {"gen-s16-stereo-44100-1s.wav", 44, 2, 44100, 16, 176400},
      {"gen-u8-mono-11025-1s.wav", 44, 1, 11025, 8, 11025},
      {"goaudio-flloop.wav", 44, 2, 44100, 16, 433124},
      {"gen-ffmpeg-list-chunk-before-data.wav", 78, 1, 22050, 16, 8968},
      {"gen-s24-stereo-44100-sox.wav", 80, 2, 44100, 24, 66150},
      {"goaudio-bwf.wav", 654, 1, 44100, 24, 21861},
      {"goaudio-dirty-kick-24b441k.wav", 4096, 2, 44100, 24, 128040},
      {"goaudio-listChunkInHeader.wav", 12288, 2, 44100, 24, 91908},
      {"goaudio-padded24b.wav", 12288, 1, 44100, 24, 11140},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto path = test::CorpusPath(std::string("wav/") + row.name);
    if (!path) GTEST_SKIP() << "corpus not present";
    const auto file = ReadWholeFile(*path);
    const WavData wav = ReadWav(file);
    EXPECT_EQ(wav.format.format_tag, 1) << "PCM, also inside an extensible format";
    EXPECT_EQ(wav.format.channels, row.channels);
    EXPECT_EQ(wav.format.samples_per_second, row.rate);
    EXPECT_EQ(wav.format.bits_per_sample, row.bits);
    EXPECT_EQ(wav.samples.data() - file.data(), static_cast<std::ptrdiff_t>(row.offset));
    EXPECT_EQ(wav.samples.size(), row.size);
  }
}

TEST(WavReader, RejectsWhatIsNotAWholePcmWavFile) {
  const auto rejects = [](std::span<const std::uint8_t> file, const char* message) {
    EXPECT_THAT([&] { ReadWav(file); }, ThrowsMessage<FormatError>(StrEq(message)));
  };
  const struct {
    const char* name;
    const char* message;
  } corpus_rows[] = {
      {"gen-aiff-named-wav.wav", "Not a RIFF WAVE file"},
      {"gen-truncated-in-header-30bytes.wav", "WAV file is shorter than its 44-byte header"},
      {"gen-truncated-in-data.wav", "WAV file is shorter than its data size says"},
  };
  for (const auto& row : corpus_rows) {
    SCOPED_TRACE(row.name);
    const auto path = test::CorpusPath(std::string("wav/") + row.name);
    if (path) rejects(ReadWholeFile(*path), row.message);
  }

  auto no_channels = test::MakeWav(1, 8000, 8, 100);
  no_channels[22] = 0;
  rejects(no_channels, "WAV format has no channels, sample size or sample rate");
  auto no_format = test::MakeWav(1, 8000, 8, 100);
  no_format[12] = 'j';  // "fmt " becomes "jmt "
  rejects(no_format, "WAV data comes before its format chunk");
  auto no_data = test::MakeWav(1, 8000, 8, 100);
  no_data[36] = 'D';
  rejects(no_data, "WAV file has no data chunk");
  auto avi = test::MakeWav(1, 8000, 8, 100);
  avi[8] = 'A';
  rejects(avi, "Not a RIFF WAVE file");
}

}  // namespace
}  // namespace sf
