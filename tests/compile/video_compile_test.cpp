// The MP4 and WebM compiles on small frames: the frames and texts the AVI
// compile would give, Stop, the encoding choice, and every way they end early
// with the old output kept. ffprobe and ffmpeg read the files back.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <random>

#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

bool HaveFfmpeg() { return test::HaveProgram("ffprobe") && test::HaveProgram("ffmpeg"); }

std::string Probe(const std::string& path, const std::string& stream, const std::string& entries) {
  std::string out;
  test::RunCommand("ffprobe -v error -count_frames -select_streams " + stream + " -show_entries stream=" + entries +
                       " -of default=nw=1:nk=1 '" + path + "'",
                   &out);
  return out;
}

std::string DecodeErrors(const std::string& path) {
  std::string errors;
  test::RunCommand("ffmpeg -v error -xerror -i '" + path + "' -f null - 2>&1", &errors);
  return errors;
}

void AddSoundTrack(CompileRig& rig, double seconds) {
  rig.settings.include_audio = true;
  rig.settings.audio_path = rig.Path("tone.wav");
  const std::vector<std::uint8_t> wav = test::MakeWav(1, 8000, 16, static_cast<std::uint32_t>(seconds * 16000));
  WriteWholeFile(rig.settings.audio_path, std::string(wav.begin(), wav.end()));
}

class FixedEncoding final : public EncodingChooser {
 public:
  explicit FixedEncoding(std::optional<VideoEncoding> answer) : m_answer(answer) {}
  std::optional<VideoEncoding> Choose(VideoCodec codec, const VideoEncoding& current) override {
    asked.emplace_back(codec, current);
    return m_answer;
  }
  std::vector<std::pair<VideoCodec, VideoEncoding>> asked;

 private:
  std::optional<VideoEncoding> m_answer;
};

// Grain no encoder can shrink much, so a few frames make a file of some size.
Bitmap Grain(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<std::uint8_t>(random());
      picture.SetPixelColor(x, y, Rgb{v, static_cast<std::uint8_t>(v * 7), static_cast<std::uint8_t>(v * 13)});
    }
  return picture;
}

TEST(VideoCompile, WritesTheAviCompilesFramesWithItsTexts) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  for (const char* name : {"out.mp4", "out.WebM"}) {
    CompileRig rig;
    rig.settings.repeat_value = 1.5;  // 1, 2, 1 frames
    rig.settings.frames_per_second = 29.97;
    rig.AddPicture("a.bmp", test::MakeGradient(40, 17), "1<Invert Colors=1>");
    rig.AddPicture("b.bmp", test::MakeGradient(9, 50, PixelFormat::kBits8));
    rig.AddPicture("a.bmp", {});
    AddSoundTrack(rig, 1.0);
    rig.settings.output_path = rig.Path("out.avi");
    const CompileResult avi = rig.Run();

    rig.progress = {};
    rig.settings.output_path = rig.Path(name);
    const CompileResult result = rig.Run();
    SCOPED_TRACE(name);
    ASSERT_EQ(result.outcome, CompileOutcome::kCompleted);
    EXPECT_EQ(result.frames_written, 4);
    EXPECT_EQ(result.frames_written, avi.frames_written);
    const bool mp4 = name == std::string("out.mp4");
    EXPECT_EQ(Probe(rig.settings.output_path, "v", "codec_name,pix_fmt,r_frame_rate,nb_read_frames"),
              std::string(mp4 ? "h264" : "vp9") + "\nyuv420p\n30000/1001\n4\n");
    EXPECT_EQ(Probe(rig.settings.output_path, "a", "codec_name"), mp4 ? "aac\n" : "opus\n");
    EXPECT_EQ(DecodeErrors(rig.settings.output_path), "");
    EXPECT_TRUE(rig.reporter.Errors().empty());
    const std::vector<std::string>& texts = rig.progress.progress_texts;
    EXPECT_NE(std::find(texts.begin(), texts.end(), mp4 ? "0% - Creating MP4" : "0% - Creating WebM"), texts.end());
    EXPECT_EQ(rig.progress.progress_texts.back(), "100% - Complete - 4 of 4 total frames.");
    EXPECT_EQ(rig.progress.title, "100% Slideforge");
    EXPECT_EQ(rig.progress.remembered, "Process completed successfuly.");
    const std::vector<std::string>& messages = rig.progress.messages;
    EXPECT_NE(std::find(messages.begin(), messages.end(), "Adding audio file..."), messages.end());
    EXPECT_NE(std::find(messages.begin(), messages.end(), "Compiling images..."), messages.end());
    EXPECT_EQ(rig.host.entered, 2);
    EXPECT_EQ(rig.host.left, 2);
    EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));
  }
}

TEST(VideoCompile, StopLeavesAPlayableShorterFile) {
  if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg not installed";
  for (const char* name : {"out.mp4", "out.webm"}) {
    CompileRig rig;
    for (int i = 0; i < 4; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
    rig.settings.repeat_value = 2;
    rig.settings.output_path = rig.Path(name);
    AddSoundTrack(rig, 0.5);
    test::StopAfterFrames after_frames(3);
    const CompileResult result = rig.Run(after_frames);
    SCOPED_TRACE(name);
    EXPECT_EQ(result.outcome, CompileOutcome::kStopped);
    EXPECT_EQ(result.frames_written, 3);
    EXPECT_EQ(after_frames.remembered, "Process stopped by user.");
    EXPECT_EQ(Probe(rig.settings.output_path, "v", "nb_read_frames"), "3\n");
    EXPECT_NE(Probe(rig.settings.output_path, "a", "codec_name"), "") << "the sound track is kept whole";
    EXPECT_EQ(DecodeErrors(rig.settings.output_path), "");
  }
}

// The choice is asked with the settings' encoding and replaces it; a cancel
// stops before anything is written.
TEST(VideoCompile, AsksForTheEncodingOnTheFirstFrame) {
  CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.output_path = rig.Path("out.webm");
  rig.settings.video_encoding = {25, 2};
  FixedEncoding chosen(VideoEncoding{40, 7});
  rig.encoding_chooser = &chosen;
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  ASSERT_EQ(chosen.asked.size(), 1u);
  EXPECT_EQ(chosen.asked[0].first, VideoCodec::kVp9);
  EXPECT_EQ(chosen.asked[0].second, (VideoEncoding{25, 2}));
  EXPECT_EQ(rig.settings.video_encoding, (VideoEncoding{40, 7}));

  WriteWholeFile(rig.settings.output_path, "old video");
  FixedEncoding cancelled(std::nullopt);
  rig.encoding_chooser = &cancelled;
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kStopped);
  EXPECT_EQ(rig.progress.remembered, "Process stopped by user.");
  EXPECT_EQ(ReadWholeFile(rig.settings.output_path).size(), 9u);
  EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));
}

// The library's own reason first, then the compile's message; the old file stays.
TEST(VideoCompile, AFileThatCannotBeCreatedKeepsTheOldOne) {
  CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.output_path = rig.Path("out.mp4");
  WriteWholeFile(rig.settings.output_path, "old video");
  std::filesystem::create_directory(rig.settings.output_path + ".part");
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kFailed);
  const std::vector<std::string> errors = rig.reporter.Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "Unable to create " + rig.settings.output_path + ".part: Is a directory");
  EXPECT_EQ(errors[1], "Error creating MP4 file. Please make sure file name is not already in use by another program.");
  EXPECT_EQ(rig.progress.progress_texts.back(), "0% - Creating MP4 - ERROR.");
  EXPECT_EQ(rig.progress.remembered, "Preparing MP4 file... - ERROR. Unable to create MP4 file.");
  EXPECT_EQ(ReadWholeFile(rig.settings.output_path).size(), 9u);
  EXPECT_EQ(rig.host.left, 1);
}

// A write that fails half-way (here the file size limit) takes the failure
// path; the file being written goes and the old one stays.
TEST(VideoCompile, AWriteThatFailsKeepsTheOldFile) {
  CompileRig rig;
  rig.settings.frame_width = 320;
  rig.settings.frame_height = 240;
  rig.settings.repeat_value = 20;
  for (unsigned i = 0; i < 4; ++i) rig.AddPicture("grain" + std::to_string(i) + ".bmp", Grain(320, 240, i));
  rig.settings.output_path = rig.Path("out.mp4");
  WriteWholeFile(rig.settings.output_path, "old video");

  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = old_limit;
  limit.rlim_cur = 64 * 1024;
  setrlimit(RLIMIT_FSIZE, &limit);
  const CompileResult result = rig.Run();
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(result.outcome, CompileOutcome::kFailed);
  const std::vector<std::string> errors = rig.reporter.Errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_NE(errors[0].find("File too large"), std::string::npos) << errors[0];
  EXPECT_EQ(errors[1], "Error compiling MP4 file. Please make sure that the sound file is a valid PCM WAV file and "
                       "that the image files are valid. \n- SaveAsVideo()");
  EXPECT_EQ(rig.progress.remembered, "Error compiling MP4. Please make sure sound and image files are valid.");
  EXPECT_TRUE(rig.progress.progress_texts.back().ends_with(" - ERROR")) << rig.progress.progress_texts.back();
  EXPECT_EQ(ReadWholeFile(rig.settings.output_path).size(), 9u);
  EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));
  EXPECT_EQ(rig.host.left, 1);
}

TEST(VideoCompile, AskedToDropABadSoundTrack) {
  for (const bool go_on : {false, true}) {
    CompileRig rig;
    rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
    rig.settings.output_path = rig.Path("out.webm");
    WriteWholeFile(rig.settings.output_path, "old video");
    rig.settings.include_audio = true;
    rig.settings.audio_path = rig.Path("bad.wav");
    WriteWholeFile(rig.settings.audio_path, "RIFF....WAVE not really");
    rig.reporter.answers = {true, go_on};  // overwrite, then go on without the sound
    const CompileResult result = rig.Run();
    EXPECT_EQ(rig.reporter.Texts(),
              (std::vector<std::string>{"Output file name already exists. Overwrite?",
                                        "WAV file is shorter than its 44-byte header",
                                        "Error adding WAV file. Please make sure that the audio file is a valid PCM "
                                        "WAV file. \n- CompileBtnClick()\n\n Do you wish to continue without audio?"}));
    EXPECT_EQ(result.outcome, go_on ? CompileOutcome::kCompleted : CompileOutcome::kFailed);
    if (go_on) {
      EXPECT_GT(ReadWholeFile(rig.settings.output_path).size(), 9u);
      continue;
    }
    EXPECT_EQ(rig.progress.remembered, "Error compiling WebM. Stopped due to invalid WAV audio file.");
    EXPECT_EQ(rig.progress.progress_texts.back(), "0% - Creating WebM - ERROR");
    EXPECT_EQ(ReadWholeFile(rig.settings.output_path).size(), 9u) << "nothing was worth keeping";
    EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));
  }
}

TEST(VideoCompile, RefusesSizesAndRatesTheFormatCannotHave) {
  CompileRig rig;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  rig.settings.output_path = rig.Path("out.mp4");
  rig.settings.frame_width = 33;
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kRefused);
  rig.settings.frame_width = 32;
  rig.settings.output_path = rig.Path("out.webm");
  rig.settings.frames_per_second = 1200;
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kRefused);
  rig.settings.frames_per_second = 0.0001;
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kRefused);
  EXPECT_EQ(rig.reporter.Errors(),
            (std::vector<std::string>{
                "An MP4 video needs an even frame width and height; 33 x 24 cannot be used.",
                "The frame rate is too high for a WebM video, which can play at most 1000 frames per second.",
                "The frame rate is too low for a WebM video, which needs at least 0.001 frames per second."}));
  EXPECT_EQ(rig.host.entered, 0);
}

}  // namespace
}  // namespace sf
