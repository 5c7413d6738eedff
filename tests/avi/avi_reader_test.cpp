#include "avi/avi_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "avi/avi_muxer.h"
#include "avi/avi_writer.h"
#include "avi/mapped_file.h"
#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

constexpr char kNoCompatibleVideo[] =
    "Unable to find compatible video stream in AVI. This AVI format is unknown. It is possibly compressed with an "
    "unknown codec - GetAviInfo()";
constexpr char kNoVideo[] = "No video found in AVI - InitStreams()";

AviStreamHeader VideoHeader(int width, int height) {
  AviStreamHeader h;
  h.type = "vids";
  h.scale = 1;
  h.rate = 25;
  h.frame = AviRect{0, 0, width, height};
  return h;
}

// A BITMAPINFOHEADER followed by masks or a palette.
std::vector<std::uint8_t> BitmapFormat(int width, int height, int bits, std::uint32_t compression,
                                       std::vector<std::uint8_t> extra) {
  std::vector<std::uint8_t> out;
  for (const std::uint32_t field : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                                    1u | (static_cast<std::uint32_t>(bits) << 16), compression, 0u, 0u, 0u, 0u, 0u}) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(field >> (8 * i)));
  }
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

std::string OpenMessage(const std::string& path) { return "Unable to open AVI file:\n\"" + path + "\"\n - InitAvi()"; }

TEST(MappedFile, ReleasedPagesReadTheSameAgain) {
  const std::string path = testing::TempDir() + "mapped.bin";
  std::vector<std::uint8_t> bytes(3 * 4096 + 100);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  const auto file = MappedFile::Open(path);
  const auto mapped = file->Bytes();
  ASSERT_TRUE(std::equal(mapped.begin(), mapped.end(), bytes.begin(), bytes.end()));
  file->Release(mapped.subspan(5000, 6000));
  file->Release(mapped);
  file->Release(std::span<const std::uint8_t>(bytes));  // not of this mapping: ignored
  EXPECT_TRUE(std::equal(mapped.begin(), mapped.end(), bytes.begin(), bytes.end()));
  std::filesystem::remove(path);
}

class AviReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return m_dir + "/" + name; }

  // Frame `frame` as the extractor draws it, at the video's own size.
  Bitmap Frame(std::int64_t frame, int width, int height) {
    Bitmap target(width, height);
    m_reader.GetFrame(target, width, height, frame);
    return target;
  }

  // ffmpeg's frames of video stream `stream`, top row first, blue-green-red.
  static std::string FfmpegFrames(const std::string& path, int stream, const std::string& flags = "") {
    std::string raw;
    test::RunCommand("ffmpeg -nostdin -v error -i '" + path + "' -map 0:v:" + std::to_string(stream) + " " + flags +
                         " -f rawvideo -pix_fmt bgr24 pipe:1",
                     &raw);
    return raw;
  }

  // The mean and largest difference of a frame from ffmpeg's frame number `index`.
  static std::pair<double, int> Difference(const Bitmap& frame, const std::string& raw, int index) {
    const std::size_t size = static_cast<std::size_t>(frame.Width()) * frame.Height() * 3;
    if (raw.size() < (index + 1) * size) return {255.0, 255};
    std::vector<std::uint8_t> row(static_cast<std::size_t>(frame.Width()) * 3);
    double sum = 0;
    int largest = 0;
    for (int y = 0; y < frame.Height(); ++y) {
      frame.ReadRowBgr(y, row);
      for (std::size_t x = 0; x < row.size(); ++x) {
        const int d = std::abs(row[x] - static_cast<std::uint8_t>(raw[index * size + y * row.size() + x]));
        sum += d;
        largest = std::max(largest, d);
      }
    }
    return {sum / static_cast<double>(size), largest};
  }

  static bool AllMissing(const Bitmap& frame) {
    return test::SamePixels(frame, test::MakeSolid(frame.Width(), frame.Height(), kMissingFrameColor));
  }

  std::string m_dir = test::MakeTempDir();
  test::RecordingReporter m_reporter;
  AviReader m_reader{m_reporter};
};

TEST_F(AviReaderTest, CorpusFramesMatchFfmpegs) {
  if (!test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  for (const char* name :
       {"gen-ffmpeg-raw-bgr24-80x60.avi", "gen-ffmpeg-raw-bgr24-80x60-pcm16.avi",
        "gen-ffmpeg-raw-bgr24-75x50-oddwidth.avi", "gen-ffmpeg-raw-bgra-80x60.avi",
        "gen-ffmpeg-raw-bgra-80x60-pcm16.avi", "gen-ffmpeg-raw-pal8-80x60.avi", "gen-ffmpeg-raw-pal8-80x60-pcm16.avi",
        "gen-ffmpeg-raw-rgb555le-80x60.avi", "gen-ffmpeg-raw-rgb555le-80x60-pcm16.avi",
        "gen-gstreamer-raw-bgr24-80x60.avi", "gen-gstreamer-raw-bgrx32-80x60.avi", "gen-gstreamer-y800-gray8-80x60.avi",
        "gen-ffmpeg-audio-first-bgr24-80x60-pcm16.avi", "gen-ffmpeg-mjpeg-160x120.avi",
        "gen-ffmpeg-mjpeg-160x120-pcm16.avi"}) {
    SCOPED_TRACE(name);
    const auto path = test::CorpusPath(std::string("avi/") + name);
    if (!path) GTEST_SKIP() << "corpus not present";
    ASSERT_TRUE(m_reader.InitAvi(*path));
    const auto info = m_reader.GetAviInfo();
    ASSERT_TRUE(info);
    ASSERT_EQ(info->length, 8u);
    const int width = info->frame.right - info->frame.left;
    const int height = info->frame.bottom - info->frame.top;
    // Uncompressed frames equal ffmpeg's. libjpeg and ffmpeg upsample JPEG
    // chroma differently, so there only the mean difference stays small.
    const bool jpeg = info->handler == FourCCValue("MJPG");
    const std::string raw = FfmpegFrames(*path, 0, jpeg ? "-sws_flags accurate_rnd+full_chroma_int" : "");
    for (int k = 0; k < 8; ++k) {
      const auto [mean, largest] = Difference(Frame(k, width, height), raw, k);
      if (jpeg) {
        EXPECT_LT(mean, 2.0) << "frame " << k;
      } else {
        EXPECT_EQ(largest, 0) << "frame " << k;
      }
    }
  }
  EXPECT_TRUE(m_reporter.entries.empty());
}

TEST_F(AviReaderTest, ReportsFilesWithoutAUsableVideoStreamOrWithTooManyStreams) {
  const struct {
    const char* name;
    int streams;  // -1: the file does not open
    std::vector<std::string> messages;
  } rows[] = {
      {"gen-ffmpeg-audio-only-pcm16.avi", 1, {kNoVideo, kNoCompatibleVideo}},
      {"goaudio-sample-cinepak.avi", 2, {kNoVideo, kNoCompatibleVideo}},
      {"gen-ffmpeg-26-video-streams.avi",
       25,
       {"Maximum number of streams reached: 25 is the maximum - InsertAVIFile()"}},
      {"gen-gstreamer-y800-gray8-80x60.avi", 1, {}},
      {"gen-not-avi-jpeg.avi", -1, {}},
      {"gen-not-avi-riff-wave.avi", -1, {}},
      {"gen-not-avi-text.avi", -1, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto path = test::CorpusPath(std::string("avi/") + row.name);
    if (!path) GTEST_SKIP() << "corpus not present";
    test::RecordingReporter reporter;
    AviReader reader(reporter);
    EXPECT_EQ(reader.InitAvi(*path), row.streams >= 0);
    EXPECT_EQ(reader.StreamCount(), std::max(row.streams, 0));
    const bool found = reader.GetAviInfo().has_value();
    const std::vector<std::string> expected =
        row.streams < 0 ? std::vector<std::string>{OpenMessage(*path), kNoCompatibleVideo} : row.messages;
    EXPECT_EQ(found, expected.empty() || row.streams == 25);
    EXPECT_EQ(reporter.Errors(), expected);
  }
}

TEST_F(AviReaderTest, AFailedOpenKeepsThePreviousFile) {
  const auto good = test::CorpusPath("avi/gen-ffmpeg-audio-first-bgr24-80x60-pcm16.avi");
  const auto bad = test::CorpusPath("avi/gen-not-avi-text.avi");
  if (!good || !bad) GTEST_SKIP() << "corpus not present";
  ASSERT_TRUE(m_reader.InitAvi(*good));
  EXPECT_EQ(m_reader.FirstVideoStream(), 1) << "the audio stream comes first";
  EXPECT_EQ(m_reader.FirstAudioStream(), 0);
  const Bitmap before = Frame(3, 80, 60);
  EXPECT_FALSE(m_reader.InitAvi(*bad));
  EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{OpenMessage(*bad)});
  EXPECT_EQ(m_reader.StreamCount(), 2);
  ASSERT_TRUE(m_reader.GetAviInfo());
  EXPECT_EQ(test::FirstDifference(Frame(3, 80, 60), before), "");
  // Opening another file replaces the streams.
  const auto other = test::CorpusPath("avi/gen-ffmpeg-raw-bgr24-80x60.avi");
  ASSERT_TRUE(other && m_reader.InitAvi(*other));
  EXPECT_EQ(m_reader.StreamCount(), 1);
  EXPECT_EQ(m_reader.FirstAudioStream(), -1);
}

TEST_F(AviReaderTest, ATruncatedFileGivesItsCompleteFramesAndGreyForTheRest) {
  const auto path = test::CorpusPath("avi/gen-truncated-bgr24-pcm16.avi");
  if (!path) GTEST_SKIP() << "corpus not present";
  ASSERT_TRUE(m_reader.InitAvi(*path));
  const auto info = m_reader.GetAviInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->length, 8u);
  for (int k = 2; k < 8; ++k) EXPECT_TRUE(AllMissing(Frame(k, 80, 60))) << "frame " << k;
  EXPECT_TRUE(AllMissing(Frame(8, 80, 60))) << "beyond the stream";
  EXPECT_TRUE(AllMissing(Frame(-1, 80, 60))) << "before its start";
  if (!test::HaveProgram("ffmpeg")) return;
  const std::string raw = FfmpegFrames(*path, 0);
  for (int k = 0; k < 2; ++k) EXPECT_EQ(Difference(Frame(k, 80, 60), raw, k).second, 0);
}

TEST_F(AviReaderTest, SeveralVideoStreamsDrawInTableOrder) {
  const auto path = test::CorpusPath("avi/gen-ffmpeg-two-video-streams-bgr24.avi");
  if (!path) GTEST_SKIP() << "corpus not present";
  if (!test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  ASSERT_TRUE(m_reader.InitAvi(*path));
  EXPECT_EQ(m_reader.FirstVideoStream(), 0);
  const std::string second = FfmpegFrames(*path, 1);
  EXPECT_EQ(Difference(Frame(5, 80, 60), second, 5).second, 0) << "the last stream stays visible";
}

TEST_F(AviReaderTest, DecodesMasksPalettesAndEmptyOrShortChunks) {
  // 16-bit 5-6-5 through BI_BITFIELDS, top-down, rows of 3 pixels padded to 8 bytes.
  AviMuxer masked(Path("565.avi"), {});
  masked.AddStream(VideoHeader(3, 2),
                   BitmapFormat(3, -2, 16, kBiBitfields, {0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0}));
  masked.WriteChunk(0, "dc", std::vector<std::uint8_t>{0, 0xF8, 0xE0, 7, 0x1F, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0},
                    0, 1);
  masked.Finish();
  ASSERT_TRUE(m_reader.InitAvi(Path("565.avi")));
  Bitmap frame = Frame(0, 3, 2);
  EXPECT_EQ(frame.PixelColor(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(frame.PixelColor(1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(frame.PixelColor(2, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(frame.PixelColor(0, 1), (Rgb{255, 255, 255}));
  frame = Frame(0, 6, 4);
  EXPECT_EQ(frame.PixelColor(3, 1), (Rgb{0, 255, 0})) << "a larger rectangle repeats every pixel";

  // 8-bit frames of a stream starting at 1 whose writer left the rectangle and
  // the length empty: a palette change before the second frame, an empty chunk
  // repeating it, and a chunk shorter than a frame.
  AviStreamHeader header = VideoHeader(0, 0);
  header.start = 1;
  AviMuxer paletted(Path("pal.avi"), {});
  paletted.AddStream(header, BitmapFormat(2, 1, 8, kBiRgb, {30, 20, 10, 0, 60, 50, 40, 0}));
  const std::vector<std::vector<std::uint8_t>> chunks = {
      {0, 1, 0, 0}, {1, 1, 0, 0, 200, 100, 50, 0}, {1, 0, 0, 0}, {}, {1, 1}};
  for (std::size_t i = 0; i < chunks.size(); ++i) paletted.WriteChunk(0, i == 1 ? "pc" : "db", chunks[i], 0, 0);
  paletted.Finish();
  ASSERT_TRUE(m_reader.InitAvi(Path("pal.avi")));
  const auto info = m_reader.GetAviInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->frame.right, 2) << "taken from the format";
  EXPECT_EQ(info->frame.bottom, 1);
  EXPECT_EQ(info->length, 4u) << "taken from the chunks";
  EXPECT_TRUE(AllMissing(Frame(0, 2, 1))) << "before the stream's start";
  EXPECT_EQ(Frame(1, 2, 1).PixelColor(1, 0), (Rgb{40, 50, 60}));
  EXPECT_EQ(Frame(2, 2, 1).PixelColor(0, 0), (Rgb{200, 100, 50}));
  EXPECT_EQ(Frame(3, 2, 1).PixelColor(0, 0), (Rgb{200, 100, 50})) << "an empty chunk repeats the frame before";
  EXPECT_TRUE(AllMissing(Frame(4, 2, 1)));
  EXPECT_TRUE(m_reporter.entries.empty());
}

TEST_F(AviReaderTest, FindsTheFramesOfOpenDmlSegmentsThroughTheSuperIndex) {
  AviLayoutOptions layout;
  layout.segment_size = 100000;
  auto writer = AviWriter::Open(Path("odml.avi"), 100000.0, 25, nullptr, layout);
  std::vector<Bitmap> frames;
  for (int i = 0; i < 40; ++i) {
    frames.push_back(test::MakeSolid(64, 48, Rgb{static_cast<std::uint8_t>(5 * i), 7, 99}));
    ASSERT_EQ(writer->AddFrame(frames.back()), AVIERR_OK);
  }
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  // Hide the AVIX segments from a walk of the file: only the indx -> ix00
  // chain still leads to their frames.
  auto bytes = ReadWholeFile(Path("odml.avi"));
  const std::string avix = "AVIX";
  for (auto at = std::search(bytes.begin(), bytes.end(), avix.begin(), avix.end()); at != bytes.end();
       at = std::search(at + 1, bytes.end(), avix.begin(), avix.end())) {
    *(at - 8) = 'X';
  }
  WriteWholeFile(Path("hidden.avi"), std::string(bytes.begin(), bytes.end()));

  for (const char* name : {"odml.avi", "hidden.avi"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(m_reader.InitAvi(Path(name)));
    const auto info = m_reader.GetAviInfo();
    ASSERT_TRUE(info);
    ASSERT_EQ(info->length, 40u);
    for (int k = 0; k < 40; ++k) EXPECT_EQ(test::FirstDifference(Frame(k, 64, 48), frames[k]), "") << "frame " << k;
  }
}

}  // namespace
}  // namespace sf
