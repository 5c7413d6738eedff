#include "avi/avi_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "avi/avi_test_files.h"
#include "avi/avi_writer.h"
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

std::string OpenMessage(const std::string& path) { return "Unable to open AVI file:\n\"" + path + "\"\n - InitAvi()"; }

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
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) {
        if (frame.PixelColor(x, y) != kMissingFrameColor) return false;
      }
    }
    return true;
  }

  std::string m_dir = test::MakeTempDir();
  test::RecordingReporter m_reporter;
  AviReader m_reader{m_reporter};
};

TEST_F(AviReaderTest, UncompressedCorpusFramesEqualFfmpegs) {
  if (!test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  const struct {
    const char* name;
    int width;
    int height;
  } rows[] = {
      {"gen-ffmpeg-raw-bgr24-80x60.avi", 80, 60},        {"gen-ffmpeg-raw-bgr24-80x60-pcm16.avi", 80, 60},
      {"gen-ffmpeg-raw-bgr24-75x50-oddwidth.avi", 75, 50}, {"gen-ffmpeg-raw-bgra-80x60.avi", 80, 60},
      {"gen-ffmpeg-raw-bgra-80x60-pcm16.avi", 80, 60},   {"gen-ffmpeg-raw-pal8-80x60.avi", 80, 60},
      {"gen-ffmpeg-raw-pal8-80x60-pcm16.avi", 80, 60},   {"gen-ffmpeg-raw-rgb555le-80x60.avi", 80, 60},
      {"gen-ffmpeg-raw-rgb555le-80x60-pcm16.avi", 80, 60}, {"gen-gstreamer-raw-bgr24-80x60.avi", 80, 60},
      {"gen-gstreamer-raw-bgrx32-80x60.avi", 80, 60},    {"gen-gstreamer-y800-gray8-80x60.avi", 80, 60},
      {"gen-ffmpeg-audio-first-bgr24-80x60-pcm16.avi", 80, 60},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto path = test::CorpusPath(std::string("avi/") + row.name);
    if (!path) GTEST_SKIP() << "corpus not present";
    ASSERT_TRUE(m_reader.InitAvi(*path));
    const auto info = m_reader.GetAviInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->frame.right - info->frame.left, row.width);
    EXPECT_EQ(info->frame.bottom - info->frame.top, row.height);
    ASSERT_EQ(info->length, 8u);
    const std::string raw = FfmpegFrames(*path, 0);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(Difference(Frame(k, row.width, row.height), raw, k).second, 0) << "frame " << k;
    }
  }
  EXPECT_TRUE(m_reporter.entries.empty());
}

TEST_F(AviReaderTest, MotionJpegCorpusFramesMatchFfmpegWithinJpegTolerance) {
  if (!test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  for (const char* name : {"gen-ffmpeg-mjpeg-160x120.avi", "gen-ffmpeg-mjpeg-160x120-pcm16.avi"}) {
    SCOPED_TRACE(name);
    const auto path = test::CorpusPath(std::string("avi/") + name);
    if (!path) GTEST_SKIP() << "corpus not present";
    ASSERT_TRUE(m_reader.InitAvi(*path));
    ASSERT_TRUE(m_reader.GetAviInfo());
    // libjpeg and ffmpeg upsample the chroma differently; the means stay small.
    const std::string raw = FfmpegFrames(*path, 0, "-sws_flags accurate_rnd+full_chroma_int");
    for (int k = 0; k < 8; ++k) EXPECT_LT(Difference(Frame(k, 160, 120), raw, k).first, 2.0) << "frame " << k;
  }
}

TEST_F(AviReaderTest, ReportsFilesWithoutAUsableVideoStream) {
  const struct {
    const char* name;
    bool opens;
    std::vector<std::string> messages;
  } rows[] = {
      {"gen-ffmpeg-audio-only-pcm16.avi", true, {kNoVideo, kNoCompatibleVideo}},
      {"goaudio-sample-cinepak.avi", true, {kNoVideo, kNoCompatibleVideo}},
      {"gen-gstreamer-y800-gray8-80x60.avi", true, {}},
      {"gen-not-avi-jpeg.avi", false, {}},
      {"gen-not-avi-riff-wave.avi", false, {}},
      {"gen-not-avi-text.avi", false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto path = test::CorpusPath(std::string("avi/") + row.name);
    if (!path) GTEST_SKIP() << "corpus not present";
    test::RecordingReporter reporter;
    AviReader reader(reporter);
    EXPECT_EQ(reader.InitAvi(*path), row.opens);
    const bool found = reader.GetAviInfo().has_value();
    std::vector<std::string> expected = row.messages;
    if (!row.opens) expected = {OpenMessage(*path), kNoCompatibleVideo};
    EXPECT_EQ(found, expected.empty());
    EXPECT_EQ(reporter.Errors(), expected);
  }
}

TEST_F(AviReaderTest, KeepsTheFirst25StreamsOfAFileWithMore) {
  const auto path = test::CorpusPath("avi/gen-ffmpeg-26-video-streams.avi");
  if (!path) GTEST_SKIP() << "corpus not present";
  ASSERT_TRUE(m_reader.InitAvi(*path));
  EXPECT_EQ(m_reporter.Errors(),
            std::vector<std::string>{"Maximum number of streams reached: 25 is the maximum - InsertAVIFile()"});
  EXPECT_EQ(m_reader.StreamCount(), 25);
  const auto info = m_reader.GetAviInfo();
  ASSERT_TRUE(info);
  EXPECT_EQ(info->frame.right, 16);
  EXPECT_EQ(info->length, 2u);
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

TEST_F(AviReaderTest, DecodesMasksPalettesAndIndexlessFiles) {
  // 16-bit 5-6-5 through BI_BITFIELDS, top-down, 3 pixels padded to 8 bytes.
  const std::vector<std::uint8_t> masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  test::WriteTestAvi(Path("565.avi"), {{test::VideoHeader(3, 2, 1), test::BitmapFormat(3, -2, 16, kBiBitfields, masks)}},
                     {{"00dc", {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0xFF, 0xFF, 0, 0, 0x00, 0x00, 0, 0}}}, true);
  ASSERT_TRUE(m_reader.InitAvi(Path("565.avi")));
  Bitmap frame = Frame(0, 3, 2);
  EXPECT_EQ(frame.PixelColor(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(frame.PixelColor(1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(frame.PixelColor(2, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(frame.PixelColor(0, 1), (Rgb{255, 255, 255}));
  // Drawn into a larger rectangle, every pixel is repeated.
  frame = Frame(0, 6, 4);
  EXPECT_EQ(frame.PixelColor(3, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(frame.PixelColor(5, 3), (Rgb{0, 0, 0}));

  // 8-bit bottom-up frames without idx1, some in a rec list: a palette change
  // before the second frame, an empty chunk repeating it, and a short chunk.
  AviStreamHeader header = test::VideoHeader(0, 0, 0);  // writers that leave the rectangle and length empty
  header.start = 1;
  const std::vector<std::uint8_t> palette = {30, 20, 10, 0, 60, 50, 40, 0};
  const std::vector<std::uint8_t> change = {1, 1, 0, 0, 200, 100, 50, 0};
  test::WriteTestAvi(Path("pal.avi"), {{header, test::BitmapFormat(2, 1, 8, kBiRgb, palette)}},
                     {{"00db", {0, 1, 0, 0}},
                      {"LIST", {}},
                      {"00pc", change},
                      {"00db", {1, 0, 0, 0}},
                      {"END ", {}},
                      {"00db", {}},
                      {"00db", {1, 1}}},
                     false);
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
  EXPECT_TRUE(AllMissing(Frame(4, 2, 1))) << "a chunk shorter than a frame";
  EXPECT_TRUE(m_reporter.entries.empty());

  test::WriteTestAvi(Path("cvid.avi"), {{test::VideoHeader(2, 2, 1), test::BitmapFormat(2, 2, 24, FourCCValue("cvid"))}},
                     {{"00dc", {1, 2, 3}}}, true);
  EXPECT_TRUE(m_reader.InitAvi(Path("cvid.avi")));
  EXPECT_FALSE(m_reader.GetAviInfo());
  EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{kNoCompatibleVideo});
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
