#include "avi/avi_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "avi/avi_file.h"
#include "avi/avi_test_files.h"
#include "avi/mapped_file.h"
#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using ::testing::HasSubstr;

class AviWriterTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }

  AviFile ReadBack(const std::string& path) { return ReadAviFile(ReadWholeFile(path)); }

  std::string m_dir = test::MakeTempDir();
};

TEST_F(AviWriterTest, RateIsTheTruncatedExtendedProductOfTimeBaseAndFrameRate) {
  const struct {
    double fps;
    std::uint32_t rate;
  } rows[] = {{25, 2500000}, {30, 3000000}, {29.97, 2996999}, {23.976, 2397599}, {59.94, 5993999}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fps);
    auto writer = AviWriter::Open(Path("rate.avi"), 100000.0, row.fps);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->Scale(), 100000u);
    EXPECT_EQ(writer->Rate(), row.rate);
    ASSERT_EQ(writer->AddFrame(test::MakeGradient(4, 2)), AVIERR_OK);
    ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
    const AviStreamHeader h = ReadBack(Path("rate.avi")).streams.at(0)->header;
    EXPECT_EQ(h.scale, 100000u);
    EXPECT_EQ(h.rate, row.rate);
  }
  // Rates that are no whole number of 1 .. 2^32 - 1 open nothing.
  for (const double fps : {0.0, -25.0, std::nan(""), 1e30}) EXPECT_FALSE(AviWriter::Open(Path("bad.avi"), 100000.0, fps));
  EXPECT_FALSE(AviWriter::Open(m_dir + "/missing/folder.avi", 100000.0, 25));
}

TEST_F(AviWriterTest, VideoStreamHeaderAndFormatOfA24BitFrame) {
  auto writer = AviWriter::Open(Path("v24.avi"), 100000.0, 25);
  const Bitmap frame = test::MakeGradient(720, 480);
  ASSERT_EQ(writer->BeginVideo(frame), AVIERR_OK);
  ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
  ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

  const AviFile file = ReadBack(Path("v24.avi"));
  ASSERT_EQ(file.streams.size(), 1u);
  const AviStream& video = *file.streams[0];
  const AviStreamHeader& h = video.header;
  EXPECT_EQ(h.type, "vids");
  EXPECT_EQ(h.handler, 0u);
  EXPECT_EQ(h.suggested_buffer_size, 1036800u) << "720 x 480 in rows of 2160 bytes";
  EXPECT_EQ(h.frame.left, 0);
  EXPECT_EQ(h.frame.top, 0);
  EXPECT_EQ(h.frame.right, 720);
  EXPECT_EQ(h.frame.bottom, 480);
  EXPECT_EQ(h.length, 2u);
  EXPECT_EQ(h.flags | h.priority | h.language | h.initial_frames | h.start | h.quality | h.sample_size, 0u);
  ASSERT_EQ(video.format.size(), 40u);
  ASSERT_EQ(video.chunks.size(), 2u);
  EXPECT_EQ(video.chunks[1].size, 1036800u);

  const auto bytes = ReadWholeFile(Path("v24.avi"));
  EXPECT_EQ(test::FieldAfter(bytes, "strf", 14) & 0xFFFF, 24) << "biBitCount";
  EXPECT_EQ(test::FieldAfter(bytes, "strf", 20), 1036800) << "biSizeImage";
  EXPECT_EQ(test::FieldAfter(bytes, "idx1", 0), 0x62643030) << "the first entry is 00db";
  EXPECT_EQ(test::FieldAfter(bytes, "idx1", 4), 0x10) << "flagged as a key frame";
  EXPECT_EQ(test::FieldAfter(bytes, "avih", 16), 2) << "dwTotalFrames";
  EXPECT_EQ(test::TopLevelChunks(bytes), (std::vector<std::string>{"RIFF:AVI "}));
}

TEST_F(AviWriterTest, EightBitFramesCarryTheirPalette) {
  auto writer = AviWriter::Open(Path("v8.avi"), 100000.0, 29.97);
  const Bitmap frame = test::MakeGradient(352, 240, PixelFormat::kBits8);
  ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);  // no BeginVideo: uncompressed
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  const AviFile file = ReadBack(Path("v8.avi"));
  const AviStream& video = *file.streams.at(0);
  ASSERT_EQ(video.format.size(), 40u + 256 * 4);
  EXPECT_EQ(video.header.suggested_buffer_size, 352u * 240);
  EXPECT_EQ(video.chunks.at(0).size, 352u * 240);
  const Rgb c = frame.Palette()[200];
  EXPECT_EQ(video.format[40 + 4 * 200], c.b);
  EXPECT_EQ(video.format[40 + 4 * 200 + 2], c.r);
}

TEST_F(AviWriterTest, SoundTracksAppendAndTakeTheirStreamFromTheFirstWav) {
  auto writer = AviWriter::Open(Path("sound.avi"), 100000.0, 25);
  ASSERT_EQ(writer->BeginVideo(test::MakeGradient(8, 6)), AVIERR_OK);
  const auto first = test::MakeWav(2, 44100, 16, 176400, 1);
  ASSERT_EQ(writer->AddWav(first), AVIERR_OK);
  EXPECT_EQ(writer->NextSample(), 44100u);
  ASSERT_EQ(writer->AddWav(test::MakeWav(2, 44100, 16, 176400, 2)), AVIERR_OK);
  EXPECT_EQ(writer->NextSample(), 88200u) << "the second file starts at the first's sample count";
  // Another layout is refused without failing the writer.
  EXPECT_EQ(writer->AddWav(test::MakeWav(1, 44100, 16, 1000)), AVIERR_BADFORMAT);
  EXPECT_EQ(writer->AddFrame(test::MakeGradient(8, 6)), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

  const AviFile file = ReadBack(Path("sound.avi"));
  ASSERT_EQ(file.streams.size(), 2u);
  const AviStream& audio = *file.streams[1];
  EXPECT_EQ(audio.header.type, "auds");
  EXPECT_EQ(audio.header.scale, 4u);
  EXPECT_EQ(audio.header.rate, 176400u);
  EXPECT_EQ(audio.header.sample_size, 4u);
  EXPECT_EQ(audio.header.quality, 0xFFFFFFFFu);
  EXPECT_EQ(audio.header.length, 88200u);
  ASSERT_EQ(audio.format.size(), 18u);
  EXPECT_EQ(audio.format[16] | audio.format[17], 0) << "cbSize";
  // The samples are the two data chunks one after the other.
  const auto bytes = ReadWholeFile(Path("sound.avi"));
  std::vector<std::uint8_t> samples;
  for (const AviChunkRef& chunk : audio.chunks) samples.insert(samples.end(), bytes.begin() + chunk.offset, bytes.begin() + chunk.offset + chunk.size);
  ASSERT_EQ(samples.size(), 2u * 176400);
  EXPECT_TRUE(std::equal(samples.begin(), samples.begin() + 176400, first.begin() + 44));
  EXPECT_EQ(samples[176400], 2);

  auto mono = AviWriter::Open(Path("mono.avi"), 100000.0, 25);
  ASSERT_EQ(mono->AddWav(test::MakeWav(1, 11025, 8, 11025)), AVIERR_OK);
  EXPECT_EQ(mono->NextSample(), 11025u);
  ASSERT_EQ(AviWriter::Close(std::move(mono)), AVIERR_OK);
  const AviStreamHeader h = ReadBack(Path("mono.avi")).streams.at(0)->header;
  EXPECT_EQ(h.scale, 1u);
  EXPECT_EQ(h.rate, 11025u);
}

TEST_F(AviWriterTest, FailuresStickUntilClose) {
  auto writer = AviWriter::Open(Path("cancel.avi"), 100000.0, 25);
  const Bitmap frame = test::MakeGradient(16, 8);
  FixedChooser cancel(std::nullopt);
  EXPECT_EQ(writer->BeginVideo(frame, {}, &cancel), AVIERR_USERABORT);
  EXPECT_EQ(writer->AddFrame(frame), AVIERR_ERROR);
  EXPECT_EQ(writer->AddWav(test::MakeWav(1, 8000, 8, 100)), AVIERR_ERROR);
  EXPECT_EQ(writer->BeginVideo(frame), AVIERR_ERROR);
  EXPECT_EQ(writer->NextFrame(), 0u);
  EXPECT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  const AviFile cancelled = ReadBack(Path("cancel.avi"));
  ASSERT_EQ(cancelled.streams.size(), 1u);
  EXPECT_EQ(cancelled.streams[0]->header.length, 0u);
  EXPECT_TRUE(cancelled.streams[0]->chunks.empty()) << "an AVI without frames";

  auto missing = AviWriter::Open(Path("missing.avi"), 100000.0, 25);
  EXPECT_EQ(missing->AddWav(m_dir + "/no.wav"), AVIERR_FILEOPEN);
  EXPECT_EQ(missing->AddFrame(frame), AVIERR_ERROR);
  EXPECT_EQ(AviWriter::Close(std::move(missing)), AVIERR_OK);

  auto twice = AviWriter::Open(Path("twice.avi"), 100000.0, 25);
  EXPECT_EQ(twice->BeginVideo(Bitmap()), AVIERR_BADPARAM);
  EXPECT_EQ(twice->AddWav(std::string()), AVIERR_BADPARAM);
  EXPECT_EQ(twice->BeginVideo(frame), AVIERR_OK);
  EXPECT_EQ(twice->BeginVideo(frame), AVIERR_COMPRESSOR);
  EXPECT_FALSE(twice->Failed());
  EXPECT_EQ(AviWriter::Close(std::move(twice)), AVIERR_OK);

  EXPECT_EQ(AviWriter::Close(nullptr), AVIERR_BADHANDLE);
}

TEST_F(AviWriterTest, RefusesFramesThatDoNotMatchTheStream) {
  auto writer = AviWriter::Open(Path("mismatch.avi"), 100000.0, 25);
  Bitmap eight = test::MakeGradient(20, 10, PixelFormat::kBits8);
  ASSERT_EQ(writer->BeginVideo(eight), AVIERR_OK);
  EXPECT_EQ(writer->AddFrame(test::MakeGradient(21, 10, PixelFormat::kBits8)), AVIERR_BADSIZE);
  EXPECT_EQ(writer->AddFrame(test::MakeGradient(20, 10)), AVIERR_BADFORMAT);
  Bitmap other_palette = eight;
  other_palette.SetPalette({{1, 2, 3}});
  EXPECT_EQ(writer->AddFrame(other_palette), AVIERR_BADFORMAT);
  EXPECT_EQ(writer->AddFrame(eight), AVIERR_OK) << "a refused frame does not fail the writer";
  EXPECT_EQ(writer->NextFrame(), 1u);
  EXPECT_EQ(writer->BeginVideo(Bitmap(2, 2, PixelFormat::kBits4)), AVIERR_COMPRESSOR);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  EXPECT_EQ(ReadBack(Path("mismatch.avi")).streams.at(0)->chunks.size(), 1u);

  auto four = AviWriter::Open(Path("four.avi"), 100000.0, 25);
  EXPECT_EQ(four->AddFrame(Bitmap(2, 2, PixelFormat::kBits4)), AVIERR_BADFORMAT);
  EXPECT_EQ(AviWriter::Close(std::move(four)), AVIERR_OK);

  // Motion JPEG encodes any pixel format but still only one size.
  auto jpeg = AviWriter::Open(Path("mjpg.avi"), 100000.0, 25);
  FixedChooser mjpg(Compression{Codec::kMotionJpeg, 80});
  ASSERT_EQ(jpeg->BeginVideo(test::MakeGradient(32, 16), {}, &mjpg), AVIERR_OK);
  EXPECT_EQ(jpeg->AddFrame(test::MakeGradient(32, 16, PixelFormat::kBits8)), AVIERR_OK);
  EXPECT_EQ(jpeg->AddFrame(test::MakeGradient(16, 16)), AVIERR_BADSIZE);
  EXPECT_EQ(AviWriter::Close(std::move(jpeg)), AVIERR_OK);
}

TEST_F(AviWriterTest, WavFilesThatCannotBeReadWholeAreRefusedWithoutFailing) {
  auto writer = AviWriter::Open(Path("badwav.avi"), 100000.0, 25);
  auto truncated = test::MakeWav(2, 44100, 16, 1000);
  truncated.resize(500);
  EXPECT_EQ(writer->AddWav(truncated), AVIERR_FILEREAD);
  EXPECT_EQ(writer->AddWav(std::vector<std::uint8_t>(30, 0)), AVIERR_FILEREAD);
  auto silent = test::MakeWav(2, 44100, 16, 100);
  silent[22] = 0;  // no channels: would divide by zero
  EXPECT_EQ(writer->AddWav(silent), AVIERR_FILEREAD);
  EXPECT_FALSE(writer->Failed());
  EXPECT_EQ(writer->AddWav(test::MakeWav(1, 22050, 16, 100)), AVIERR_OK);
  EXPECT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
}

// Every combination the compile can make, read back by ffprobe and ffmpeg.
TEST_F(AviWriterTest, FfmpegReadsEveryKindOfFileWeWrite) {
  if (!test::HaveProgram("ffprobe") || !test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffprobe not installed";
  const struct {
    double fps;
    PixelFormat format;
    bool sound;
    Codec codec;
    const char* rate;
  } rows[] = {
      {25, PixelFormat::kBits24, false, Codec::kUncompressed, "r_frame_rate=25/1"},
      {29.97, PixelFormat::kBits8, true, Codec::kUncompressed, "r_frame_rate=2996999/100000"},
      {29.97, PixelFormat::kBits24, true, Codec::kMotionJpeg, "r_frame_rate=2996999/100000"},
      {25, PixelFormat::kBits8, false, Codec::kMotionJpeg, "r_frame_rate=25/1"},
  };
  for (const auto& row : rows) {
    const std::string path = Path("probe.avi");
    SCOPED_TRACE(std::string(row.rate) + " bpp " + std::to_string(static_cast<int>(row.format)));
    auto writer = AviWriter::Open(path, 100000.0, row.fps);
    FixedChooser chooser(Compression{row.codec, 90});
    const Bitmap frame = test::MakeGradient(47, 33, row.format);
    ASSERT_EQ(writer->BeginVideo(frame, {}, &chooser), AVIERR_OK);
    if (row.sound) {
      ASSERT_EQ(writer->AddWav(test::MakeWav(2, 22050, 16, 22050 * 4)), AVIERR_OK);
    }
    for (int i = 0; i < 7; ++i) ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
    ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

    const auto probe = test::Probe(path);
    ASSERT_EQ(probe.size(), row.sound ? 3u : 2u);
    EXPECT_THAT(probe[0], HasSubstr(row.codec == Codec::kMotionJpeg ? "codec_name=mjpeg" : "codec_name=rawvideo"));
    EXPECT_THAT(probe[0], HasSubstr("width=47|height=33"));
    EXPECT_THAT(probe[0], HasSubstr(row.rate));
    EXPECT_THAT(probe[0], HasSubstr("nb_read_frames=7"));
    if (row.sound) {
      EXPECT_THAT(probe[1], HasSubstr("codec_name=pcm_s16le|codec_type=audio|sample_rate=22050|channels=2"));
    }
    EXPECT_EQ(probe.back(), "format_name=avi");
    EXPECT_EQ(test::DecodeErrors(path), "");
  }
}

TEST_F(AviWriterTest, LongFilesGoOnInOpenDmlSegments) {
  const std::string path = Path("odml.avi");
  AviLayoutOptions layout;
  layout.segment_size = 100000;
  auto writer = AviWriter::Open(path, 100000.0, 25, nullptr, layout);
  ASSERT_EQ(writer->AddWav(test::MakeWav(1, 8000, 8, 30000)), AVIERR_OK);
  std::vector<Bitmap> frames;
  for (int i = 0; i < 60; ++i) {
    frames.push_back(test::MakeSolid(64, 48, Rgb{static_cast<std::uint8_t>(4 * i), 10, 200}));
    ASSERT_EQ(writer->AddFrame(frames.back()), AVIERR_OK);
  }
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

  const auto bytes = ReadWholeFile(path);
  const auto top = test::TopLevelChunks(bytes);
  ASSERT_GE(top.size(), 5u);
  EXPECT_EQ(top[0], "RIFF:AVI ");
  for (std::size_t i = 1; i < top.size(); ++i) EXPECT_EQ(top[i], "RIFF:AVIX");
  EXPECT_EQ(test::FieldAfter(bytes, "dmlh", 0), 60) << "all frames";
  const std::int64_t first_riff_frames = test::FieldAfter(bytes, "avih", 16);
  EXPECT_GT(first_riff_frames, 0);
  EXPECT_LT(first_riff_frames, 60) << "avih counts the first RIFF only";
  const AviFile file = ReadAviFile(bytes);
  ASSERT_EQ(file.streams.size(), 2u);
  EXPECT_EQ(file.streams[1]->chunks.size(), 60u);
  EXPECT_EQ(file.streams[1]->header.length, 60u);
  EXPECT_EQ(file.streams[0]->header.length, 30000u);

  if (test::HaveProgram("ffprobe") && test::HaveProgram("ffmpeg")) {
    const auto probe = test::Probe(path);
    ASSERT_EQ(probe.size(), 3u);
    EXPECT_THAT(probe[1], HasSubstr("nb_read_frames=60"));
    EXPECT_EQ(test::DecodeErrors(path), "");
  }

  // A file that needs more segments than its super indexes hold stops growing,
  // and what it holds stays readable.
  layout.max_segments = 2;
  auto full = AviWriter::Open(Path("full.avi"), 100000.0, 25, nullptr, layout);
  AviResult result = AVIERR_OK;
  int written = 0;
  for (; written < 60 && (result = full->AddFrame(frames[0])) == AVIERR_OK; ++written) {}
  EXPECT_EQ(result, AVIERR_FILEWRITE);
  EXPECT_EQ(AviWriter::Close(std::move(full)), AVIERR_OK);
  EXPECT_EQ(ReadBack(Path("full.avi")).streams.at(0)->chunks.size(), static_cast<std::size_t>(written));
}

}  // namespace
}  // namespace sf
