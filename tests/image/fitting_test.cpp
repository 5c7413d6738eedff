#include "image/fitting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/halftone_palette.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

struct Worked {
  int sw, sh;       // picture
  int w, h;         // frame
  int bw, bh;       // border percentages
  bool aspect, zoom;
  FitPlacement expected;
};

// Every worked size of the fitting rules; the one-pixel-short results come
// from the extended-precision divisions.
const Worked kWorked[] = {
    {1000, 500, 720, 480, 0, 0, true, true, {720, 360, 0, 60}},
    {800, 600, 720, 480, 0, 0, true, true, {640, 480, 40, 0}},
    {1024, 768, 720, 480, 0, 0, true, true, {639, 479, 40, 0}},
    {1920, 1080, 720, 480, 0, 0, true, true, {720, 405, 0, 37}},
    {320, 240, 720, 480, 0, 0, true, true, {640, 480, 40, 0}},
    {100, 100, 720, 480, 0, 0, true, true, {479, 479, 120, 0}},
    {1000, 500, 720, 480, 10, 5, true, true, {648, 324, 36, 78}},
    {320, 240, 720, 480, 0, 0, true, false, {320, 240, 200, 120}},
    {1000, 300, 720, 480, 0, 0, true, false, {720, 216, 0, 132}},
    {1000, 500, 720, 480, 0, 0, false, true, {720, 480, 0, 0}},
    {100, 100, 720, 480, 0, 0, false, true, {720, 480, 0, 0}},
    {1000, 500, 720, 480, 10, 5, false, true, {648, 456, 36, 12}},
    {4000, 3000, 1280, 720, 0, 0, true, true, {959, 719, 160, 0}},
    {1000, 500, 720, 480, 99, 0, false, true, {7, 480, 356, 0}},
};

std::string Describe(const Worked& row) {
  return std::to_string(row.sw) + "x" + std::to_string(row.sh) + " into " + std::to_string(row.w) + "x" +
         std::to_string(row.h) + " border " + std::to_string(row.bw) + "," + std::to_string(row.bh) +
         (row.aspect ? " aspect" : "") + (row.zoom ? " zoom" : "");
}

// The smallest rectangle holding every pixel of the colour.
FitPlacement BoundsOf(const Bitmap& frame, Rgb color) {
  int left = frame.Width(), top = frame.Height(), right = -1, bottom = -1;
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      if (frame.PixelColor(x, y) != color) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  return {right - left + 1, bottom - top + 1, left, top};
}

void ExpectPlacement(const FitPlacement& actual, const FitPlacement& expected) {
  EXPECT_EQ(actual.width, expected.width);
  EXPECT_EQ(actual.height, expected.height);
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
}

TEST(Fitting, WorkedSizesComeOutExactlyInEveryFrame) {
  Bitmap background(5, 5);
  background.Fill(kBlack);
  for (const Worked& row : kWorked) {
    SCOPED_TRACE(Describe(row));
    ExpectPlacement(ComputeFitPlacement(row.sw, row.sh, row.w, row.h, row.bw, row.bh, row.aspect, row.zoom),
                    row.expected);
    for (const ResizeMethod method : {ResizeMethod::kStandard, ResizeMethod::kSmooth}) {
      for (const PixelFormat depth : {PixelFormat::kBits24, PixelFormat::kBits8}) {
        SCOPED_TRACE(std::string(method == ResizeMethod::kSmooth ? "smooth " : "standard ") +
                     std::to_string(static_cast<int>(depth)) + " bits");
        Bitmap picture = test::MakeSolid(row.sw, row.sh, kRed);
        test::RecordingReporter reporter;
        ASSERT_EQ(GetAspectedImage(picture, background, method, row.zoom, row.aspect, depth, row.bh, row.bw, row.h,
                                   row.w, reporter),
                  0);
        EXPECT_EQ(picture.Width(), row.w);
        EXPECT_EQ(picture.Height(), row.h);
        EXPECT_EQ(picture.Format(), depth);
        ExpectPlacement(BoundsOf(picture, kRed), row.expected);
        if (row.expected.left > 0) {
          EXPECT_EQ(picture.PixelColor(0, row.h / 2), kBlack);
        }
      }
    }
  }
}

TEST(Fitting, EightBitFramesKeepAnEightBitPicturesPaletteElseTakeTheHalftone) {
  Bitmap background(5, 5);
  background.Fill(Rgb{0, 0, 200});
  test::RecordingReporter reporter;

  Bitmap photo = test::MakeGradient(64, 48);
  ASSERT_EQ(GetAspectedImage(photo, background, ResizeMethod::kSmooth, true, true, PixelFormat::kBits8, 0, 0, 100,
                             160, reporter),
            0);
  EXPECT_TRUE(IsHalftonePalette(photo.Palette()));

  const std::vector<Rgb> own = {{250, 250, 250}, {10, 10, 60}, {200, 30, 30}, {30, 160, 30}};
  Bitmap paletted = test::MakeGradient(30, 20, PixelFormat::kBits8);
  paletted.SetPalette(own);
  ASSERT_EQ(GetAspectedImage(paletted, background, ResizeMethod::kStandard, true, true, PixelFormat::kBits8, 5, 5,
                             100, 160, reporter),
            0);
  EXPECT_EQ(paletted.Palette(), own);
  for (int y = 0; y < paletted.Height(); ++y) {
    for (int x = 0; x < paletted.Width(); ++x) {
      EXPECT_NE(std::find(own.begin(), own.end(), paletted.PixelColor(x, y)), own.end());
    }
  }
  EXPECT_TRUE(reporter.Errors().empty());
}

TEST(Fitting, EmptyPicturesAndBackgrounds) {
  test::RecordingReporter reporter;
  Bitmap background(5, 5);
  background.Fill(kBlack);

  // Standard: the frame shows the background alone.
  Bitmap empty;
  ASSERT_EQ(GetAspectedImage(empty, background, ResizeMethod::kStandard, true, true, PixelFormat::kBits24, 0, 0, 30,
                             40, reporter),
            0);
  EXPECT_EQ(BoundsOf(empty, kBlack).width, 40);
  EXPECT_EQ(BoundsOf(empty, kBlack).height, 30);

  // An empty background leaves the frame white around the picture.
  Bitmap small = test::MakeSolid(10, 10, kRed);
  ASSERT_EQ(GetAspectedImage(small, Bitmap(), ResizeMethod::kSmooth, false, true, PixelFormat::kBits24, 0, 0, 30, 40,
                             reporter),
            0);
  EXPECT_EQ(small.PixelColor(0, 0), (Rgb{255, 255, 255}));
  EXPECT_TRUE(reporter.Errors().empty());

  // Smooth cannot resample an empty picture: the fitting fails and says so.
  Bitmap nothing;
  EXPECT_EQ(GetAspectedImage(nothing, background, ResizeMethod::kSmooth, true, true, PixelFormat::kBits24, 0, 0, 30,
                             40, reporter),
            1);
  EXPECT_TRUE(nothing.Empty());
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{"Cannot resample an empty picture.",
                                                         "Error adjusting image to fit.\nGetAspectedImage()"}));
}

TEST(Fitting, AFrameTooLargeToMakeFailsAndLeavesThePicture) {
  test::RecordingReporter reporter;
  Bitmap picture = test::MakeSolid(3, 3, kRed);
  EXPECT_EQ(GetAspectedImage(picture, Bitmap(5, 5), ResizeMethod::kStandard, true, true, PixelFormat::kBits24, 0, 0,
                             9999999, 9999999, reporter),
            1);
  EXPECT_EQ(picture.Width(), 3);
  ASSERT_EQ(reporter.Errors().size(), 2u);
  EXPECT_EQ(reporter.Errors()[1], "Error adjusting image to fit.\nGetAspectedImage()");
}

}  // namespace
}  // namespace sf
