#include "avi/avi_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "avi/avi_file.h"
#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using ::testing::HasSubstr;

// A 32-bit field `offset` bytes into the body of the first chunk `id` of a file.
std::int64_t FieldAfter(const std::vector<std::uint8_t>& file, const std::string& id, std::size_t offset) {
  const auto found = std::search(file.begin(), file.end(), id.begin(), id.end());
  const std::size_t at = static_cast<std::size_t>(found - file.begin()) + 8 + offset;
  if (found == file.end() || at + 4 > file.size()) return -1;
  return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (std::int64_t{file[at + 3]} << 24);
}

// The forms of the RIFF chunks a file is made of.
std::vector<std::string> RiffForms(const std::vector<std::uint8_t>& file) {
  std::vector<std::string> forms;
  for (std::size_t at = 0; at + 12 <= file.size();) {
    forms.emplace_back(file.begin() + at + 8, file.begin() + at + 12);
    const std::size_t size =
        file[at + 4] | (file[at + 5] << 8) | (file[at + 6] << 16) | (std::size_t{file[at + 7]} << 24);
    at += 8 + size + (size & 1);
  }
  return forms;
}

// ffprobe's lines for the streams and the format ("key=value|key=value").
std::vector<std::string> Probe(const std::string& path) {
  std::string out;
  test::RunCommand(
      "ffprobe -v error -count_frames -show_entries stream=codec_name,codec_type,width,height,"
      "r_frame_rate,nb_read_frames,sample_rate,channels:format=format_name -of compact=p=0 '" +
          path + "'",
      &out);
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// ffmpeg's complaints while decoding every frame (-xerror: the first ends it).
std::string DecodeErrors(const std::string& path) {
  std::string errors;
  test::RunCommand("ffmpeg -nostdin -v error -xerror -i '" + path + "' -f null - 2>&1", &errors);
  return errors;
}

class AviWriterTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  AviFile ReadBack(const std::string& name) { return ReadAviFile(ReadWholeFile(Path(name))); }

  std::string m_dir = test::MakeTempDir();
};

TEST_F(AviWriterTest, RateIsTheTruncatedExtendedProductOfTimeBaseAndFrameRate) {
  const std::pair<double, std::uint32_t> rows[] = {
      {25, 2500000}, {30, 3000000}, {29.97, 2996999}, {23.976, 2397599}, {59.94, 5993999}};
  for (const auto& [fps, rate] : rows) {
    SCOPED_TRACE(fps);
    auto writer = AviWriter::Open(Path("rate.avi"), 100000.0, fps);
    ASSERT_EQ(writer->AddFrame(test::MakeGradient(4, 2)), AVIERR_OK);
    ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
    const AviStreamHeader h = ReadBack("rate.avi").streams.at(0)->header;
    EXPECT_EQ(h.scale, 100000u);
    EXPECT_EQ(h.rate, rate);
  }
  // Rates that are no whole number from 1 to 2^32 - 1 open nothing.
  for (const double fps : {0.0, -25.0, std::nan(""), 1e30})
    EXPECT_FALSE(AviWriter::Open(Path("bad.avi"), 100000.0, fps));
  EXPECT_FALSE(AviWriter::Open(m_dir + "/missing/folder.avi", 100000.0, 25));
}

TEST_F(AviWriterTest, VideoHeadersAndFormatsOf24And8BitFrames) {
  auto writer = AviWriter::Open(Path("v24.avi"), 100000.0, 25);
  const Bitmap frame = test::MakeGradient(720, 480);
  ASSERT_EQ(writer->BeginVideo(frame), AVIERR_OK);
  ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
  ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  const AviFile file = ReadBack("v24.avi");
  const AviStream& video = *file.streams.at(0);
  const AviStreamHeader& h = video.header;
  EXPECT_EQ(h.type, "vids");
  EXPECT_EQ(h.suggested_buffer_size, 1036800u) << "720 x 480 in rows of 2160 bytes";
  EXPECT_EQ(std::vector<int>({h.frame.left, h.frame.top, h.frame.right, h.frame.bottom}),
            std::vector<int>({0, 0, 720, 480}));
  EXPECT_EQ(h.length, 2u);
  EXPECT_EQ(video.chunks.at(1).size, 1036800u);
  const auto bytes = ReadWholeFile(Path("v24.avi"));
  EXPECT_EQ(FieldAfter(bytes, "strf", 12) >> 16, 24) << "biBitCount";
  EXPECT_EQ(FieldAfter(bytes, "idx1", 0), 0x62643030) << "the first entry is 00db";
  EXPECT_EQ(FieldAfter(bytes, "idx1", 4), 0x10) << "flagged as a key frame";
  EXPECT_EQ(FieldAfter(bytes, "avih", 16), 2) << "dwTotalFrames";
  EXPECT_EQ(RiffForms(bytes), std::vector<std::string>{"AVI "});

  auto eight = AviWriter::Open(Path("v8.avi"), 100000.0, 29.97);
  const Bitmap paletted = test::MakeGradient(352, 240, PixelFormat::kBits8);
  ASSERT_EQ(eight->AddFrame(paletted), AVIERR_OK);  // no BeginVideo: uncompressed
  ASSERT_EQ(AviWriter::Close(std::move(eight)), AVIERR_OK);
  const AviFile file8 = ReadBack("v8.avi");
  const AviStream& video8 = *file8.streams.at(0);
  ASSERT_EQ(video8.format.size(), 40u + 256 * 4);
  EXPECT_EQ(video8.header.suggested_buffer_size, 352u * 240);
  EXPECT_EQ(video8.chunks.at(0).size, 352u * 240);
  EXPECT_EQ(video8.format[40 + 4 * 200 + 2], paletted.Palette()[200].r);
}

TEST_F(AviWriterTest, SoundTracksAppendAndTakeTheirStreamFromTheFirstWav) {
  auto writer = AviWriter::Open(Path("sound.avi"), 100000.0, 25);
  ASSERT_EQ(writer->BeginVideo(test::MakeGradient(8, 6)), AVIERR_OK);
  const auto first = test::MakeWav(2, 44100, 16, 176400, 1);
  ASSERT_EQ(writer->AddWav(first), AVIERR_OK);
  EXPECT_EQ(writer->NextSample(), 44100u);
  ASSERT_EQ(writer->AddWav(test::MakeWav(2, 44100, 16, 176400, 2)), AVIERR_OK);
  EXPECT_EQ(writer->NextSample(), 88200u) << "the second file starts at the first's sample count";
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

  const AviFile file = ReadBack("sound.avi");
  const AviStream& audio = *file.streams.at(1);
  EXPECT_EQ(audio.header.scale, 4u);
  EXPECT_EQ(audio.header.rate, 176400u);
  EXPECT_EQ(audio.header.sample_size, 4u);
  EXPECT_EQ(audio.header.quality, 0xFFFFFFFFu);
  EXPECT_EQ(audio.header.length, 88200u);
  const auto bytes = ReadWholeFile(Path("sound.avi"));
  std::vector<std::uint8_t> samples;
  for (const AviChunkRef& c : audio.chunks)
    samples.insert(samples.end(), bytes.begin() + c.offset, bytes.begin() + c.offset + c.size);
  ASSERT_EQ(samples.size(), 2u * 176400);
  EXPECT_TRUE(std::equal(samples.begin(), samples.begin() + 176400, first.begin() + 44));
  EXPECT_EQ(samples[176400], 2) << "the second file follows the first";

  auto mono = AviWriter::Open(Path("mono.avi"), 100000.0, 25);
  ASSERT_EQ(mono->AddWav(test::MakeWav(1, 11025, 8, 11025)), AVIERR_OK);
  EXPECT_EQ(mono->NextSample(), 11025u);
  ASSERT_EQ(AviWriter::Close(std::move(mono)), AVIERR_OK);
  const AviStreamHeader h = ReadBack("mono.avi").streams.at(0)->header;
  EXPECT_EQ(h.scale, 1u);
  EXPECT_EQ(h.rate, 11025u);
}

TEST_F(AviWriterTest, FailuresStickUntilCloseAndRefusalsDoNot) {
  const Bitmap frame = test::MakeGradient(16, 8);
  auto cancelled = AviWriter::Open(Path("cancel.avi"), 100000.0, 25);
  FixedChooser cancel(std::nullopt);
  EXPECT_EQ(cancelled->BeginVideo(frame, {}, &cancel), AVIERR_USERABORT);
  EXPECT_EQ(cancelled->AddFrame(frame), AVIERR_ERROR);
  EXPECT_EQ(cancelled->AddWav(test::MakeWav(1, 8000, 8, 100)), AVIERR_ERROR);
  EXPECT_EQ(AviWriter::Close(std::move(cancelled)), AVIERR_OK);
  EXPECT_TRUE(ReadBack("cancel.avi").streams.at(0)->chunks.empty()) << "an AVI without frames";
  EXPECT_EQ(AviWriter::Close(nullptr), AVIERR_BADHANDLE);

  auto missing = AviWriter::Open(Path("missing.avi"), 100000.0, 25);
  EXPECT_EQ(missing->AddWav(m_dir + "/no.wav"), AVIERR_FILEOPEN);
  EXPECT_EQ(missing->AddFrame(frame), AVIERR_ERROR);
  EXPECT_EQ(AviWriter::Close(std::move(missing)), AVIERR_OK);

  // Refused frames and sound leave the writer usable.
  auto writer = AviWriter::Open(Path("refused.avi"), 100000.0, 25);
  const Bitmap eight = test::MakeGradient(20, 10, PixelFormat::kBits8);
  EXPECT_EQ(writer->BeginVideo(Bitmap()), AVIERR_BADPARAM);
  ASSERT_EQ(writer->BeginVideo(eight), AVIERR_OK);
  EXPECT_EQ(writer->BeginVideo(eight), AVIERR_COMPRESSOR);
  EXPECT_EQ(writer->AddFrame(test::MakeGradient(21, 10, PixelFormat::kBits8)), AVIERR_BADSIZE);
  EXPECT_EQ(writer->AddFrame(test::MakeGradient(20, 10)), AVIERR_BADFORMAT);
  Bitmap other_palette = eight;
  other_palette.SetPalette({{1, 2, 3}});
  EXPECT_EQ(writer->AddFrame(other_palette), AVIERR_BADFORMAT);
  EXPECT_EQ(writer->AddWav(test::MakeWav(1, 8000, 8, 100)), AVIERR_OK);
  EXPECT_EQ(writer->AddWav(test::MakeWav(2, 8000, 8, 100)), AVIERR_BADFORMAT);
  auto truncated = test::MakeWav(1, 8000, 8, 100);
  truncated.resize(100);
  EXPECT_EQ(writer->AddWav(truncated), AVIERR_FILEREAD);
  auto silent = test::MakeWav(1, 8000, 8, 100);
  silent[22] = 0;  // no channels: the sample count would divide by zero
  EXPECT_EQ(writer->AddWav(silent), AVIERR_FILEREAD);
  EXPECT_EQ(writer->AddFrame(eight), AVIERR_OK);
  EXPECT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  EXPECT_EQ(ReadBack("refused.avi").streams.at(0)->chunks.size(), 1u);
}

// Every kind of file the compile makes, read back by ffprobe and ffmpeg.
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
    SCOPED_TRACE(std::string(row.rate) + ", " + std::to_string(static_cast<int>(row.format)) + " bits");
    const std::string path = Path("probe.avi");
    auto writer = AviWriter::Open(path, 100000.0, row.fps);
    FixedChooser chooser(Compression{row.codec, 90});
    const Bitmap frame = test::MakeGradient(47, 33, row.format);
    ASSERT_EQ(writer->BeginVideo(frame, {}, &chooser), AVIERR_OK);
    if (row.sound) {
      ASSERT_EQ(writer->AddWav(test::MakeWav(2, 22050, 16, 22050 * 4)), AVIERR_OK);
    }
    for (int i = 0; i < 7; ++i) ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
    ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

    const auto probe = Probe(path);
    ASSERT_EQ(probe.size(), row.sound ? 3u : 2u);
    EXPECT_THAT(probe[0], HasSubstr(row.codec == Codec::kMotionJpeg ? "codec_name=mjpeg" : "codec_name=rawvideo"));
    EXPECT_THAT(probe[0], HasSubstr("width=47|height=33"));
    EXPECT_THAT(probe[0], HasSubstr(row.rate));
    EXPECT_THAT(probe[0], HasSubstr("nb_read_frames=7"));
    if (row.sound) {
      EXPECT_THAT(probe[1], HasSubstr("codec_name=pcm_s16le|codec_type=audio|sample_rate=22050|channels=2"));
    }
    EXPECT_EQ(probe.back(), "format_name=avi");
    EXPECT_EQ(DecodeErrors(path), "");
  }
}

TEST_F(AviWriterTest, LongFilesGoOnInOpenDmlSegments) {
  AviLayoutOptions layout;
  layout.segment_size = 100000;
  auto writer = AviWriter::Open(Path("odml.avi"), 100000.0, 25, nullptr, layout);
  ASSERT_EQ(writer->AddWav(test::MakeWav(1, 8000, 8, 30000)), AVIERR_OK);
  const Bitmap frame = test::MakeGradient(64, 48);
  for (int i = 0; i < 60; ++i) ASSERT_EQ(writer->AddFrame(frame), AVIERR_OK);
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);

  const auto bytes = ReadWholeFile(Path("odml.avi"));
  const auto forms = RiffForms(bytes);
  ASSERT_GE(forms.size(), 5u);
  EXPECT_EQ(forms[0], "AVI ");
  EXPECT_EQ(std::count(forms.begin(), forms.end(), "AVIX"), static_cast<long>(forms.size()) - 1);
  EXPECT_EQ(FieldAfter(bytes, "dmlh", 0), 60) << "all frames";
  EXPECT_LT(FieldAfter(bytes, "avih", 16), 60) << "avih counts the first RIFF only";
  const AviFile file = ReadAviFile(bytes);
  EXPECT_EQ(file.streams.at(1)->chunks.size(), 60u);
  EXPECT_EQ(file.streams.at(0)->header.length, 30000u);
  if (test::HaveProgram("ffprobe") && test::HaveProgram("ffmpeg")) {
    const auto probe = Probe(Path("odml.avi"));
    ASSERT_EQ(probe.size(), 3u);
    EXPECT_THAT(probe[1], HasSubstr("nb_read_frames=60"));
    EXPECT_EQ(DecodeErrors(Path("odml.avi")), "");
  }

  // More segments than the super indexes hold: the file stops growing and
  // what it holds stays readable.
  layout.max_segments = 2;
  auto full = AviWriter::Open(Path("full.avi"), 100000.0, 25, nullptr, layout);
  AviResult result = AVIERR_OK;
  std::size_t written = 0;
  while (written < 60 && (result = full->AddFrame(frame)) == AVIERR_OK) ++written;
  EXPECT_EQ(result, AVIERR_FILEWRITE);
  EXPECT_EQ(AviWriter::Close(std::move(full)), AVIERR_OK);
  EXPECT_EQ(ReadBack("full.avi").streams.at(0)->chunks.size(), written);
}

}  // namespace
}  // namespace sf
