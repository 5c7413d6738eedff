// Effects that read neighbouring pixels in place, and the noise effects' fixed
// points. Expected bytes were worked out by hand in traversal order.
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

// Grey levels v as blue = green = v and red = 255 - v, so that a channel read
// from the wrong place shows.
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
  Bitmap picture = FromLevels(levels);
  AntiAlias(picture, 2);
  // Pass 1, green: (1,1) = (200 + 60 + 100 + 0) / 4 = 90, (2,1) = (40 + 100 + 90 + 255) / 4 = 121;
  //         red:   (1,1) = (55 + 195 + 155 + 255) / 4 = 165, (2,1) = (215 + 155 + 165 + 0) / 4 = 133.
  // Pass 2, green: (1,1) = (200 + 60 + 100 + 121) / 4 = 120, (2,1) = (40 + 100 + 120 + 255) / 4 = 128;
  //         red:   (1,1) = (55 + 195 + 155 + 133) / 4 = 134, (2,1) = (215 + 155 + 134 + 0) / 4 = 126.
  Bitmap expected = FromLevels(levels);
  expected.SetPixelColor(1, 1, Rgb{134, 120, 120});
  expected.SetPixelColor(2, 1, Rgb{126, 128, 128});
  EXPECT_EQ(FirstDifference(picture, expected), "");

  Bitmap narrow = FromLevels({{0, 200}, {100, 0}, {0, 60}});
  AntiAlias(narrow, 5);
  EXPECT_EQ(FirstDifference(narrow, FromLevels({{0, 200}, {100, 0}, {0, 60}})), "") << "no inner pixels";
}

TEST(BlurSplit, ReadsCurrentContentsAndMirrorsAtTheEdges) {
  const std::vector<std::vector<int>> levels = {{40, 80, 120}, {200, 0, 100}};
  Bitmap near = FromLevels(levels);
  BlurSplit(near, 1);
  // Row 0 reads rows 0 (0 - 1 < 0) and 1; columns x=0: 0, 1; x=1: 0, 2; x=2: 1, 3 - 2 = 1.
  //   (0,0) = (40 + 200 + 80 + 0) / 4 = 80; (1,0) = (80 new + 200 + 120 + 100) / 4 = 125;
  //   (2,0) = (125 new + 0) * 2 / 4 = 62.
  // Row 1 reads row 0 twice (lower = 2 - 1 - 1 = 0), already blurred: (80 + 80 + 125 + 125) / 4
  //   = 102, (80 + 80 + 62 + 62) / 4 = 71, 125.
  // Red, on 255 - v: row 0 (215 + 55 + 175 + 255) / 4 = 175, (175 + 55 + 135 + 155) / 4 = 130,
  //   (130 + 255) * 2 / 4 = 192; row 1 (175 * 2 + 130 * 2) / 4 = 152, (175 * 2 + 192 * 2) / 4 = 183, 130.
  EXPECT_EQ(FirstDifference(near, MakeFromRows({{0xAF5050, 0x827D7D, 0xC03E3E},
                                                {0x986666, 0xB74747, 0x827D7D}})), "");

  // Value 5 >= W and H: every row reads itself and row H - 1 - y; right columns are the last
  // one for x = 0 (W - 0 names none), then 3 - 1 = 2 and 3 - 2 = 1.
  //   (0,0) = (40 + 200 + 120 + 100) / 4 = 115; (1,0) = (80 + 0 + 120 + 100) / 4 = 75;
  //   (2,0) = (120 + 100 + 75 + 0) / 4 = 73; row 1 reads row 0 as lower:
  //   (0,1) = (200 + 115 + 100 + 73) / 4 = 122; (1,1) = (0 + 75 + 100 + 73) / 4 = 62;
  //   (2,1) = (100 + 73 + 62 + 75) / 4 = 77.
  Bitmap far = FromLevels(levels);
  BlurSplit(far, 5);
  const int expected[2][3] = {{115, 75, 73}, {122, 62, 77}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(far.PixelColor(x, y).g, expected[y][x]) << x << "," << y;
  }

  Bitmap none = FromLevels(levels);
  BlurSplit(none, 0);
  BlurSplit(none, -4);
  EXPECT_EQ(FirstDifference(none, FromLevels(levels)), "");
}

TEST(BlurGaussian, RepeatsBlurSplitThreeAndLetsEventsRunAfterEachPass) {
  // On 3 x 2, distance 3 reaches past both edges as 5 does above (115 75 73 / 122 62 77);
  // the second pass: (115 + 122 + 73 + 77) / 4 = 96, (75 + 62 + 73 + 77) / 4 = 71,
  // (73 + 77 + 71 + 62) / 4 = 70 / (122 + 96 + 77 + 70) / 4 = 91, (62 + 71 + 77 + 70) / 4 = 70,
  // (77 + 70 + 70 + 71) / 4 = 72.
  Bitmap picture = FromLevels({{40, 80, 120}, {200, 0, 100}});
  test::RecordingProgress progress;
  BlurGaussian(picture, 2, &progress);
  const int expected[2][3] = {{96, 71, 70}, {91, 70, 72}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(picture.PixelColor(x, y).g, expected[y][x]) << x << "," << y;
  }
  EXPECT_EQ(progress.events, 2);

  test::RecordingProgress idle;
  EXPECT_FALSE(ApplyEffect(picture, "Blur Gaussian", 0, &idle));
  EXPECT_EQ(idle.events, 0);
}

// Row 0: (r10 g100 b200) (r50 g100 b0) (r255 g0 b128); row 1 all grey 60.
Bitmap EmbossSample() { return MakeFromRows({{0x0A64C8, 0x326400, 0xFF0080}, {0x3C3C3C, 0x3C3C3C, 0x3C3C3C}}); }

TEST(Emboss, MixesEachPixelWithTheInverseOfItsPartner) {
  // (c + 255 - p) >> 1 with the partner one to the right, the last column itself:
  //   x=0: r (10 + 205) >> 1 = 107, g (100 + 155) >> 1 = 127, b (200 + 255) >> 1 = 227
  //   x=1: r (50 + 0) >> 1 = 25, g (100 + 255) >> 1 = 177, b (0 + 127) >> 1 = 63
  //   x=2 and the flat row: (c + 255 - c) >> 1 = 127
  Bitmap picture = EmbossSample();
  Emboss(picture, 1);
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x6B7FE3, 0x19B13F, 0x7F7F7F},
                                                   {0x7F7F7F, 0x7F7F7F, 0x7F7F7F}})), "");
  // A negative value pairs a pixel with the one already changed on its left, and with
  // itself where that would lie before the row: x=0 -> 127; x=1 with 127: r (50 + 128) >> 1 = 89,
  // g (100 + 128) >> 1 = 114, b 128 >> 1 = 64; x=2 with (89, 114, 64): r (255 + 166) >> 1 = 210,
  // g 141 >> 1 = 70, b (128 + 191) >> 1 = 159. The grey row chains the same way:
  // 127, (60 + 128) >> 1 = 94, (60 + 161) >> 1 = 110.
  Bitmap back = EmbossSample();
  Emboss(back, -1);
  EXPECT_EQ(FirstDifference(back, MakeFromRows({{0x7F7F7F, 0x597240, 0xD2469F},
                                                {0x7F7F7F, 0x5E5E5E, 0x6E6E6E}})), "");
}

TEST(EmbossNoise, KeepsTheLowByteOfTheWrappedMix) {
  // (c + 65535 - p) >> 1, low 8 bits:
  //   x=0: r 65495 >> 1 = 32747 -> 235; g 65535 >> 1 = 32767 -> 255; b 65735 >> 1 = 32867 -> 99
  //   x=1: r 65330 >> 1 = 32665 -> 153; g 65635 >> 1 = 32817 -> 49; b 65407 >> 1 = 32703 -> 191
  //   x=2 and the flat row: 32767 -> 255
  Bitmap picture = EmbossSample();
  EmbossNoise(picture, 1);
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0xEBFF63, 0x9931BF, 0xFFFFFF},
                                                   {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}})), "");
}

TEST(Noise, ValueOneDrawsButChangesNothingAndPreviewsDiffer) {
  const Bitmap original = test::MakeGradient(6, 5);
  Bitmap mono = original;
  Bitmap color = original;
  NoiseMono(mono, 1);  // n = draw mod 1 - (1 >> 1) = 0
  NoiseColor(color, 1);
  EXPECT_EQ(FirstDifference(mono, original), "");
  EXPECT_EQ(FirstDifference(color, original), "");

  const Bitmap grey = test::MakeSolid(6, 5, Rgb{128, 128, 128});
  Bitmap first = grey;
  Bitmap second = grey;
  NoiseMono(first, 100);
  NoiseMono(second, 100);
  EXPECT_NE(FirstDifference(first, second), "") << "the generator runs on between previews";
}

}  // namespace
}  // namespace sf
