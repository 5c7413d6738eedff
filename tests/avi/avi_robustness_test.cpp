// Damaged files must fail cleanly or give what they hold, never crash, hang or
// read past their end: every AVI and WAV of the corpus and an OpenDML file of
// our own, cut at many lengths and with bytes overwritten, goes through the
// readers and, for AVI files, through every frame. Run under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>

#include "avi/avi_reader.h"
#include "avi/avi_writer.h"
#include "avi/wav_fixture.h"
#include "avi/wav_reader.h"
#include "common/file_util.h"
#include "common/format_error.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

// Variants of a file: cut at 0, at a few header lengths and at steps through
// it; and with single bytes overwritten, mostly in the headers.
std::vector<std::vector<std::uint8_t>> Damaged(const std::vector<std::uint8_t>& file) {
  std::vector<std::vector<std::uint8_t>> out;
  for (std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{12}, std::size_t{44}, std::size_t{200}}) {
    if (cut < file.size()) out.emplace_back(file.begin(), file.begin() + cut);
  }
  for (std::size_t step = 1; step < 12; ++step) out.emplace_back(file.begin(), file.begin() + file.size() * step / 12);
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int i = 0; i < 48 && !file.empty(); ++i) {
    const std::size_t span = i < 36 ? std::min<std::size_t>(file.size(), 4096) : file.size();
    std::vector<std::uint8_t> copy = file;
    copy[(next() >> 8) % span] = static_cast<std::uint8_t>(i % 3 == 0 ? 0xFF : (next() >> 16));
    out.push_back(std::move(copy));
  }
  return out;
}

void ReadEveryFrame(const std::string& path) {
  SilentReporter reporter;
  AviReader reader(reporter);
  reader.InitAvi(path);
  const auto info = reader.GetAviInfo();
  if (!info) return;
  Bitmap target(16, 12);
  const std::int64_t frames = std::min<std::uint32_t>(info->length, 10);
  for (std::int64_t k = -1; k <= frames; ++k) reader.GetFrame(target, 16, 12, k);
}

class AviRobustness : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string m_dir = test::MakeTempDir();
};

TEST_F(AviRobustness, DamagedAviFilesReadCleanly) {
  std::vector<std::string> sources;
  if (const auto root = test::CorpusRoot()) {
    for (const auto& entry : std::filesystem::directory_iterator(*root + "/avi")) sources.push_back(entry.path());
  }
  AviLayoutOptions layout;
  layout.segment_size = 70000;
  const std::string own = m_dir + "/own.avi";
  auto writer = AviWriter::Open(own, 100000.0, 25, nullptr, layout);
  ASSERT_EQ(writer->AddWav(test::MakeWav(1, 8000, 8, 20000)), AVIERR_OK);
  for (int i = 0; i < 12; ++i) ASSERT_EQ(writer->AddFrame(test::MakeGradient(80, 60, PixelFormat::kBits8)), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  sources.push_back(own);

  const std::string damaged = m_dir + "/damaged.avi";
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    for (const auto& bytes : Damaged(ReadWholeFile(source))) {
      WriteWholeFile(damaged, std::string(bytes.begin(), bytes.end()));
      EXPECT_NO_THROW(ReadEveryFrame(damaged));
    }
  }
}

// A header that promises a billion frames while the file holds eight must not
// make an extraction run through a billion grey frames, nor a frame rectangle
// of 32767 x 32767 pixels make it draw onto pictures of a billion pixels.
TEST_F(AviRobustness, CountsOnlyTheFramesPresent) {
  const std::string path = m_dir + "/short.avi";
  auto writer = AviWriter::Open(path, 100000.0, 25);
  for (int i = 0; i < 8; ++i) ASSERT_EQ(writer->AddFrame(test::MakeGradient(16, 12, PixelFormat::kBits24)), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  const std::string text(bytes.begin(), bytes.end());
  // The stream header's length follows its type, handler, flags, priority,
  // language, initial frames, scale, rate and start.
  const std::size_t length_at = text.find("strh") + 8 + 32;
  ASSERT_EQ(bytes[length_at], 8);
  const std::uint32_t claimed = 1000000000;
  for (int k = 0; k < 4; ++k) bytes[length_at + k] = static_cast<std::uint8_t>(claimed >> (8 * k));
  // After the length: buffer size, quality and sample size, then the rectangle.
  const std::size_t rectangle_at = length_at + 16;
  ASSERT_EQ(bytes[rectangle_at + 4], 16);
  for (const std::size_t corner : {rectangle_at + 4, rectangle_at + 6}) bytes[corner] = 0xFF, bytes[corner + 1] = 0x7F;
  WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));

  SilentReporter reporter;
  AviReader reader(reporter);
  ASSERT_TRUE(reader.InitAvi(path));
  const auto info = reader.GetAviInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->length, 8u);
  EXPECT_EQ(info->frame.right - info->frame.left, 16);
  EXPECT_EQ(info->frame.bottom - info->frame.top, 12);
}

TEST_F(AviRobustness, DamagedWavFilesReadCleanly) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  for (const auto& entry : std::filesystem::directory_iterator(*root + "/wav")) {
    SCOPED_TRACE(entry.path().string());
    for (const auto& bytes : Damaged(ReadWholeFile(entry.path()))) {
      try {
        const WavData wav = ReadWav(bytes);
        EXPECT_LE(wav.samples.data() + wav.samples.size(), bytes.data() + bytes.size());
      } catch (const FormatError&) {
        // a clean refusal
      }
    }
  }
}

}  // namespace
}  // namespace sf
