// Effects that read neighbouring pixels in place (Anti-alias, Blur Split, Blur
// Gaussian, Emboss) and the noise effects' fixed points. Expected bytes were
// worked out by hand, following the traversal order pixel by pixel.
#include <gtest/gtest.h>

#include "effects/anti_alias.h"
#include "effects/apply_effect.h"
#include "effects/blur_gaussian.h"
#include "effects/blur_split.h"
#include "effects/emboss.h"
#include "effects/noise_color.h"
#include "effects/noise_mono.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

using test::FirstDifference;
using test::MakeFromRows;

// A picture from grey levels v with red = 255 - v, so that a channel read from
// the wrong place shows.
Bitmap FromLevels(const std::vector<std::vector<int>>& levels) {
  std::vector<std::vector<std::uint32_t>> rows;
  for (const auto& line : levels) {
    rows.emplace_back();
    for (const int v : line) rows.back().push_back(static_cast<std::uint32_t>((255 - v) << 16 | v << 8 | v));
  }
  return MakeFromRows(rows);
}

TEST(AntiAlias, SmoothsInnerPixelsReadingAlreadySmoothedUpperAndLeftNeighbours) {
  const std::vector<std::vector<int>> levels = {{0, 200, 40, 0}, {100, 0, 0, 255}, {0, 60, 100, 0}};
  Bitmap once = FromLevels(levels);
  AntiAlias(once, 1);
  // Green and blue: (1,1) = (200 + 60 + 100 + 0) / 4 = 90; (2,1) = (40 + 100 + 90 + 255) / 4 = 121.
  // Red (255 - v): (1,1) = (55 + 195 + 155 + 255) / 4 = 165; (2,1) = (215 + 155 + 165 + 0) / 4 = 133.
  EXPECT_EQ(once.PixelColor(1, 1), (Rgb{165, 90, 90}));
  EXPECT_EQ(once.PixelColor(2, 1), (Rgb{133, 121, 121}));
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(once.PixelColor(x, 0), FromLevels(levels).PixelColor(x, 0)) << "the top row never changes";
  }

  Bitmap twice = FromLevels(levels);
  AntiAlias(twice, 2);
  // Second pass, green: (1,1) = (200 + 60 + 100 + 121) / 4 = 120; (2,1) = (40 + 100 + 120 + 255) / 4 = 128.
  // Red: (1,1) = (55 + 195 + 155 + 133) / 4 = 134; (2,1) = (215 + 155 + 134 + 0) / 4 = 126.
  EXPECT_EQ(twice.PixelColor(1, 1), (Rgb{134, 120, 120}));
  EXPECT_EQ(twice.PixelColor(2, 1), (Rgb{126, 128, 128}));

  Bitmap narrow = FromLevels({{0, 200}, {100, 0}, {0, 60}});
  AntiAlias(narrow, 5);
  EXPECT_EQ(FirstDifference(narrow, FromLevels({{0, 200}, {100, 0}, {0, 60}})), "") << "no inner pixels";
}

TEST(BlurSplit, ReadsCurrentContentsAndMirrorsAtTheEdges) {
  const std::vector<std::vector<int>> levels = {{40, 80, 120}, {200, 0, 100}};
  Bitmap near = FromLevels(levels);
  BlurSplit(near, 1);
  // Row 0: upper = row 0 itself (0 - 1 < 0), lower = row 1. Columns: x=0 -> 0 and 1,
  // x=1 -> 0 and 2, x=2 -> 1 and 3 - 2 = 1.
  //   (0,0) = (40 + 200 + 80 + 0) / 4 = 80
  //   (1,0) = (80 new + 200 + 120 + 100) / 4 = 125
  //   (2,0) = (125 new + 0 + 125 + 0) / 4 = 62
  // Row 1: upper = row 0, lower = 2 - 1 - 1 = row 0 (already blurred: 80 125 62).
  //   (0,1) = (80 + 80 + 125 + 125) / 4 = 102; (1,1) = (80 + 80 + 62 + 62) / 4 = 71;
  //   (2,1) = 125 * 4 / 4 = 125
  // Red runs the same arithmetic on 255 - v: row 0: (215 + 55 + 175 + 255) / 4 = 175,
  // (175 + 55 + 135 + 155) / 4 = 130, (130 + 255 + 130 + 255) / 4 = 192;
  // row 1: (175 + 175 + 130 + 130) / 4 = 152, (175 + 175 + 192 + 192) / 4 = 183, 130.
  EXPECT_EQ(FirstDifference(near, MakeFromRows({{0xAF5050, 0x827D7D, 0xC03E3E},
                                                {0x986666, 0xB74747, 0x827D7D}})), "");

  Bitmap far = FromLevels(levels);
  BlurSplit(far, 5);
  // Every row: upper = itself, lower = H - 1 - y. Columns: left = x; right = the
  // last column for x = 0 (W - 0 names none), 3 - 1 = 2 for x = 1, 3 - 2 = 1 for x = 2.
  //   (0,0) = (40 + 200 + 120 + 100) / 4 = 115; (1,0) = (80 + 0 + 120 + 100) / 4 = 75;
  //   (2,0) = (120 + 100 + 75 new + 0) / 4 = 73
  //   row 1 reads row 0 as lower: (0,1) = (200 + 115 + 100 + 73) / 4 = 122;
  //   (1,1) = (0 + 75 + 100 + 73) / 4 = 62; (2,1) = (100 + 73 + 62 new + 75) / 4 = 77
  EXPECT_EQ(far.PixelColor(0, 0).g, 115);
  EXPECT_EQ(far.PixelColor(1, 0).g, 75);
  EXPECT_EQ(far.PixelColor(2, 0).g, 73);
  EXPECT_EQ(far.PixelColor(0, 1).g, 122);
  EXPECT_EQ(far.PixelColor(1, 1).g, 62);
  EXPECT_EQ(far.PixelColor(2, 1).g, 77);

  Bitmap none = FromLevels(levels);
  BlurSplit(none, 0);
  BlurSplit(none, -4);
  EXPECT_EQ(FirstDifference(none, FromLevels(levels)), "");
}

TEST(BlurGaussian, RepeatsBlurSplitThreeAndLetsEventsRunAfterEachPass) {
  const std::vector<std::vector<int>> levels = {{40, 80, 120}, {200, 0, 100}};
  Bitmap once = FromLevels(levels);
  BlurGaussian(once, 1);
  Bitmap split = FromLevels(levels);
  BlurSplit(split, 3);  // 3 reaches past both edges of a 3 x 2 picture, as 5 does above
  EXPECT_EQ(FirstDifference(once, split), "");

  Bitmap twice = FromLevels(levels);
  test::RecordingProgress progress;
  BlurGaussian(twice, 2, &progress);
  // Second pass over 115 75 73 / 122 62 77:
  //   (0,0) = (115 + 122 + 73 + 77) / 4 = 96; (1,0) = (75 + 62 + 73 + 77) / 4 = 71;
  //   (2,0) = (73 + 77 + 71 + 62) / 4 = 70; (0,1) = (122 + 96 + 77 + 70) / 4 = 91;
  //   (1,1) = (62 + 71 + 77 + 70) / 4 = 70; (2,1) = (77 + 70 + 70 + 71) / 4 = 72
  const int expected[2][3] = {{96, 71, 70}, {91, 70, 72}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(twice.PixelColor(x, y).g, expected[y][x]) << x << "," << y;
  }
  EXPECT_EQ(progress.events, 2);

  test::RecordingProgress idle;
  EXPECT_FALSE(ApplyEffect(twice, "Blur Gaussian", 0, &idle));
  EXPECT_EQ(idle.events, 0);
}

// Row 0: (r10 g100 b200) (r50 g100 b0) (r255 g0 b128); row 1 all grey 60.
Bitmap EmbossSample() { return MakeFromRows({{0x0A64C8, 0x326400, 0xFF0080}, {0x3C3C3C, 0x3C3C3C, 0x3C3C3C}}); }

TEST(Emboss, MixesEachPixelWithTheInverseOfItsPartner) {
  Bitmap picture = EmbossSample();
  Emboss(picture, 1);
  // (c + 255 - p) >> 1 with the partner one to the right, the last column itself:
  //   x=0: r (10 + 255 - 50) >> 1 = 107, g (100 + 155) >> 1 = 127, b (200 + 255) >> 1 = 227
  //   x=1: r (50 + 0) >> 1 = 25, g (100 + 255) >> 1 = 177, b (0 + 127) >> 1 = 63
  //   x=2 and the flat row: (c + 255 - c) >> 1 = 127
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x6B7FE3, 0x19B13F, 0x7F7F7F},
                                                   {0x7F7F7F, 0x7F7F7F, 0x7F7F7F}})), "");

  Bitmap wide = EmbossSample();
  Emboss(wide, 3);  // every partner lies past the last column
  EXPECT_EQ(wide.PixelColor(0, 0), (Rgb{127, 127, 127}));

  // A negative value pairs a pixel with one already changed on its left, and
  // with itself where that would lie before the row.
  Bitmap back = EmbossSample();
  Emboss(back, -1);
  //   x=0: itself -> 127; x=1 with (127,127,127): r (50 + 128) >> 1 = 89, g (100 + 128) >> 1 = 114,
  //   b (0 + 128) >> 1 = 64; x=2 with (89,114,64): r (255 + 166) >> 1 = 210, g (0 + 141) >> 1 = 70,
  //   b (128 + 191) >> 1 = 159
  EXPECT_EQ(back.PixelColor(0, 0), (Rgb{127, 127, 127}));
  EXPECT_EQ(back.PixelColor(1, 0), (Rgb{89, 114, 64}));
  EXPECT_EQ(back.PixelColor(2, 0), (Rgb{210, 70, 159}));
}

TEST(EmbossNoise, KeepsTheLowByteOfTheWrappedMix) {
  Bitmap picture = EmbossSample();
  EmbossNoise(picture, 1);
  // (c + 65535 - p) >> 1, low 8 bits:
  //   x=0: r (10 + 65535 - 50) >> 1 = 32747 -> 32747 - 127 * 256 = 235
  //        g 65535 >> 1 = 32767 -> 255; b 65735 >> 1 = 32867 -> 99 (= (200 - 0 - 1) / 2)
  //   x=1: r (50 + 65535 - 255) >> 1 = 32665 -> 153; g 65635 >> 1 = 32817 -> 49;
  //        b (0 + 65535 - 128) >> 1 = 32703 -> 191
  //   x=2 and the flat row: 65535 >> 1 = 32767 -> 255
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0xEBFF63, 0x9931BF, 0xFFFFFF},
                                                   {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}})), "");
}

TEST(Noise, ValueOneDrawsButChangesNothingAndPreviewsDiffer) {
  const Bitmap original = test::MakeGradient(6, 5);
  Bitmap mono = original;
  NoiseMono(mono, 1);  // n = draw mod 1 - 0 = 0
  Bitmap color = original;
  NoiseColor(color, 1);
  EXPECT_EQ(FirstDifference(mono, original), "");
  EXPECT_EQ(FirstDifference(color, original), "");

  // The generator runs on across calls: the same effect twice gives new noise.
  const Bitmap grey = test::MakeSolid(6, 5, Rgb{128, 128, 128});
  Bitmap first = grey;
  Bitmap second = grey;
  NoiseMono(first, 100);
  NoiseMono(second, 100);
  EXPECT_NE(FirstDifference(first, second), "");
  EXPECT_NE(FirstDifference(first, grey), "");
}

}  // namespace
}  // namespace sf
