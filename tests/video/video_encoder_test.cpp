// The MP4 and WebM encoder session, its files read back by ffprobe and ffmpeg:
// streams, exact frame rate, frame count, pixels (row order and colour order),
// the sound track's length, the cost of a repeated picture, and its refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "common/format_error.h"
#include "image/bitmap.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "video/video_session.h"
#include "video/video_encoder.h"

namespace sf {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

bool HaveFfmpeg() { return test::HaveProgram("ffprobe") && test::HaveProgram("ffmpeg"); }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string Probe(const std::string& path, const std::string& stream, const std::string& entries) {
  std::string out;
  test::RunCommand("ffprobe -v error -count_frames -select_streams " + stream + " -show_entries stream=" + entries +
                       " -of default=nw=1:nk=1 " + Quoted(path),
                   &out);
  return out;
}

// Every video frame as rgb24 bytes, top row first.
std::string DecodedFrames(const std::string& path) {
  std::string out;
  test::RunCommand("ffmpeg -v error -i " + Quoted(path) + " -map 0:v -f rawvideo -pix_fmt rgb24 -", &out);
  return out;
}

// The sound track's length in seconds, as decoded at 48 kHz.
double DecodedSeconds(const std::string& path) {
  std::string out;
  test::RunCommand("ffmpeg -v error -i " + Quoted(path) + " -map 0:a -f s16le -ac 1 -ar 48000 - | wc -c", &out);
  return std::atof(out.c_str()) / 2.0 / 48000.0;
}

// The mean difference per channel between a decoded frame and the picture.
double MeanDifference(const std::string& frames, int k, const Bitmap& picture) {
  const std::size_t frame_bytes = static_cast<std::size_t>(kWidth) * kHeight * 3;
  if (frames.size() < (static_cast<std::size_t>(k) + 1) * frame_bytes) return 1e9;
  const auto* decoded = reinterpret_cast<const std::uint8_t*>(frames.data()) + static_cast<std::size_t>(k) * frame_bytes;
  double sum = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb want = picture.PixelColor(x, y);
      const std::uint8_t* got = decoded + (static_cast<std::size_t>(y) * kWidth + x) * 3;
      sum += std::abs(got[0] - want.r) + std::abs(got[1] - want.g) + std::abs(got[2] - want.b);
    }
  }
  return sum / (kWidth * kHeight * 3);
}

// Two colours, one above the other: a frame stored upside down or as RGB for
// BGR shows at once. Large areas keep the loss of yuv420p's halved colour small.
Bitmap TopOverBottom(Rgb top, Rgb bottom, PixelFormat format = PixelFormat::kBits24) {
  Bitmap picture(kWidth, kHeight);
  picture.Fill(bottom);
  for (int y = 0; y < kHeight / 2; ++y)
    for (int x = 0; x < kWidth; ++x) picture.SetPixelColor(x, y, top);
  picture.SetPixelFormat(format);
  return picture;
}

std::string WriteWav(const std::string& dir, int channels, int rate, int bits, double seconds) {
  const auto bytes = static_cast<std::uint32_t>(seconds * rate) * static_cast<std::uint32_t>(channels * bits / 8);
  const std::vector<std::uint8_t> wav = test::MakeWav(channels, rate, bits, bytes);
  const std::string path = dir + "/sound-" + std::to_string(channels) + "-" + std::to_string(bits) + ".wav";
  WriteWholeFile(path, std::string(wav.begin(), wav.end()));
  return path;
}

struct Kind {
  VideoCodec codec;
  const char* video_codec;
  const char* audio_codec;
};
constexpr Kind kKinds[] = {{VideoCodec::kH264, "h264", "aac"}, {VideoCodec::kVp9, "vp9", "opus"}};

TEST(VideoEncoder, WritesFramesAndSoundThatFfmpegReadsBack) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  const std::string dir = test::MakeTempDir();
  const Bitmap pictures[] = {TopOverBottom(Rgb{220, 40, 30}, Rgb{30, 30, 200}),
                             TopOverBottom(Rgb{30, 30, 200}, Rgb{40, 200, 60}),
                             TopOverBottom(Rgb{255, 255, 0}, Rgb{0, 0, 0}, PixelFormat::kBits8)};
  const std::string wav = WriteWav(dir, 2, 44100, 16, 0.5);
  for (const Kind& kind : kKinds) {
    const std::string path = dir + "/show" + VideoFileKind(kind.codec);
    {
      VideoEncoder video(path, {kind.codec, kWidth, kHeight, VideoFrameRate(29.97), {}});
      video.SetSoundTrack(wav);
      video.AddFrame(pictures[0]);
      video.RepeatFrame();
      video.RepeatFrame();
      video.AddFrame(pictures[1]);
      video.AddFrame(pictures[2]);
      video.RepeatFrame();
      EXPECT_EQ(video.FramesWritten(), 6);
      video.Finish();
    }
    SCOPED_TRACE(path);
    EXPECT_EQ(Probe(path, "v", "codec_name,pix_fmt,r_frame_rate,nb_read_frames"),
              std::string(kind.video_codec) + "\nyuv420p\n30000/1001\n6\n");
    if (kind.codec == VideoCodec::kH264) {
      EXPECT_EQ(Probe(path, "v", "profile"), "High\n");
    }
    EXPECT_EQ(Probe(path, "a", "codec_name,sample_rate,channels"), std::string(kind.audio_codec) + "\n48000\n2\n");
    std::string errors;
    test::RunCommand("ffmpeg -v error -xerror -i " + Quoted(path) + " -f null - 2>&1", &errors);
    EXPECT_EQ(errors, "");
    EXPECT_NEAR(DecodedSeconds(path), 0.5, 0.025) << "the sound is whole, though the video is 0.2 s";

    const std::string frames = DecodedFrames(path);
    const int shown[] = {0, 0, 0, 1, 2, 2};
    for (int k = 0; k < 6; ++k) {
      EXPECT_LT(MeanDifference(frames, k, pictures[shown[k]]), 4.0) << "frame " << k;
    }
    EXPECT_GT(MeanDifference(frames, 0, pictures[1]), 40.0) << "the check tells pictures apart";
  }
}

// An unchanged frame is a skipped one: a picture shown for 250 frames takes
// little more room than one shown once.
TEST(VideoEncoder, RepeatedPicturesCostAlmostNothing) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  const std::string dir = test::MakeTempDir();
  for (const Kind& kind : kKinds) {
    std::uintmax_t sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
      const std::string path = dir + "/repeat" + std::to_string(i) + VideoFileKind(kind.codec);
      VideoEncoder video(path, {kind.codec, kWidth, kHeight, VideoFrameRate(25), {}});
      video.AddFrame(test::MakeGradient(kWidth, kHeight));
      for (int k = 1; k < (i == 0 ? 1 : 250); ++k) video.RepeatFrame();
      video.Finish();
      sizes[i] = std::filesystem::file_size(path);
    }
    EXPECT_LT((sizes[1] - sizes[0]) / 249.0, 40.0) << VideoFileKind(kind.codec) << ": " << sizes[0] << " then "
                                                    << sizes[1] << " bytes";
  }
}

TEST(VideoEncoder, EveryPcmLayoutBecomesOneTrackOfItsLength) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  const std::string dir = test::MakeTempDir();
  struct Layout {
    int channels, rate, bits;
    const char* channels_out;
  };
  for (const Layout layout : {Layout{1, 11025, 8, "1"}, Layout{2, 48000, 24, "2"}, Layout{6, 22050, 16, "2"},
                              Layout{2, 8000, 32, "2"}}) {
    const std::string path = dir + "/layout.mp4";
    VideoEncoder video(path, {VideoCodec::kH264, kWidth, kHeight, VideoFrameRate(25), {}});
    video.SetSoundTrack(WriteWav(dir, layout.channels, layout.rate, layout.bits, 0.75));
    video.AddFrame(test::MakeGradient(kWidth, kHeight));
    video.Finish();
    SCOPED_TRACE(std::to_string(layout.channels) + " channels of " + std::to_string(layout.bits) + " bits");
    EXPECT_EQ(Probe(path, "a", "channels"), std::string(layout.channels_out) + "\n");
    EXPECT_NEAR(DecodedSeconds(path), 0.75, 0.025);
  }
}

TEST(VideoEncoder, ASoundTrackItCannotUseLeavesTheVideoWithout) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  const std::string dir = test::MakeTempDir();
  std::vector<std::uint8_t> adpcm = test::MakeWav(1, 8000, 4, 4000);
  adpcm[20] = 2;  // Microsoft ADPCM
  WriteWholeFile(dir + "/adpcm.wav", std::string(adpcm.begin(), adpcm.end()));
  WriteWholeFile(dir + "/short.wav", "RIFF");
  const std::string path = dir + "/silent.webm";
  VideoEncoder video(path, {VideoCodec::kVp9, kWidth, kHeight, VideoFrameRate(25), {}});
  EXPECT_THROW(video.SetSoundTrack(dir + "/adpcm.wav"), FormatError);
  EXPECT_THROW(video.SetSoundTrack(dir + "/short.wav"), FormatError);
  EXPECT_THROW(video.SetSoundTrack(dir + "/missing.wav"), std::runtime_error);
  video.AddFrame(test::MakeGradient(kWidth, kHeight));
  EXPECT_THROW(video.SetSoundTrack(WriteWav(dir, 1, 8000, 16, 0.1)), VideoError) << "too late after a frame";
  video.Finish();
  EXPECT_EQ(Probe(path, "v", "nb_read_frames"), "1\n");
  EXPECT_EQ(Probe(path, "a", "codec_name"), "");
}

TEST(VideoEncoder, RefusesWhatItCannotWriteWithTheLibrarysReason) {
  const std::string dir = test::MakeTempDir();
  try {
    VideoEncoder video(dir + "/odd.mp4", {VideoCodec::kH264, 33, 24, VideoFrameRate(25), {}});
    ADD_FAILURE() << "an odd width was taken";
  } catch (const VideoError& refusal) {
    EXPECT_NE(std::string(refusal.what()).find("even width and height"), std::string::npos) << refusal.what();
  }
  try {
    VideoEncoder video(dir + "/no/such/folder/show.mp4", {VideoCodec::kH264, kWidth, kHeight, VideoFrameRate(25), {}});
    ADD_FAILURE() << "a file in a missing folder was created";
  } catch (const VideoError& refusal) {
    EXPECT_EQ(std::string(refusal.what()),
              "Unable to create " + dir + "/no/such/folder/show.mp4: " + std::string(std::strerror(ENOENT)));
  }
  VideoEncoder video(dir + "/wrong.webm", {VideoCodec::kVp9, kWidth, kHeight, VideoFrameRate(25), {}});
  EXPECT_THROW(video.RepeatFrame(), VideoError) << "nothing to repeat yet";
  EXPECT_THROW(video.AddFrame(test::MakeGradient(kWidth + 2, kHeight)), VideoError);
  video.AddFrame(test::MakeGradient(kWidth, kHeight));
  video.Finish();
  EXPECT_THROW(video.RepeatFrame(), VideoError) << "the file is complete";
}

}  // namespace
}  // namespace sf
