// slideforge compile, run as a separate program on projects written here: the
// files it leaves as ffprobe, ffmpeg and ImageMagick read them, and its exit
// status and messages when it cannot compile.
#include <gtest/gtest.h>

#include <sstream>

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
  ProjectRecord record;
};

// rows pictures of 60 x 40 (the BMP written once), at the given rate and frames per picture.
Show MakeShow(int rows, const std::string& frames_per_second, const std::string& repeat) {
  Show show;
  show.dir = test::MakeTempDir();
  WriteBmpFile(test::MakeGradient(60, 40), show.dir + "/a.bmp");
  for (int i = 0; i < rows; ++i) show.record.list.AddPath(show.dir + "/a.bmp");
  show.record.list.SetCell(0, kEffectsColumn, "1<Emboss=1>");
  show.record.frames_per_second = frames_per_second;
  show.record.repeat_value = repeat;
  show.record.frame_width = 96;
  show.record.frame_height = 64;
  show.record.output_path = show.dir + "/show.avi";
  return show;
}

std::string SaveShow(const Show& show) {
  const std::string path = show.dir + "/show.sfg";
  WriteWholeFile(path, FormatProject(show.record));
  return path;
}

int Compile(const std::string& arguments, std::string* output = nullptr) {
  return test::RunCommand("'" + test::SlideforgeBinary() + "' compile " + arguments + " 2>&1 </dev/null", output);
}

std::string Probe(const std::string& entries, const std::string& path) {
  std::string out;
  test::RunCommand("ffprobe -v error -count_packets " + entries + " -of csv=p=0 '" + path + "'", &out);
  return out;
}

TEST(CompileCommand, WritesAnAviThatFfmpegPlaysWhole) {
  if (!test::HaveProgram("ffprobe") || !test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  Show show = MakeShow(5, "29.97", "1.5");  // 1, 2, 1, 2, 1 frames
  show.record.include_audio = true;
  show.record.audio_path = show.dir + "/tone.wav";
  const std::vector<std::uint8_t> wav = test::MakeWav(2, 11025, 8, 11025 * 2);  // one second
  WriteWholeFile(show.record.audio_path, std::string(wav.begin(), wav.end()));
  const std::string project = SaveShow(show);

  std::string output;
  ASSERT_EQ(Compile("'" + project + "' --yes", &output), 0) << output;
  EXPECT_NE(output.find(show.dir + "/show.avi\n"), std::string::npos);
  const std::string avi = show.dir + "/show.avi";
  EXPECT_EQ(Probe("-show_entries format=format_name", avi), "avi\n");
  EXPECT_EQ(Probe("-select_streams v -show_entries stream=codec_name,width,height,r_frame_rate,nb_read_packets", avi),
            "rawvideo,96,64,2996999/100000,7\n");
  EXPECT_EQ(Probe("-select_streams a -show_entries stream=codec_name,sample_rate,channels", avi),
            "pcm_u8,11025,2\n");
  std::string duration;
  test::RunCommand("ffprobe -v error -select_streams a -show_entries packet=duration_time -of csv=p=0 '" + avi + "'",
                   &duration);
  std::istringstream lines(duration);
  double seconds = 0;
  for (double d = 0; lines >> d;) seconds += d;
  EXPECT_NEAR(seconds, 1.0, 1e-4);
  std::string errors;
  EXPECT_EQ(test::RunCommand("ffmpeg -v error -xerror -i '" + avi + "' -f null - 2>&1", &errors), 0);
  EXPECT_EQ(errors, "");

  ASSERT_EQ(Compile("'" + project + "' --yes --codec mjpeg --quality 60", &output), 0) << output;
  EXPECT_EQ(Probe("-select_streams v -show_entries stream=codec_name,nb_read_packets", avi), "mjpeg,7\n");
  EXPECT_EQ(test::RunCommand("ffmpeg -v error -xerror -i '" + avi + "' -f null - 2>&1", &errors), 0);
  EXPECT_EQ(errors, "");
}

TEST(CompileCommand, GifDelaysFollowTheFrameRate) {
  if (!test::HaveProgram("identify")) GTEST_SKIP() << "ImageMagick not installed";
  const std::vector<std::pair<std::string, std::string>> rates = {
      {"15", "6 6 7 7 6 7 7 6 "}, {"24", "4 4 4 4 4 4 5 4 "}, {"30", "3 3 3 4 3 3 4 3 "}, {"150", "0 0 1 0 1 1 0 1 "}};
  for (const auto& [rate, delays] : rates) {
    const Show show = MakeShow(4, rate, "2");
    const std::string gif = show.dir + "/show.gif";
    std::string output;
    ASSERT_EQ(Compile("'" + SaveShow(show) + "' -o '" + gif + "'", &output), 0) << output;
    std::string read;
    ASSERT_EQ(test::RunCommand("identify -format '%T ' '" + gif + "'", &read), 0);
    EXPECT_EQ(read, delays) << rate << " frames per second";
    ASSERT_EQ(test::RunCommand("identify -format '%wx%h\\n' '" + gif + "[0]'", &read), 0);
    EXPECT_EQ(read, "96x64\n");
    if (test::HaveProgram("ffmpeg")) {
      std::string errors;
      EXPECT_EQ(test::RunCommand("ffmpeg -v error -xerror -i '" + gif + "' -f null - 2>&1", &errors), 0);
      EXPECT_EQ(errors, "");
    }
  }
}

// The frame count Chromium's ImageDecoder finds in the GIF, or -1.
int ChromiumFrameCount(const std::string& dir, const std::string& gif) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(gif);
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string base64;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::uint32_t n = (std::uint32_t{bytes[i]} << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                            (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    for (std::size_t k = 0; k < 4; ++k) base64 += i + k <= bytes.size() ? kDigits[(n >> (18 - 6 * k)) & 63] : '=';
  }
  const std::string page = dir + "/count.html";
  WriteWholeFile(page,
                 "<!doctype html><pre id=out>pending</pre><script>(async () => {"
                 "const bytes = Uint8Array.from(atob('" + base64 + "'), c => c.charCodeAt(0));"
                 "const decoder = new ImageDecoder({data: bytes, type: 'image/gif'});"
                 "await decoder.tracks.ready;"
                 "await decoder.completed;"
                 "document.getElementById('out').textContent = 'frames=' + decoder.tracks.selectedTrack.frameCount;"
                 "})();</script>");
  std::string dom;
  test::RunCommand("chromium --headless --no-sandbox --disable-gpu --timeout=8000 --dump-dom 'file://" + page +
                       "' 2>/dev/null",
                   &dom);
  // The text the script left in the element, not the script's own.
  const std::size_t at = dom.find(">frames=");
  return at == std::string::npos ? -1 : std::atoi(dom.c_str() + at + 8);
}

TEST(CompileCommand, OptimisedGifReadsRightInFfprobeImageMagickAndChromium) {
  if (!test::HaveProgram("identify") || !test::HaveProgram("ffprobe")) GTEST_SKIP() << "ImageMagick or ffmpeg missing";
  // Row 0 has its own effect; rows 1 to 3 show the same picture and become one frame.
  Show show = MakeShow(4, "10", "3");
  show.record.avi_output = false;
  const std::string gif = show.dir + "/show.gif";
  std::string output;
  ASSERT_EQ(Compile("'" + SaveShow(show) + "' --yes --gif-optimize -o '" + gif + "'", &output), 0) << output;

  EXPECT_EQ(Probe("-count_frames -show_entries stream=nb_read_frames", gif), "2\n");
  std::string read;
  ASSERT_EQ(test::RunCommand("identify -format '%T %wx%h ' '" + gif + "'", &read), 0);
  EXPECT_EQ(read, "30 96x64 90 96x64 ");
  // The second frame, composed, is the plain picture fitted, up to the colour reduction.
  ASSERT_EQ(test::RunCommand("'" + test::SlideforgeBinary() + "' fit '" + show.dir + "/a.bmp' '" + show.dir +
                                 "/fitted.bmp' --size 96x64 >/dev/null && convert '" + gif + "' -coalesce '" +
                                 show.dir + "/frame%d.png' && compare -metric PSNR '" + show.dir + "/frame1.png' '" +
                                 show.dir + "/fitted.bmp' null: 2>&1",
                             &read),
            1) << read;   // compare answers 1 for pictures that differ
  EXPECT_GT(std::atof(read.c_str()), 30.0) << read;

  if (!test::HaveProgram("chromium")) GTEST_SKIP() << "chromium not installed";
  EXPECT_EQ(ChromiumFrameCount(show.dir, gif), 2);
}

TEST(CompileCommand, ExitStatusAndMessages) {
  const Show show = MakeShow(1, "25", "1");
  const std::string project = SaveShow(show);
  std::string output;
  EXPECT_EQ(Compile("--help", &output), 0);
  EXPECT_NE(output.find("--codec dib|mjpeg"), std::string::npos);
  EXPECT_EQ(Compile("", &output), 2);
  EXPECT_EQ(Compile("'" + project + "' --codec xvid", &output), 2);
  EXPECT_EQ(Compile("'" + project + "' --quality 50", &output), 2);  // a quality needs --codec mjpeg
  EXPECT_EQ(Compile("'" + project + "' --dither none", &output), 2);  // a dither needs --gif-optimize
  EXPECT_EQ(Compile("'" + project + "' --gif-optimize --dither blue", &output), 2);

  EXPECT_EQ(Compile("'" + show.dir + "/none.sfg'", &output), 1);
  EXPECT_EQ(output, "Unable to open project file. Please make sure the disk is accessible.\n");

  // Without --yes and without a terminal the overwrite question is answered No.
  WriteWholeFile(show.dir + "/show.avi", "keep me");
  EXPECT_EQ(Compile("'" + project + "'", &output), 1);
  EXPECT_NE(output.find("Output file name already exists. Overwrite?\n-> No\n"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(show.dir + "/show.avi").size(), 7u);
  EXPECT_EQ(Compile("'" + project + "' --yes", &output), 0) << output;
  EXPECT_GT(ReadWholeFile(show.dir + "/show.avi").size(), 7u);

  // Every picture gone: the list log, the compile's own message, status 1.
  Show gone = MakeShow(1, "25", "1");
  gone.record.list.SetCell(0, kPathColumn, gone.dir + "/missing.bmp");
  EXPECT_EQ(test::RunCommand("cd '" + gone.dir + "' && '" + test::SlideforgeBinary() + "' compile '" +
                                 SaveShow(gone) + "' 2>&1 </dev/null",
                             &output),
            1);
  EXPECT_NE(output.find("AVI Compilation Aborted:"), std::string::npos);
  EXPECT_TRUE(FileExists(gone.dir + "/deleted.log"));
}

// What a compile refuses says so and leaves the files as they were.
TEST(CompileCommand, RefusalsNameTheirReasonAndTouchNothing) {
  Show show = MakeShow(1, "25", "1");
  std::string output;
  const std::string picture = show.dir + "/a.bmp";
  const std::size_t picture_size = ReadWholeFile(picture).size();
  EXPECT_EQ(Compile("'" + SaveShow(show) + "' -o '" + picture + "' --yes", &output), 1);
  EXPECT_EQ(output, "Ready.\nThe output file \"" + picture +
                        "\" is the picture in row 1 of the list. Compiling would write over it; choose another "
                        "output file.\n");
  EXPECT_EQ(ReadWholeFile(picture).size(), picture_size);

  show.record.frames_per_second = "0";
  EXPECT_EQ(Compile("'" + SaveShow(show) + "' --yes", &output), 1);
  EXPECT_NE(output.find("Frames per second must be a valid number greater than zero.\n"), std::string::npos);
  EXPECT_FALSE(FileExists(show.record.output_path));

  // A background that cannot be read fails the compile; it is never "loaded".
  show.record.frames_per_second = "25";
  show.record.background_path = show.dir + "/back.bmp";
  WriteWholeFile(show.record.background_path, "BM no picture");
  EXPECT_EQ(Compile("'" + SaveShow(show) + "' --yes", &output), 1);
  EXPECT_NE(output.find("Error loading background picture."), std::string::npos) << output;
  EXPECT_EQ(output.find("Background picture loaded."), std::string::npos) << output;
  EXPECT_FALSE(FileExists(show.record.output_path));
}

// A project whose rows carry their own display times: ffprobe counts the AVI's
// frames and ImageMagick reads each row's delay.
TEST(CompileCommand, RowsKeepTheirOwnDisplayTimes) {
  if (!test::HaveProgram("identify") || !test::HaveProgram("ffprobe")) GTEST_SKIP() << "ImageMagick or ffmpeg missing";
  Show show = MakeShow(4, "25", "10");
  const char* times[] = {"1", "0.5", "", "0.04"};   // 25, 12, 10 and 1 frames
  for (int row = 0; row < 4; ++row) show.record.list.SetCellAdding(row, kDisplayTimeColumn, times[row]);
  show.record.list.SetCellAdding(2, kMotionColumn, "Zoom In");
  // Different pictures, so that the optimised GIF keeps a frame per row.
  show.record.list.SetCell(1, kEffectsColumn, "1<Invert Colors=1>");
  show.record.list.SetCell(2, kEffectsColumn, "1<Mosaic=4>");
  show.record.list.SetCell(3, kEffectsColumn, "1<Brighter=50>");
  std::string output;
  ASSERT_EQ(Compile("'" + SaveShow(show) + "' --yes", &output), 0) << output;
  EXPECT_EQ(Probe("-select_streams v -show_entries stream=nb_read_packets", show.record.output_path), "48\n");

  const std::string gif = show.dir + "/show.gif";
  ASSERT_EQ(Compile("'" + SaveShow(show) + "' -o '" + gif + "' --gif-optimize", &output), 0) << output;
  std::string read;
  ASSERT_EQ(test::RunCommand("identify -format '%T ' '" + gif + "'", &read), 0);
  // A still row's frames of 4 hundredths merge into one; the zoom's ten frames
  // each move, so each stays.
  EXPECT_EQ(read, "100 48 4 4 4 4 4 4 4 4 4 4 4 ");
}

}  // namespace
}  // namespace sf
