// Effects that move, resample, repeat or outline content. Expected bytes were
// worked out by hand (roots, sines and cosines with a calculator).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "effects/fisheye.h"
#include "effects/mosaic.h"
#include "effects/plux_blue.h"
#include "effects/sample_wrapped.h"
#include "effects/tile.h"
#include "effects/tile_grided.h"
#include "effects/trace.h"
#include "effects/twist.h"
#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

using test::FirstDifference;
using test::MakeFromRows;
using Levels = std::vector<std::vector<int>>;

// Grey levels v as blue = green = v and red = 255 - v.
Bitmap FromLevels(const Levels& levels) {
  std::vector<std::vector<std::uint32_t>> rows;
  for (const auto& line : levels) {
    rows.emplace_back();
    for (const int v : line) rows.back().push_back(static_cast<std::uint32_t>((255 - v) << 16 | v << 8 | v));
  }
  return MakeFromRows(rows);
}

void ExpectGreen(const Bitmap& picture, const Levels& expected) {
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) EXPECT_EQ(picture.PixelColor(x, y).g, expected[y][x]) << x << "," << y;
  }
}

const Levels kNine = {{10, 20, 30}, {40, 50, 60}, {70, 80, 200}};

TEST(SampleWrapped, WeighsFourPixelsAndWrapsPositionsOutsideThePicture) {
  // Levels 8 16 40 / 80 160 200, red 247 239 215 / 175 95 55.
  const Bitmap source = FromLevels({{8, 16, 40}, {80, 160, 200}});
  const auto at = [&](double sx, double sy) {
    const BgrPixel p = SampleWrapped(source, sx, sy);
    return std::pair<int, int>{p.green, p.red};
  };
  // (-0.25, 0.5): ix = 0, negative so wx0 = 0.25, wx1 = 0.75; wy 0.5 each:
  // 0.125 * (8 + 80) + 0.375 * (16 + 160) = 77; red 0.125 * 422 + 0.375 * 334 = 178.
  EXPECT_EQ(at(-0.25, 0.5), (std::pair{77, 178}));
  // (-1.5, 1): ix = -1 wraps to 3 - 1 - 1 = 1; columns 1 and 2 of row 1 by halves.
  EXPECT_EQ(at(-1.5, 1.0), (std::pair{180, 75}));
  // (2.5, 1.5): after the last column comes 0, after the last row 0:
  // (40 + 8 + 200 + 80) / 4 = 82; red (215 + 247 + 55 + 175) / 4 = 173.
  EXPECT_EQ(at(2.5, 1.5), (std::pair{82, 173}));
  // (5, -3): 5 mod 3 = 2; -3 is whole, so a = 0 puts weight 0 on row iy (wrapped to 0) and 1 on
  // the row after it: pixel (2, 1). Likewise (-3, 0): -W wraps to W - 1 and column 0 takes it all.
  EXPECT_EQ(at(5.0, -3.0), (std::pair{200, 55}));
  EXPECT_EQ(at(-3.0, 0.0), (std::pair{8, 247}));
  EXPECT_THAT([&] { (void)(SampleWrapped(source, std::nan(""), 0)); },
              ThrowsMessage<std::domain_error>(StrEq("Invalid floating point operation")));
}

TEST(Fisheye, PullsContentOutwardsAndKeepsTheCentre) {
  // R = 3, centre (1, 1). Edge middles: r = 1, k = (1 / (1 - 1/3) - 1) * 1.5 = 0.75, so the source
  // lies 0.25 from the centre towards them: (1,0) <- 0.75 * 20 + 0.25 * 50 = 27.5, (0,1) <- 42.5,
  // (2,1) <- 57.5, (1,2) <- 72.5. Corners: r = 1.41421, k = (1 / 0.52860 - 1) * 1.5 = 1.33772,
  // source 1 -+ 0.94591, weights 0.89473, 0.05117 (twice), 0.00293:
  //   (0,0) <- 0.89473 * 10 + 0.05117 * (20 + 40) + 0.00293 * 50 = 12.164
  //   (2,0) <- 0.89473 * 30 + 0.05117 * (20 + 60) + 0.00293 * 50 = 31.082
  //   (0,2) <- 0.89473 * 70 + 0.05117 * (40 + 80) + 0.00293 * 50 = 68.918
  //   (2,2) <- 0.89473 * 200 + 0.05117 * (60 + 80) + 0.00293 * 50 = 186.256
  // Red is 255 minus each sum before truncation: 242.8, 227.5, 223.9 / 212.5, 205, 197.5 / 186.08,
  // 182.5, 68.7.
  Bitmap picture = FromLevels(kNine);
  Fisheye(picture, 1);
  ExpectGreen(picture, {{12, 27, 31}, {42, 50, 57}, {68, 72, 186}});
  EXPECT_EQ(picture.PixelColor(0, 0).r, 242);
  EXPECT_EQ(picture.PixelColor(0, 2).r, 186);
  EXPECT_EQ(picture.PixelColor(2, 2).r, 68);

  const Bitmap gradient = test::MakeGradient(6, 5);
  for (const double value : {3.5, 100.0}) {
    Bitmap lens = gradient;
    Fisheye(lens, value);
    EXPECT_EQ(lens.PixelColor(3, 2), gradient.PixelColor(3, 2)) << value;
  }
}

TEST(Fisheye, DivisionByZeroFailsAndLeavesThePictureAsItWas) {
  // 100 x 250, R = 100: the pixel (50, 25), 100 rows above the centre (50, 125), has r = R; no
  // earlier one does (the next whole solutions of dx^2 + dy^2 = 100^2 lie at dy = -96).
  const Bitmap tall = test::MakeGradient(100, 250);
  Bitmap picture = tall;
  try {
    Fisheye(picture, 1);
    ADD_FAILURE() << "no failure";
  } catch (const std::domain_error& error) {
    EXPECT_STREQ(error.what(), "Floating point division by zero");
  }
  EXPECT_EQ(FirstDifference(picture, tall), "");
  EXPECT_THAT([&] { (void)(Fisheye(picture, 0)); },
              ThrowsMessage<std::domain_error>(StrEq("Floating point division by zero")))
      << "a radius of 0 divides by zero too";
}

TEST(Twist, TurnsContentAroundTheCentre) {
  // Centre (1, 1). (2,1): Angle(1, 0) = 0, theta = -1 + 1.570796327, source (1.84147, 1.54030):
  //   0.07288 * 50 + 0.08565 * 80 + 0.38682 * 60 + 0.45465 * 200 = 124.635.
  // (1,0): Angle = -1.570796327, theta = -1, source (1.54030, 0.15853):
  //   0.38682 * 20 + 0.07288 * 50 + 0.45465 * 30 + 0.08565 * 60 = 30.159.
  // (0,0): Angle = atan(1) + 3.141592654, theta = 3.926991 - 1.414214 + 1.570796 = 4.083573,
  //   source (0.16818, -0.14371); the negative y weighs row 0 by 0.14371 and row 1 by 0.85629:
  //   0.11954 * 10 + 0.71228 * 40 + 0.02417 * 20 + 0.14401 * 50 = 37.370.
  // Likewise (2,0) 32.171, (0,1) 25.376, (0,2) 73.518, (1,2) 69.841, (2,2) 158.047.
  Bitmap picture = FromLevels(kNine);
  Twist(picture, 1);
  ExpectGreen(picture, {{37, 30, 32}, {25, 50, 124}, {73, 69, 158}});

  const Bitmap gradient = test::MakeGradient(6, 5);
  Bitmap zero = gradient;
  Bitmap one = gradient;
  Twist(zero, 0);
  Twist(one, 1);
  EXPECT_EQ(FirstDifference(zero, one), "");
  EXPECT_EQ(one.PixelColor(2, 2), gradient.PixelColor(2, 2)) << "the centre ((W - 1) div 2, (H - 1) div 2)";
}

TEST(Mosaic, FillsEachBlockFromItsTopLeftPixel) {
  Bitmap picture = FromLevels({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}});
  Mosaic(picture, 2);
  EXPECT_EQ(FirstDifference(picture, FromLevels({{1, 1, 3, 3, 5}, {1, 1, 3, 3, 5}, {11, 11, 13, 13, 15}})), "");

  const Bitmap gradient = test::MakeGradient(25, 25);
  Bitmap blocks = gradient;
  Mosaic(blocks, 10);
  EXPECT_EQ(blocks.PixelColor(24, 24), gradient.PixelColor(20, 20));
  for (const int value : {1, 0, -3}) {
    Bitmap same = gradient;
    Mosaic(same, value);
    EXPECT_EQ(FirstDifference(same, gradient), "") << value;
  }
}

TEST(Tile, RepeatsASmoothlyShrunkCopyAndClipsTheLastTiles) {
  // 11 x 11, red 20x, green 20y, blue 100. Tiles of 11 div 2 = 5 at 0, 5 and 10 both ways; the
  // smooth resize steps (10 * 32768) div 5 = 65536, exactly two pixels, so tile (x, y) is
  // source (2x, 2y): red 40x, green 40y.
  std::vector<std::vector<std::uint32_t>> rows(11);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) rows[y].push_back(static_cast<std::uint32_t>(20 * x << 16 | 20 * y << 8 | 100));
  }
  Bitmap picture = MakeFromRows(rows);
  Tile(picture, 2);
  EXPECT_EQ(picture.PixelColor(7, 3), (Rgb{80, 120, 100}));   // tile (2, 3)
  EXPECT_EQ(picture.PixelColor(4, 9), (Rgb{160, 160, 100}));  // tile (4, 4)
  EXPECT_EQ(picture.PixelColor(10, 10), (Rgb{0, 0, 100}));    // the clipped third tile's corner

  const Bitmap large = test::MakeGradient(320, 240);
  for (const int value : {80, 0}) {  // tiles of 4 x 3, or none
    Bitmap same = large;
    Tile(same, value);
    EXPECT_EQ(FirstDifference(same, large), "") << value;
  }
}

TEST(TileGrided, LeavesGapsWhereTheRealTileWidthAddsUp) {
  // 320 / 3 = 106.67 by 80: tiles at x = 0, 106, 213, 320, y = 0, 80, 160, so columns 212 and
  // 319 keep the picture's own pixels and no row does.
  const Bitmap original = test::MakeGradient(320, 240);
  Bitmap picture = original;
  TileGrided(picture, 3);
  for (int y = 0; y < 240; y += 7) {
    EXPECT_EQ(picture.PixelColor(212, y), original.PixelColor(212, y)) << y;
    EXPECT_EQ(picture.PixelColor(319, y), original.PixelColor(319, y)) << y;
    EXPECT_EQ(picture.PixelColor(213, y), picture.PixelColor(0, y)) << y;
    EXPECT_EQ(picture.PixelColor(211, y), picture.PixelColor(105, y)) << y;
  }
  for (int x = 0; x < 212; x += 5) EXPECT_EQ(picture.PixelColor(x, 80), picture.PixelColor(x, 0)) << x;

  // 16 / 3 rounds to 5.33333333333333304, just under a third; 3 times that in extended precision
  // is 15.9999999999999991 and truncates to 15, so the fourth tile covers the last column (a
  // double product would round to 16 and leave a gap).
  const Bitmap sixteen = test::MakeGradient(16, 16);
  Bitmap covered = sixteen;
  TileGrided(covered, 3);
  EXPECT_EQ(covered.PixelColor(15, 3), covered.PixelColor(0, 3));
  EXPECT_NE(covered.PixelColor(15, 3), sixteen.PixelColor(15, 3));

  Bitmap low = test::MakeGradient(16, 14);  // 14 / 3 = 4.67 rows: too small
  TileGrided(low, 3);
  EXPECT_EQ(FirstDifference(low, test::MakeGradient(16, 14)), "");
}

TEST(PluxBlue, ResamplesWithDistortedWeightsAndASqueezedBlueRow) {
  // Row 0 (r100 b200) (r50 b10) (r0 b250); row 1 (r30 b60) (r200 b40) (r90 b90);
  // row 2 (r10 b220) (r250 b130) black; row 3 black; green 0.
  const Bitmap source = MakeFromRows({{0x6400C8, 0x32000A, 0x0000FA}, {0x1E003C, 0xC80028, 0x5A005A},
                                      {0x0A00DC, 0xFA0082, 0x000000}, {0x000000, 0x000000, 0x000000}});
  Bitmap picture = source;
  PluxBlue(picture, 152);
  // xs = (2 << 15) div 3 = 21845, ys = (3 << 15) div 4 = 24576, k = 15200.
  // Row 0: w0 = 17568, w1 = 15200, w2 = w3 = 0, both rows source row 0:
  //   (0,0) red (100 * 17568 + 50 * 15200) >> 15 = 76; blue (200 * 17568 + 10 * 15200) >> 15 = 111.
  // Later rows: w1 = (15200 * 32767) >> 15 = 15199, w0 = 17568, w2 = 1, w3 = 0.
  //   (2,2): fy = 49152 -> rows 1 and 49152 >> 16 = 0; p = 43690 >> 15 = 1:
  //     red (200 * 17568 + 90 * 15199 + 50) >> 15 = 148; blue takes its second term from row1:
  //     (40 * 17568 + 250 * 15199 + 10) >> 15 = 137.
  //   (1,3): fy = 73728 -> rows 2 and 1; p = 0: red (10 * 17568 + 250 * 15199 + 30) >> 15 = 121;
  //     blue (220 * 17568 + 40 * 15199 + 60) >> 15 = 136.
  EXPECT_EQ(picture.PixelColor(0, 0), (Rgb{76, 0, 111}));
  EXPECT_EQ(picture.PixelColor(2, 2), (Rgb{148, 0, 137}));
  EXPECT_EQ(picture.PixelColor(1, 3), (Rgb{121, 0, 136}));

  // k = 70000: 70000 * 32768 wraps to -2001207296, >> 15 = -61072 = w1, w0 = 93840.
  // red (100 * 93840 - 50 * 61072) >> 15 = 193; blue (200 * 93840 - 10 * 61072) >> 15 = 554 -> 42.
  Bitmap wrapped = source;
  PluxBlue(wrapped, 700);
  EXPECT_EQ(wrapped.PixelColor(0, 0), (Rgb{193, 0, 42}));

  // One pixel wide, the pixel to the right is the pixel itself. Row 2 reads rows 1 and 0:
  // red (100 * 17568 + 100 * 15199 + 50) >> 15 = 99; blue (100 * 17568 + 50 * 15199 + 50) >> 15 = 76.
  Bitmap narrow = MakeFromRows({{0x320032}, {0x640064}, {0x000000}});
  PluxBlue(narrow, 152);
  EXPECT_EQ(narrow.PixelColor(0, 0), (Rgb{50, 0, 50}));
  EXPECT_EQ(narrow.PixelColor(0, 2), (Rgb{99, 0, 76}));
}

TEST(Trace, OutlinesTheBorderOnTheFirstRegionsSide) {
  // Columns 0-1 red, 2-3 white. Forward: at (1,0) the first border fixes edge = white and paints
  // (1,0); at (1,1) the pixel is red, not the edge colour, so it is painted itself. Row 2, the
  // last, is never the current row of the forward sweep, so (1,2) stays red with value 1.
  const std::vector<std::uint32_t> halves = {0xFF0000, 0xFF0000, 0xFFFFFF, 0xFFFFFF};
  const std::vector<std::uint32_t> outlined = {0xFF0000, 0x000000, 0xFFFFFF, 0xFFFFFF};
  Bitmap once = MakeFromRows({halves, halves, halves});
  Trace(once, 1);
  EXPECT_EQ(FirstDifference(once, MakeFromRows({outlined, outlined, halves})), "");
  // The backward sweep at (2,2) meets white = edge and paints the red neighbour (1,2).
  for (const int value : {2, 50}) {
    Bitmap twice = MakeFromRows({halves, halves, halves});
    Trace(twice, value);
    EXPECT_EQ(FirstDifference(twice, MakeFromRows({outlined, outlined, outlined})), "") << value;
  }
  const Bitmap flat = test::MakeSolid(5, 4, Rgb{10, 200, 30});
  Bitmap same = flat;
  Trace(same, 2);
  EXPECT_EQ(FirstDifference(same, flat), "");
}

}  // namespace
}  // namespace sf
