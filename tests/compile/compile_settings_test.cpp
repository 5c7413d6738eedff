#include "compile/compile_settings.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/file_util.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

TEST(CompileSettings, StartValuesAndPresets) {
  const CompileSettings settings;
  EXPECT_EQ(settings.background_picture.Width(), 5);
  EXPECT_EQ(settings.background_picture.PixelColor(4, 4), (Rgb{0, 0, 0}));
  EXPECT_EQ(settings.audio_path, "(none)");
  EXPECT_EQ(DefaultOutputPath("/home/ann/Documents/"), "/home/ann/Documents/output.avi");

  const auto presets = MediaTypePresets();
  ASSERT_EQ(presets.size(), 9u);
  EXPECT_STREQ(presets[kDefaultMediaType].text, "DVD NTSC 720 x 480");
  EXPECT_STREQ(presets[2].text, "VCD PAL 352 x 240");
  EXPECT_EQ(presets[2].height, 240);
  EXPECT_EQ(presets[7].frames_per_second, 60.0);
  EXPECT_EQ(PixelFormatForIndex(0), PixelFormat::kBits8);
  EXPECT_EQ(PixelFormatForIndex(1), PixelFormat::kBits24);
}

TEST(CompileSettings, OutputKindAndChosenNames) {
  EXPECT_TRUE(IsAviOutput("/v/Holiday.AVI"));
  EXPECT_TRUE(IsAviOutput("/v/holidayavi")) << "the test looks at the last three letters only";
  EXPECT_FALSE(IsAviOutput("/v/holiday.gif"));

  OutputChoice mpg = ChooseOutputFile("/v/clip.mpg", OutputFileType::kAvi);
  EXPECT_EQ(mpg.path, "/v/clip.avi");
  EXPECT_EQ(mpg.kind, OutputFileType::kAvi);
  EXPECT_EQ(ChooseOutputFile("/v/clip.AVI", OutputFileType::kAvi).path, "/v/clip.AVI");
  EXPECT_EQ(ChooseOutputFile("/v/clip.avi", OutputFileType::kGif).path, "/v/clip.gif");

  OutputChoice bare = ChooseOutputFile("/v/clip", OutputFileType::kAvi);
  EXPECT_EQ(bare.path, "/v/clip");
  EXPECT_FALSE(bare.kind) << "the controls stay as they were";
  EXPECT_FALSE(IsAviOutput(bare.path)) << "and it compiles as an animated GIF";

  // A dot in a folder name is no extension.
  EXPECT_EQ(ChooseOutputFile("/v/my.films/clip", OutputFileType::kAvi).path, "/v/my.films/clip");
}

TEST(CompileSettings, BackgroundPictureChoice) {
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/back.bmp";
  WriteWholeFile(path, "x");
  const auto loader = [](const std::string&) { return test::MakeSolid(3, 2, Rgb{9, 9, 9}); };

  CompileSettings settings;
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  EXPECT_TRUE(ApplyBackgroundPicture(path, settings, loader, reporter, progress));
  EXPECT_EQ(settings.background_picture.Width(), 3);
  EXPECT_EQ(settings.background_path, path);
  EXPECT_EQ(progress.remembered, "Background picture loaded.");

  const std::string missing = dir + "/gone.bmp";
  EXPECT_TRUE(ApplyBackgroundPicture(missing, settings, loader, reporter, progress));
  EXPECT_EQ(reporter.Texts().back(),
            "Background picture not found:\n" + missing + "\nBackground file path has been removed from project.");
  EXPECT_EQ(settings.background_path, "");
  EXPECT_EQ(settings.background_picture.Width(), 3) << "the picture held so far stays";
  EXPECT_EQ(progress.remembered, "Background picture not found.");

  const auto failing = [](const std::string&) -> Bitmap { throw std::runtime_error("Bad BMP header"); };
  reporter.entries.clear();
  EXPECT_FALSE(ApplyBackgroundPicture(path, settings, failing, reporter, progress));
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Bad BMP header", "Error loading background picture."}));
  EXPECT_EQ(progress.remembered, "Error loading background picture.");
}

}  // namespace
}  // namespace sf
