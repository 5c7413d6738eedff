// Page-flip drawing: where each source pixel lands for a given fold and angle,
// the transparency key, and the angle of each animation frame.
#include "effects/page_flip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

using test::FirstDifference;
using test::MakeFromRows;

constexpr std::uint32_t kBack = 0x808080;

Bitmap Background(int width, int height) { return test::MakeSolid(width, height, Rgb{128, 128, 128}); }

TEST(PageFlip, HorizontalSqueezesColumnsTowardsTheFold) {
  const Bitmap source = MakeFromRows({{0x110000, 0x220000, 0x330000, 0x440000}, {0x11, 0x22, 0x33, 0x44}});
  // 60 degrees with 3.14159265358979 (just under pi): cos = 0.5 + 9e-16. Fold 4:
  // x = 4 + trunc((j - 4) * c): j=0 -> 2, j=1 -> 3, j=2 -> 3 (overwrites), j=3 -> 4, outside.
  Bitmap right = Background(4, 2);
  DrawPageFlipHorizontal(source, right, 4, 60, false, 0);
  EXPECT_EQ(FirstDifference(right, MakeFromRows({{kBack, kBack, 0x110000, 0x330000}, {kBack, kBack, 0x11, 0x33}})), "");
  // Fold 0: x = trunc(j * c) = 0, 0, 1 (1.0000000000000019), 1.
  Bitmap left = Background(4, 2);
  DrawPageFlipHorizontal(source, left, 0, 60, false, 0);
  EXPECT_EQ(FirstDifference(left, MakeFromRows({{0x220000, 0x440000, kBack, kBack}, {0x22, 0x44, kBack, kBack}})), "");
  // Rows below the target's height are not drawn; angle 0 is full size.
  Bitmap short_target = Background(4, 1);
  DrawPageFlipHorizontal(source, short_target, 4, 0, false, 0);
  EXPECT_EQ(FirstDifference(short_target, MakeFromRows({{0x110000, 0x220000, 0x330000, 0x440000}})), "");
}

TEST(PageFlip, VerticalSqueezesRowsTowardsTheFoldLaterRowsWinning) {
  const Bitmap source = MakeFromRows({{0x010000, 0x020000}, {0x030000, 0x040000}, {0x050000, 0x060000},
                                      {0x070000, 0x080000}});
  // 30 degrees: sin = 0.5 - 5e-16. Fold 4: y = 4 + trunc((i - 4) * s): i=0 -> 3 (-1.999...),
  // i=1 -> 3 (overwrites), i=2 -> 4 + 0 and i=3 -> 4, outside.
  Bitmap target = Background(2, 4);
  DrawPageFlipVertical(source, target, 4, 30, false, 0);
  EXPECT_EQ(FirstDifference(target, MakeFromRows({{kBack, kBack}, {kBack, kBack}, {kBack, kBack},
                                                  {0x030000, 0x040000}})), "");
  // Source columns beyond the target's width are not drawn.
  Bitmap narrow = Background(1, 4);
  DrawPageFlipVertical(source, narrow, 0, 90, false, 0);
  EXPECT_EQ(FirstDifference(narrow, MakeFromRows({{0x010000}, {0x030000}, {0x050000}, {0x070000}})), "");
}

TEST(PageFlip, PixelsOfTheKeyColourAreNeverDrawn) {
  // The key is 0x00BBGGRR: red 0x12, green 0x34, blue 0x56 is 0x00563412.
  const Bitmap source = MakeFromRows({{0x123456, 0xFFFFFF}, {0x000000, 0x123456}});
  const Bitmap expected = MakeFromRows({{kBack, 0xFFFFFF}, {0x000000, kBack}});
  Bitmap horizontal = Background(2, 2);
  DrawPageFlipHorizontal(source, horizontal, 0, 0, true, 0x00563412);
  EXPECT_EQ(FirstDifference(horizontal, expected), "");
  Bitmap vertical = Background(2, 2);
  DrawPageFlipVertical(source, vertical, 0, 90, true, 0x00563412);
  EXPECT_EQ(FirstDifference(vertical, expected), "");
  Bitmap opaque = Background(2, 2);
  DrawPageFlipHorizontal(source, opaque, 0, 0, false, 0x00563412);
  EXPECT_EQ(FirstDifference(opaque, source), "") << "without the flag the key is an ordinary colour";

  Bitmap paletted(2, 2, PixelFormat::kBits8);
  EXPECT_THAT([&] { (void)(DrawPageFlipVertical(source, paletted, 0, 90, false, 0)); },
              ThrowsMessage<std::invalid_argument>(StrEq("Page flip drawing needs 24-bit pictures.")));
}

TEST(PageFlip, FrameAnglesEndWithThePictureAtFullSize) {
  EXPECT_EQ(PageFlipAngle(PageFlip::kLeft, 0), -90);
  EXPECT_EQ(PageFlipAngle(PageFlip::kLeft, 40), -45);
  EXPECT_EQ(PageFlipAngle(PageFlip::kLeft, 79), 0);  // not -1.125
  EXPECT_EQ(PageFlipAngle(PageFlip::kRight, 78), 2.25);
  EXPECT_EQ(PageFlipAngle(PageFlip::kRight, 79), 0);
  EXPECT_EQ(PageFlipAngle(PageFlip::kUp, 0), 180);
  EXPECT_EQ(PageFlipAngle(PageFlip::kUp, 79), 90);  // not 91.125
  EXPECT_EQ(PageFlipAngle(PageFlip::kDown, 8), 9);
  EXPECT_EQ(PageFlipAngle(PageFlip::kDown, 79), 90);  // not 88.875

  const Bitmap picture = test::MakeGradient(6, 5);
  for (const PageFlip flip : {PageFlip::kLeft, PageFlip::kRight, PageFlip::kUp, PageFlip::kDown}) {
    Bitmap last = Background(6, 5);
    DrawPageFlipFrame(flip, picture, last, kPageFlipFrames - 1, 0x00FF00FF);
    EXPECT_EQ(FirstDifference(last, picture), "") << static_cast<int>(flip);
  }
  // Up starts at 180 degrees from the bottom edge: sin is a hair above 0, every row lands on
  // row 5, outside, and only the background shows.
  Bitmap first = Background(6, 5);
  DrawPageFlipFrame(PageFlip::kUp, picture, first, 0, 0x00FF00FF);
  EXPECT_EQ(FirstDifference(first, Background(6, 5)), "");
}

}  // namespace
}  // namespace sf
