#include "tools/conversion_resize.h"

#include <gtest/gtest.h>

#include "image/resize.h"
#include "support/pictures.h"

namespace sf {
namespace {

TEST(ConversionResize, AspectSizesTruncateTheExtendedProducts) {
  struct Row {
    int width, height, target_width, target_height, aspect;
    PictureSize expected;
  };
  const std::vector<Row> rows = {
      {1000, 500, 640, 480, kAspectMaintain, {640, 320}},
      // 480 / 1000 as a double lies just below 0.48.
      {500, 1000, 640, 480, kAspectMaintain, {239, 480}},
      {800, 600, 640, 480, kAspectMaintain, {640, 480}},
      // 480 / 500 as a double lies just below 0.96.
      {1000, 500, 640, 480, kAspectFitHeight, {959, 480}},
      {1000, 500, 640, 480, kAspectFitWidth, {640, 320}},
      {500, 1000, 640, 480, kAspectFitWidth, {640, 1280}},
      {1000, 500, 640, 480, kAspectStretch, {640, 480}},
      {3, 7, 1, 1, kAspectMaintain, {0, 1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height) + " aspect " +
                 std::to_string(row.aspect));
    EXPECT_EQ(AspectSize(row.width, row.height, row.target_width, row.target_height, row.aspect), row.expected);
  }
}

TEST(ConversionResize, KeepsThePicturesOwnFormat) {
  Bitmap paletted = test::MakeGradient(31, 17, PixelFormat::kBits8);
  const std::vector<Rgb> palette = paletted.Palette();
  ASSERT_TRUE(ResizeForConversion(paletted, 10, 10, kAspectMaintain, ResizeMethod::kSmooth));
  EXPECT_EQ(paletted.Width(), 10);
  EXPECT_EQ(paletted.Height(), 5);
  EXPECT_EQ(paletted.Format(), PixelFormat::kBits8);
  EXPECT_EQ(paletted.Palette(), palette);

  // The smooth resize of a 24-bit picture is exactly the shared bilinear routine.
  const Bitmap source = test::MakeGradient(47, 33);
  Bitmap resized = source;
  ASSERT_TRUE(ResizeForConversion(resized, 20, 20, kAspectStretch, ResizeMethod::kSmooth));
  Bitmap expected(20, 20);
  ResizeSmooth(source, expected);
  EXPECT_EQ(test::FirstDifference(resized, expected), "");
}

TEST(ConversionResize, RefusesWhatCannotBeResized) {
  Bitmap empty;
  EXPECT_FALSE(ResizeForConversion(empty, 10, 10, kAspectStretch, ResizeMethod::kStandard));
  // A side that truncates to 0 leaves the picture untouched.
  Bitmap thin = test::MakeGradient(3, 7);
  EXPECT_FALSE(ResizeForConversion(thin, 1, 1, kAspectMaintain, ResizeMethod::kStandard));
  EXPECT_EQ(thin.Width(), 3);
  // Far beyond the bitmap ceiling.
  Bitmap small = test::MakeGradient(2, 2);
  EXPECT_FALSE(ResizeForConversion(small, 9999999, 9999999, kAspectStretch, ResizeMethod::kStandard));
  EXPECT_EQ(small.Width(), 2);
}

}  // namespace
}  // namespace sf
