// slideforge extract-gif, run as a separate program: the composed frames of
// corpus animations against ImageMagick's, reverse numbering, and the exit
// status with the messages of each kind of failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"

namespace sf {
namespace {

int RunExtract(const std::string& arguments, std::string* output) {
  return test::RunCommand("'" + test::SlideforgeBinary() + "' extract-gif " + arguments + " 2>&1", output);
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

Bitmap ReadFrame(const std::string& path) { return ReadBmp(ReadWholeFile(path)); }

// The frame files name/0.bmp ... as the command writes them for a count of frames.
std::string FramePath(const std::string& base, int k, int frames) {
  std::string number = std::to_string(k);
  const std::size_t width = std::to_string(frames > 1 ? frames - 1 : 0).size();
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return base + number + ".bmp";
}

class ExtractGifCommand : public ::testing::Test {
 protected:
  void SetUp() override { m_dir = test::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string m_dir;
};

// Animations whose frames all keep the previous picture and share the global
// table: drawn on top, every frame equals ImageMagick's coalesced frame wherever
// that frame is opaque (the first frame's transparent pixels show its table
// colour here, and nothing there).
TEST_F(ExtractGifCommand, OnTopMatchesImageMagicksCoalescedFrames) {
  if (!test::HaveProgram("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  const std::vector<std::pair<std::string, int>> animations = {{"giflib/sample_2_animation.gif", 3},
                                                               {"giflib/fire.gif", 33},
                                                               {"misc/gen-gifsicle-optimized-subrect.gif", 8},
                                                               {"pillow/chi.gif", 31}};
  int checked = 0;
  for (const auto& [name, frames] : animations) {
    const auto path = test::CorpusPath("gif/" + name);
    if (!path) continue;
    SCOPED_TRACE(name);
    const std::string ours = m_dir + "/" + std::to_string(checked) + "-";
    std::string output;
    ASSERT_EQ(RunExtract(Quoted(*path) + " " + Quoted(ours) + " --method top", &output), 0) << output;
    EXPECT_EQ(output, "Frames Processed/Percent: " + std::to_string(frames) + " / 100%\n");
    const std::string theirs = m_dir + "/im" + std::to_string(checked) + "-%d.rgba";
    ASSERT_EQ(test::RunCommand("convert " + Quoted(*path) + " -coalesce +adjoin -depth 8 " + Quoted(theirs)), 0);
    for (int k = 0; k < frames; ++k) {
      const Bitmap frame = ReadFrame(FramePath(ours, k, frames));
      const auto rgba = ReadWholeFile(m_dir + "/im" + std::to_string(checked) + "-" + std::to_string(k) + ".rgba");
      ASSERT_EQ(rgba.size(), 4u * frame.Width() * frame.Height()) << k;
      int differing = 0;
      for (int y = 0; y < frame.Height(); ++y) {
        for (int x = 0; x < frame.Width(); ++x) {
          const std::uint8_t* p = &rgba[4 * (static_cast<std::size_t>(y) * frame.Width() + x)];
          if (p[3] == 0) continue;
          differing += frame.PixelColor(x, y) == Rgb{p[0], p[1], p[2]} ? 0 : 1;
        }
      }
      EXPECT_EQ(differing, 0) << "frame " << k;
    }
    ++checked;
  }
  if (checked == 0) GTEST_SKIP() << "corpus not present";
}

TEST_F(ExtractGifCommand, ReverseNumbersTheFilesBackwardsOverTheRange) {
  const auto path = test::CorpusPath("gif/giflib/sample_2_animation.gif");
  if (!path) GTEST_SKIP() << "corpus not present";
  std::string output;
  ASSERT_EQ(RunExtract(Quoted(*path) + " " + Quoted(m_dir + "/f"), &output), 0) << output;
  ASSERT_EQ(RunExtract(Quoted(*path) + " " + Quoted(m_dir + "/r") + " --from 2 --to 3 --reverse", &output), 0);
  EXPECT_EQ(output, "Frames Processed/Percent: 2 / 100%\n");
  EXPECT_FALSE(FileExists(m_dir + "/r0.bmp"));
  EXPECT_EQ(ReadWholeFile(m_dir + "/r2.bmp"), ReadWholeFile(m_dir + "/f1.bmp"));
  EXPECT_EQ(ReadWholeFile(m_dir + "/r1.bmp"), ReadWholeFile(m_dir + "/f2.bmp"));
  EXPECT_NE(ReadWholeFile(m_dir + "/f1.bmp"), ReadWholeFile(m_dir + "/f2.bmp"));
  // The first frame covers the screen: 8-bit files with its table.
  EXPECT_EQ(ReadFrame(m_dir + "/f0.bmp").BitsPerPixel(), 8);
}

TEST_F(ExtractGifCommand, FailuresSayWhyWithTheirStatus) {
  const std::string text = m_dir + "/text.gif";
  WriteWholeFile(text, "not a picture");
  std::string output;
  EXPECT_EQ(RunExtract(Quoted(text) + " " + Quoted(m_dir + "/f"), &output), 1);
  EXPECT_EQ(output, "Invalid GIF signature\nError opening GIF file - LoadGIFBtnClick().\n");
  if (const auto path = test::CorpusPath("gif/giflib/sample_2_animation.gif")) {
    EXPECT_EQ(RunExtract(Quoted(*path) + " " + Quoted(m_dir + "/f") + " --from 2 --to 4", &output), 1);
    EXPECT_EQ(output, "Invalid frame range. - ExtractBtnClick()\n");
    EXPECT_EQ(RunExtract(Quoted(*path) + " " + Quoted(m_dir + "/f") + " --method sideways", &output), 2);
  }
  EXPECT_EQ(RunExtract(Quoted(text), &output), 2);
  EXPECT_EQ(RunExtract("--help", &output), 0);
  EXPECT_NE(output.find("--method top"), std::string::npos);
}

}  // namespace
}  // namespace sf
