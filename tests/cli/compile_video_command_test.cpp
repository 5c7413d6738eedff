// slideforge compile to MP4 and WebM, run as a separate program: the files as
// ffprobe and ffmpeg read them, the --quality and --preset options, and the
// files played to their end in a real browser (headless Chromium, skipped when
// it is not installed).
#include <gtest/gtest.h>

#include <filesystem>

#include "avi/wav_fixture.h"
#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "project/project_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

struct Show {
  std::string dir;
  std::string project;
};

// Four pictures at 29.97 frames a second, 1.5 frames each, with a second of sound.
Show MakeShow() {
  Show show;
  show.dir = test::MakeTempDir();
  ProjectRecord record;
  WriteBmpFile(test::MakeGradient(60, 40), show.dir + "/a.bmp");
  WriteBmpFile(test::MakeSolid(30, 50, Rgb{200, 40, 30}), show.dir + "/b.bmp");
  for (int i = 0; i < 4; ++i) record.list.AddPath(show.dir + (i % 2 == 0 ? "/a.bmp" : "/b.bmp"));
  record.frames_per_second = "29.97";
  record.repeat_value = "1.5";
  record.frame_width = 96;
  record.frame_height = 64;
  record.include_audio = true;
  record.audio_path = show.dir + "/tone.wav";
  const std::vector<std::uint8_t> wav = test::MakeWav(2, 22050, 16, 22050 * 4);  // one second
  WriteWholeFile(record.audio_path, std::string(wav.begin(), wav.end()));
  record.output_path = show.dir + "/show.avi";
  show.project = show.dir + "/show.sfg";
  WriteWholeFile(show.project, FormatProject(record));
  return show;
}

int Compile(const std::string& arguments, std::string* output = nullptr) {
  return test::RunCommand("'" + test::SlideforgeBinary() + "' compile " + arguments + " 2>&1 </dev/null", output);
}

std::string Probe(const std::string& entries, const std::string& path) {
  std::string out;
  test::RunCommand("ffprobe -v error -count_frames " + entries + " -of csv=p=0 '" + path + "'", &out);
  return out;
}

TEST(CompileVideoCommand, WritesMp4AndWebmThatFfmpegPlaysWhole) {
  if (!test::HaveProgram("ffprobe") || !test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  const Show show = MakeShow();
  for (const char* name : {"show.mp4", "show.webm"}) {
    const std::string path = show.dir + "/" + name;
    std::string output;
    ASSERT_EQ(Compile("'" + show.project + "' -o '" + path + "' --yes", &output), 0) << output;
    EXPECT_TRUE(output.ends_with(path + "\n")) << output;
    const bool mp4 = name == std::string("show.mp4");
    EXPECT_EQ(Probe("-select_streams v -show_entries stream=codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames",
                    path),
              std::string(mp4 ? "h264" : "vp9") + ",96,64,yuv420p,30000/1001,6\n");
    EXPECT_EQ(Probe("-select_streams a -show_entries stream=codec_name,sample_rate,channels", path),
              std::string(mp4 ? "aac" : "opus") + ",48000,2\n");
    std::string errors;
    EXPECT_EQ(test::RunCommand("ffmpeg -v error -xerror -i '" + path + "' -f null - 2>&1", &errors), 0);
    EXPECT_EQ(errors, "");
  }
}

TEST(CompileVideoCommand, QualityAndPresetFollowTheOutputKind) {
  if (!test::HaveProgram("ffprobe")) GTEST_SKIP() << "ffmpeg not installed";
  const Show show = MakeShow();
  const std::string mp4 = show.dir + "/q.mp4";
  std::string output;
  ASSERT_EQ(Compile("'" + show.project + "' -o '" + mp4 + "' --yes --quality 40 --preset ultrafast", &output), 0)
      << output;
  const auto small = std::filesystem::file_size(mp4);
  ASSERT_EQ(Compile("'" + show.project + "' -o '" + mp4 + "' --yes --quality 5 --preset veryslow", &output), 0)
      << output;
  EXPECT_GT(std::filesystem::file_size(mp4), small) << "a better quality makes a larger file";

  EXPECT_EQ(Compile("'" + show.project + "' -o '" + mp4 + "' --yes --quality 0", &output), 2) << output;
  EXPECT_EQ(Compile("'" + show.project + "' -o '" + mp4 + "' --yes --preset placebo", &output), 2) << output;
  EXPECT_NE(output.find("--preset must be ultrafast"), std::string::npos) << output;
  EXPECT_EQ(Compile("'" + show.project + "' -o '" + mp4 + "' --yes --codec mjpeg", &output), 2) << output;
  EXPECT_EQ(Compile("'" + show.project + "' --yes --preset fast", &output), 2) << "the project's output is an AVI";
  EXPECT_EQ(Compile("'" + show.project + "' --yes --codec mjpeg --quality 90", &output), 0) << output;
  EXPECT_EQ(Compile("--help", &output), 0);
  EXPECT_NE(output.find("--preset P"), std::string::npos);
}

// The page's video must reach its "ended" event: every frame and the sound
// decoded by the browser people watch these files in.
TEST(CompileVideoCommand, ChromiumPlaysBothToTheEnd) {
  if (!test::HaveProgram("chromium") || !test::HaveProgram("python3")) GTEST_SKIP() << "chromium not installed";
  const Show show = MakeShow();
  for (const char* name : {"show.mp4", "show.webm"}) {
    const std::string path = show.dir + "/" + name;
    std::string output;
    ASSERT_EQ(Compile("'" + show.project + "' -o '" + path + "' --yes", &output), 0) << output;
    std::string state;
    const int status =
        test::RunCommand("python3 '" SLIDEFORGE_BROWSER_PLAY "' chromium '" + path + "' 60 2>&1", &state);
    EXPECT_EQ(status, 0) << name << ": " << state;
    EXPECT_TRUE(state.starts_with("ended ")) << name << ": " << state;
    EXPECT_NE(state.find(" 96x64"), std::string::npos) << state;
  }
}

}  // namespace
}  // namespace sf
