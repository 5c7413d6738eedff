// Point effects on small pictures whose expected bytes were worked out by hand
// from each effect's formula (the arithmetic is beside each value).
#include <gtest/gtest.h>

#include "effects/apply_effect.h"
#include "effects/brighter.h"
#include "effects/color_split.h"
#include "effects/contrast.h"
#include "effects/darker.h"
#include "effects/enhance_light.h"
#include "effects/invert_colors.h"
#include "effects/posterize.h"
#include "effects/saturation.h"
#include "effects/solarize.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::FirstDifference;
using test::MakeFromRows;

// 0xRRGGBB: (0,0) r0 g128 b127, (1,0) r200 g255 b100, (0,1) r30 g50 b80,
// (1,1) grey 250.
Bitmap Sample() { return MakeFromRows({{0x00807F, 0xC8FF64}, {0x1E3250, 0xFAFAFA}}); }

TEST(Contrast, MovesChannelsAwayFrom127ByTheRealValue) {
  Bitmap picture = Sample();
  Contrast(picture, 100);
  // e = trunc(|127 - c| * 100 / 255):
  //   0: 12700/255 = 49.8 -> 49, 0 - 49 clamps to 0     128: 100/255 -> 0, stays
  //   127: e = 0                                         200: 7300/255 = 28.6 -> 228
  //   255: 12800/255 = 50.2 -> 305, clamps to 255        100: 2700/255 = 10.6 -> 90
  //   30: 9700/255 = 38.04 -> -8, clamps to 0            50: 7700/255 = 30.2 -> 20
  //   80: 4700/255 = 18.4 -> 62                          250: 12300/255 = 48.2 -> 255
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x00807F, 0xE4FF5A}, {0x00143E, 0xFFFFFF}})), "");

  // Through ApplyEffect the value stays real: 97 * 2.9 / 255 = 1.10 -> 30 - 1,
  // where a truncated 2 would give 194 / 255 = 0.76 -> 30 unchanged.
  Bitmap grey = MakeFromRows({{0x1E1E1E, 0x1E1E1E}, {0x1E1E1E, 0x1E1E1E}});
  EXPECT_FALSE(ApplyEffect(grey, "Contrast", 2.9));
  EXPECT_EQ(grey.PixelColor(1, 1), (Rgb{29, 29, 29}));
}

TEST(BrighterAndDarker, MoveTowardsTheEndsAndKeepOnlyTheLowByte) {
  Bitmap brighter = Sample();
  Brighter(brighter, 50);
  // k = 49, c + (255 - c) * 49 div 255:
  //   0: 12495/255 = 49 -> 49          128: 6223/255 = 24 -> 152     127: 6272/255 = 24 -> 151
  //   200: 2695/255 = 10 -> 210        255 -> 255                    100: 7595/255 = 29 -> 129
  //   30: 11025/255 = 43 -> 73         50: 10045/255 = 39 -> 89      80: 8575/255 = 33 -> 113
  //   250: 245/255 = 0 -> 250
  EXPECT_EQ(FirstDifference(brighter, MakeFromRows({{0x319897, 0xD2FF81}, {0x495971, 0xFAFAFA}})), "");

  Bitmap darker = Sample();
  Darker(darker, 100);
  // k = 99, c - c * 99 div 255:
  //   0 -> 0                           128: 12672/255 = 49 -> 79     127: 12573/255 = 49 -> 78
  //   200: 19800/255 = 77 -> 123       255: 99 -> 156                100: 9900/255 = 38 -> 62
  //   30: 2970/255 = 11 -> 19          50: 4950/255 = 19 -> 31       80: 7920/255 = 31 -> 49
  //   250: 24750/255 = 97 -> 153
  EXPECT_EQ(FirstDifference(darker, MakeFromRows({{0x004F4E, 0x7B9C3E}, {0x131F31, 0x999999}})), "");

  Bitmap unchanged = Sample();
  Brighter(unchanged, 1);
  Darker(unchanged, 1);
  EXPECT_EQ(FirstDifference(unchanged, Sample()), "");

  Bitmap white = Sample();
  Brighter(white, 256);
  EXPECT_EQ(white.PixelColor(0, 0), (Rgb{255, 255, 255}));
  Bitmap black = Sample();
  Darker(black, 256);
  EXPECT_EQ(black.PixelColor(1, 0), (Rgb{0, 0, 0}));

  // Beyond the catalogue: Brighter 300 turns 0 into 255 * 299 / 255 = 299,
  // stored as 299 - 256 = 43; Darker 300 turns 255 into 255 - 299 = -44 -> 212.
  Bitmap over = Sample();
  Brighter(over, 300);
  EXPECT_EQ(over.PixelColor(0, 0).r, 43);
  Bitmap under = Sample();
  Darker(under, 300);
  EXPECT_EQ(under.PixelColor(1, 0).g, 212);
}

TEST(Solarize, InvertsPixelsWhoseGreyLevelIsAboveTheThreshold) {
  Bitmap picture = Sample();
  Solarize(picture, 200);
  // t = 56. Grey levels: (127 + 128 + 0) / 3 = 85 -> inverted; 555 / 3 = 185 ->
  // inverted; (80 + 50 + 30) / 3 = 53 -> kept; 250 -> inverted to 5.
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0xFF7F80, 0x37009B}, {0x1E3250, 0x050505}})), "");

  Bitmap with_black = MakeFromRows({{0x000000, 0x010000}, {0x000300, 0xFFFFFF}});
  Solarize(with_black, 1);  // t = 255: no grey level lies above it
  EXPECT_EQ(FirstDifference(with_black, MakeFromRows({{0x000000, 0x010000}, {0x000300, 0xFFFFFF}})), "");
  Solarize(with_black, 256);  // t = 0: everything but grey level 0 inverts
  // 0x010000 has grey 1 / 3 = 0 and stays; 0x000300 has grey 1 and inverts.
  EXPECT_EQ(FirstDifference(with_black, MakeFromRows({{0x000000, 0x010000}, {0xFFFCFF, 0x000000}})), "");
}

TEST(Posterize, DropsToTheMultipleBelowAndTreatsZeroAsOne) {
  Bitmap picture = MakeFromRows({{0x003163, 0xC8F9FA}, {0x32FF31, 0x0A1400}});
  Posterize(picture, 50);
  // 0 -> 0, 49 -> 0, 99 -> 50, 200 -> 200, 249 -> 200, 250 -> 250, 50 -> 50,
  // 255 -> 250, 10 -> 0, 20 -> 0.
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x000032, 0xC8C8FA}, {0x32FA00, 0x000000}})), "");

  Bitmap zero = Sample();
  Posterize(zero, 0);
  EXPECT_EQ(FirstDifference(zero, Sample()), "");
}

TEST(InvertColors, ShiftsTheComplementRightByTheLowBitsOfValueMinusOne) {
  Bitmap plain = Sample();
  InvertColors(plain, 1);  // 255 - c
  EXPECT_EQ(FirstDifference(plain, MakeFromRows({{0xFF7F80, 0x37009B}, {0xE1CDAF, 0x050505}})), "");

  Bitmap half = Sample();
  InvertColors(half, 2);
  // s = 1: NOT c >> 1 keeps a one on top, so 128 + (255 - c) / 2:
  //   0 -> 255, 128 -> 191, 127 -> 192, 200 -> 155, 255 -> 128, 100 -> 205,
  //   30 -> 240, 50 -> 230, 80 -> 215, 250 -> 130.
  EXPECT_EQ(FirstDifference(half, MakeFromRows({{0xFFBFC0, 0x9B80CD}, {0xF0E6D7, 0x828282}})), "");

  Bitmap nine = Sample();
  InvertColors(nine, 9);  // s = 8: nothing of the complement's low byte is left
  EXPECT_EQ(FirstDifference(nine, MakeFromRows({{0xFFFFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF}})), "");

  Bitmap wrapped = Sample();
  InvertColors(wrapped, 33);  // (33 - 1) AND 31 = 0: a plain inversion again
  EXPECT_EQ(FirstDifference(wrapped, plain), "");
}

TEST(Saturation, ScalesTheDistanceFromGreyAndClamps) {
  Bitmap picture = Sample();
  Saturation(picture, 25);
  // m = 250, g + (c - g) * 250 div 255:
  //   (0,0) g = 85: b 127 -> 85 + 10500/255 = 85 + 41 = 126; g 128 -> 85 + 42 = 127;
  //                 r 0 -> 85 - 21250/255 = 85 - 83 = 2
  //   (1,0) g = 185: b 100 -> 185 - 83 = 102; g 255 -> 185 + 17500/255 = 185 + 68 = 253;
  //                  r 200 -> 185 + 3750/255 = 185 + 14 = 199
  //   (0,1) g = 53: b 80 -> 53 + 6750/255 = 53 + 26 = 79; g 50 -> 53 - 750/255 = 53 - 2 = 51;
  //                 r 30 -> 53 - 5750/255 = 53 - 22 = 31
  //   (1,1) grey stays grey.
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x027F7E, 0xC7FD66}, {0x1F334F, 0xFAFAFA}})), "");

  Bitmap strong = Sample();
  Saturation(strong, 60);
  // m = 600 at (1,0): b 185 - 51000/255 = 185 - 200 -> 0; g 185 + 42000/255 = 185 + 164 -> 255;
  // r 185 + 9000/255 = 185 + 35 = 220.
  EXPECT_EQ(strong.PixelColor(1, 0), (Rgb{220, 255, 0}));
  EXPECT_EQ(strong.PixelColor(1, 1), (Rgb{250, 250, 250}));
}

// Sine-curve pictures: (0,0) r0 g10 b30, (1,0) r50 g60 b80, (0,1) r90 g100 b127,
// (1,1) r128 g200 b250. Each pass is trunc(sin(c / 255 * A) * 255).
Bitmap SineSample() { return MakeFromRows({{0x000A1E, 0x323C50}, {0x5A647F, 0x80C8FA}}); }

TEST(EnhanceLight, RepeatsTheQuarterSineValueTimes) {
  Bitmap picture = SineSample();
  EnhanceLight(picture, 2);
  // A = 1.570796327, two passes (first pass -> second pass):
  //   0 -> 0 -> 0           10 -> 15.70 -> 23.53       30 -> 46.86 -> 71.29
  //   50 -> 77.30 -> 116.5  60 -> 92.12 -> 136.9       80 -> 120.6 -> 171.8
  //   90 -> 134.2 -> 187.4  100 -> 147.3 -> 200.6      127 -> 179.8 -> 227.6
  //   128 -> 180.9 -> 228.3 200 -> 240.5 -> 253.9      250 -> 254.9 -> 254.995
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x001747, 0x7488AB}, {0xBBC8E3, 0xE4FDFE}})), "");

  Bitmap none = SineSample();
  EnhanceLight(none, 0);
  EXPECT_EQ(FirstDifference(none, SineSample()), "");
}

TEST(ColorSplit, MakesValuePlusOnePassesOfTheSteeperCurve) {
  Bitmap picture = SineSample();
  ColorSplit(picture, 1);
  // A = 2.6179938783333334, two passes:
  //   0 -> 0 -> 0           10 -> 26.13 -> 67.26       30 -> 77.30 -> 181.2
  //   50 -> 125.2 -> 244.5  60 -> 147.3 -> 254.5       80 -> 186.7 -> 240.5
  //   90 -> 203.5 -> 222.1  100 -> 218.2 -> 200.3      127 -> 246.0 -> 149.5
  //   128 -> 246.6 -> 147.3 200 -> 225.9 -> 188.4      250 -> 138.7 -> 252.0 (251.98)
  EXPECT_EQ(FirstDifference(picture, MakeFromRows({{0x0043B5, 0xF4FEF0}, {0xDEC895, 0x93BCFB}})), "");

  Bitmap one_pass = MakeFromRows({{0xFF0000, 0x1E1E1E}, {0x000000, 0xFFFFFF}});
  ColorSplit(one_pass, 0);
  // 255 -> sin(A) * 255 = 127.49999992 -> 127; 30 -> 77.30 -> 77.
  EXPECT_EQ(FirstDifference(one_pass, MakeFromRows({{0x7F0000, 0x4D4D4D}, {0x000000, 0x7F7F7F}})), "");
}

}  // namespace
}  // namespace sf
