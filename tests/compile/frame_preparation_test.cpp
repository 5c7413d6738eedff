// Preparing a row depends on nothing but the row, the settings and the noise
// generator's state at its start, so rows can be prepared in any order.
#include "compile/frame_preparation.h"

#include <gtest/gtest.h>

#include "compile/compile_settings.h"
#include "effects/noise_random.h"
#include "image/bmp_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

TEST(FramePreparation, TheNoiseStateAtTheRowsStartFixesItsFrame) {
  const std::string path = test::MakeTempDir() + "/a.bmp";
  WriteBmpFile(test::MakeGradient(30, 20), path);
  CompileSettings settings;
  settings.frame_width = 24;
  settings.frame_height = 16;
  settings.pixel_format = PixelFormat::kBits8;
  const FrameRecipe recipe = FrameRecipeFrom(settings);
  test::RecordingReporter reporter;

  const std::uint64_t start = NoiseRandomState();
  const PreparedFrame first = PrepareFrame(path, "1<Noise Color=80>", recipe, start, reporter);
  EXPECT_NE(first.noise_state_after, start);
  const PreparedFrame next = PrepareFrame(path, "1<Noise Color=80>", recipe, first.noise_state_after, reporter);
  EXPECT_FALSE(test::SamePixels(first.frame, next.frame));
  // Replayed from the same state, after other draws, the row comes out the same.
  const PreparedFrame again = PrepareFrame(path, "1<Noise Color=80>", recipe, start, reporter);
  EXPECT_EQ(test::FirstDifference(first.frame, again.frame), "");
  EXPECT_EQ(again.noise_state_after, first.noise_state_after);

  EXPECT_EQ(first.frame.Width(), 24);
  EXPECT_EQ(first.frame.Height(), 16);
  EXPECT_EQ(first.frame.Palette(), DefaultPalette(PixelFormat::kBits8));
  EXPECT_TRUE(first.fitted);
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(FramePreparation, MetafileRowsGiveTheirFittedDrawing) {
  CompileSettings settings;
  settings.frame_width = 160;
  settings.frame_height = 120;
  const FrameRecipe recipe = FrameRecipeFrom(settings);
  for (const char* relative : {"wmf/imagemagick-clock.wmf", "emf/libemf2svg-EA-test-file-101.emf"}) {
    const auto path = test::CorpusPath(relative);
    if (!path) GTEST_SKIP() << "corpus not present";
    test::RecordingReporter reporter;
    const PreparedFrame prepared = PrepareFrame(*path, "", recipe, NoiseRandomState(), reporter);
    EXPECT_TRUE(prepared.fitted) << relative;
    EXPECT_TRUE(reporter.entries.empty()) << relative;

    Bitmap expected;
    LoadImage(expected, *path, reporter);
    ASSERT_FALSE(expected.Empty()) << relative;
    ASSERT_EQ(GetAspectedImage(expected, settings.background_picture, ResizeMethod::kStandard, true, true,
                               PixelFormat::kBits24, 0, 0, 120, 160, reporter),
              0);
    EXPECT_EQ(test::FirstDifference(prepared.frame, expected), "") << relative;
    // The drawing is there, not the black background alone.
    EXPECT_FALSE(test::SamePixels(prepared.frame, test::MakeSolid(160, 120, Rgb{0, 0, 0}))) << relative;
  }
}

}  // namespace
}  // namespace sf
