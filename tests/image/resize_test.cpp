#include "image/resize.h"
#include "image/resize_filtered.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

TEST(ResizeSmooth, TwoByTwoKeepsTheCornerAndBlendsTheMiddle) {
  // Channels worked by hand: at (1, 1) the step is half a pixel both ways, so
  // the four weights are 8192 each and the value is the plain mean, truncated.
  const Bitmap source = test::MakeFromRows({{0x000000, 0x646464}, {0xC8C8C8, 0xFFFFFF}});
  Bitmap target(2, 2);
  ResizeSmooth(source, target);
  EXPECT_EQ(target.PixelColor(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(target.PixelColor(1, 1), (Rgb{138, 138, 138}));  // (0 + 100 + 200 + 255) / 4
  EXPECT_EQ(target.PixelColor(1, 0), (Rgb{50, 50, 50}));     // (0 + 100) / 2 on the top row
  EXPECT_EQ(target.PixelColor(0, 1), (Rgb{100, 100, 100}));  // (0 + 200) / 2 down the left column
}

TEST(ResizeSmooth, OneColumnIsCopiedWithoutReadingBeyondIt) {
  const Bitmap source = test::MakeFromRows({{0x102030}, {0x405060}});
  Bitmap target(5, 2);
  ResizeSmooth(source, target);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(target.PixelColor(x, 0), (Rgb{0x10, 0x20, 0x30}));
  }
  // Row 1 samples at 0.5: halfway between the two rows.
  EXPECT_EQ(target.PixelColor(4, 1), (Rgb{0x28, 0x38, 0x48}));
}

TEST(ResizeSmooth, RefusesAnEmptySource) {
  Bitmap target(4, 4);
  EXPECT_THAT([&] { (void)(ResizeSmooth(Bitmap(), target)); },
              ThrowsMessage<std::invalid_argument>(StrEq("Cannot resample an empty picture.")));
}

TEST(ResizeStandard, RepeatsAndDropsWholePixelsInsideTheRectangleOnly) {
  const Bitmap source = test::MakeFromRows({{0xFF0000, 0x00FF00}});
  Bitmap target(6, 3);
  ResizeStandard(source, target, Rect{1, 1, 5, 2});
  EXPECT_EQ(target.PixelColor(0, 1), (Rgb{255, 255, 255})) << "outside the rectangle";
  EXPECT_EQ(target.PixelColor(1, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(target.PixelColor(2, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(target.PixelColor(3, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(target.PixelColor(4, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(target.PixelColor(5, 1), (Rgb{255, 255, 255}));
  EXPECT_EQ(target.PixelColor(2, 0), (Rgb{255, 255, 255}));

  // Shrinking takes one of the source pixels, never a blend.
  const Bitmap gradient = test::MakeGradient(31, 17);
  Bitmap small(7, 5);
  ResizeStandard(gradient, small, Rect{0, 0, 7, 5});
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      bool found = false;
      for (int sy = 0; sy < 17 && !found; ++sy) {
        for (int sx = 0; sx < 31 && !found; ++sx) found = gradient.PixelColor(sx, sy) == small.PixelColor(x, y);
      }
      EXPECT_TRUE(found) << x << "," << y;
    }
  }

  // A rectangle reaching past the target is clipped; an empty source draws nothing.
  Bitmap edge(2, 2);
  ResizeStandard(source, edge, Rect{-2, 0, 2, 2});
  EXPECT_EQ(edge.PixelColor(0, 0), (Rgb{0, 255, 0}));
  Bitmap untouched(2, 2);
  ResizeStandard(Bitmap(), untouched, Rect{0, 0, 2, 2});
  EXPECT_EQ(untouched.PixelColor(0, 0), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace sf

namespace sf {
namespace {

// A ramp across: column x has red 10 x x.
Bitmap Ramp(int width, int height) {
  Bitmap ramp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) ramp.SetPixelColor(x, y, Rgb{static_cast<std::uint8_t>(10 * x), 50, 90});
  }
  return ramp;
}

TEST(ResizeFilteredRegion, MovesThePictureByTheRegionsFractionOfAPixel) {
  const Bitmap ramp = Ramp(20, 6);
  // The whole picture at its own size is the picture, as ResizeFiltered gives it.
  Bitmap whole(20, 6);
  ResizeFilteredRegion(ramp, SourceRegion{0, 0, 20, 6}, whole);
  Bitmap same(20, 6);
  ResizeFiltered(ramp, same);
  EXPECT_EQ(test::FirstDifference(whole, same), "");

  // One pixel to the right: each inner column shows its right neighbour; half
  // a pixel: half way between, on a straight ramp exactly.
  Bitmap one(10, 6);
  ResizeFilteredRegion(ramp, SourceRegion{5, 0, 10, 6}, one);
  Bitmap half(10, 6);
  ResizeFilteredRegion(ramp, SourceRegion{5.5, 0, 10, 6}, half);
  for (int x = 2; x < 8; ++x) {
    EXPECT_EQ(one.PixelColor(x, 3).r, 10 * (x + 5)) << x;
    EXPECT_NEAR(half.PixelColor(x, 3).r, 10 * (x + 5) + 5, 1) << x;
  }
  // A region wholly past the edge shows the edge pixel; an empty one is refused.
  Bitmap beyond(4, 2);
  ResizeFilteredRegion(ramp, SourceRegion{1e9, -1e9, 3, 3}, beyond);
  EXPECT_EQ(beyond.PixelColor(0, 0).r, 190);
  EXPECT_THROW(ResizeFilteredRegion(ramp, SourceRegion{0, 0, 0, 6}, beyond), std::invalid_argument);
}

}  // namespace
}  // namespace sf
