// Point effects on small pictures whose expected bytes were worked out by hand
// from each effect's formula (the arithmetic is beside the values).
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

using Rows = std::vector<std::vector<std::uint32_t>>;

// 0xRRGGBB: (0,0) r0 g128 b127, (1,0) r200 g255 b100, (0,1) r30 g50 b80, (1,1) grey 250.
const Rows kSample = {{0x00807F, 0xC8FF64}, {0x1E3250, 0xFAFAFA}};

template <typename Effect, typename Value>
std::string Apply(Effect effect, Value value, const Rows& rows, const Rows& expected) {
  Bitmap picture = test::MakeFromRows(rows);
  effect(picture, value);
  return test::FirstDifference(picture, test::MakeFromRows(expected));
}

TEST(Contrast, MovesChannelsAwayFrom127ByTheRealValue) {
  // e = trunc(|127 - c| * 100 / 255): 0: 49.8 -> -49 -> 0; 128: 0.4 -> 128; 127 stays;
  // 200: 28.6 -> 228; 255: 50.2 -> 305 -> 255; 100: 10.6 -> 90; 30: 38.04 -> 0; 50: 30.2 -> 20;
  // 80: 18.4 -> 62; 250: 48.2 -> 255.
  EXPECT_EQ(Apply(Contrast, 100.0, kSample, {{0x00807F, 0xE4FF5A}, {0x00143E, 0xFFFFFF}}), "");
  // Through ApplyEffect the value stays real: 97 * 2.9 / 255 = 1.10 turns 30 into 29, where a
  // truncated 2 would give 0.76 and keep 30.
  Bitmap grey = test::MakeSolid(2, 2, Rgb{30, 30, 30});
  EXPECT_FALSE(ApplyEffect(grey, "Contrast", 2.9));
  EXPECT_EQ(grey.PixelColor(1, 1), (Rgb{29, 29, 29}));
}

TEST(BrighterAndDarker, MoveTowardsTheEndsAndKeepOnlyTheLowByte) {
  // Brighter 50, c + (255 - c) * 49 div 255: 0 -> 49, 128 -> 152, 127 -> 151, 200 -> 210,
  // 255 -> 255, 100 -> 129, 30 -> 73, 50 -> 89, 80 -> 113, 250 -> 250 (245 div 255 = 0).
  EXPECT_EQ(Apply(Brighter, 50, kSample, {{0x319897, 0xD2FF81}, {0x495971, 0xFAFAFA}}), "");
  // Darker 100, c - c * 99 div 255: 0 -> 0, 128 -> 79, 127 -> 78, 200 -> 123, 255 -> 156,
  // 100 -> 62, 30 -> 19, 50 -> 31, 80 -> 49, 250 -> 153.
  EXPECT_EQ(Apply(Darker, 100, kSample, {{0x004F4E, 0x7B9C3E}, {0x131F31, 0x999999}}), "");
  EXPECT_EQ(Apply(Brighter, 1, kSample, kSample), "");
  EXPECT_EQ(Apply(Darker, 1, kSample, kSample), "");
  EXPECT_EQ(Apply(Brighter, 256, kSample, {{0xFFFFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF}}), "");
  EXPECT_EQ(Apply(Darker, 256, kSample, {{0x000000, 0x000000}, {0x000000, 0x000000}}), "");
  // Beyond the catalogue, no clamping: Brighter 300 turns 0 into 299 -> 43 and 128 into
  // 128 + 127 * 299 div 255 = 276 -> 20; Darker 300 turns 255 into -44 -> 212.
  EXPECT_EQ(Apply(Brighter, 300, {{0x000080, 0x000080}}, {{0x2B2B14, 0x2B2B14}}), "");
  EXPECT_EQ(Apply(Darker, 300, {{0xFFFFFF, 0x000000}}, {{0xD4D4D4, 0x000000}}), "");
}

TEST(Solarize, InvertsPixelsWhoseGreyLevelIsAboveTheThreshold) {
  // Value 200, t = 56. Grey levels: 255 / 3 = 85 and 555 / 3 = 185 invert, 160 / 3 = 53 stays,
  // 250 inverts to 5.
  EXPECT_EQ(Apply(Solarize, 200, kSample, {{0xFF7F80, 0x37009B}, {0x1E3250, 0x050505}}), "");
  const Rows dark = {{0x000000, 0x010000}, {0x000300, 0xFFFFFF}};
  EXPECT_EQ(Apply(Solarize, 1, dark, dark), "");  // t = 255: nothing lies above it
  // t = 0: 0x010000 has grey 1 div 3 = 0 and stays; 0x000300 has grey 1 and inverts.
  EXPECT_EQ(Apply(Solarize, 256, dark, {{0x000000, 0x010000}, {0xFFFCFF, 0x000000}}), "");
}

TEST(Posterize, DropsToTheMultipleBelowAndTreatsZeroAsOne) {
  // 0 -> 0, 49 -> 0, 99 -> 50, 200 -> 200, 249 -> 200, 250 -> 250, 50 -> 50, 255 -> 250, 10, 20 -> 0.
  EXPECT_EQ(Apply(Posterize, 50, {{0x003163, 0xC8F9FA}, {0x32FF31, 0x0A1400}}, {{0x000032, 0xC8C8FA}, {0x32FA00, 0x000000}}),
            "");
  EXPECT_EQ(Apply(Posterize, 0, kSample, kSample), "");
}

TEST(InvertColors, ShiftsTheComplementRightByTheLowBitsOfValueMinusOne) {
  const Rows inverted = {{0xFF7F80, 0x37009B}, {0xE1CDAF, 0x050505}};
  EXPECT_EQ(Apply(InvertColors, 1, kSample, inverted), "");  // 255 - c
  // s = 1: the complement keeps a one on top, 128 + (255 - c) div 2: 0 -> 255, 128 -> 191,
  // 127 -> 192, 200 -> 155, 255 -> 128, 100 -> 205, 30 -> 240, 50 -> 230, 80 -> 215, 250 -> 130.
  EXPECT_EQ(Apply(InvertColors, 2, kSample, {{0xFFBFC0, 0x9B80CD}, {0xF0E6D7, 0x828282}}), "");
  EXPECT_EQ(Apply(InvertColors, 9, kSample, {{0xFFFFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF}}), "");  // s = 8
  EXPECT_EQ(Apply(InvertColors, 33, kSample, inverted), "");  // (33 - 1) AND 31 = 0
}

TEST(Saturation, ScalesTheDistanceFromGreyAndClamps) {
  // Value 25, m = 250, g + (c - g) * 250 div 255:
  //   (0,0) g 85: b 127 -> 85 + 41 = 126, g 128 -> 85 + 42 = 127, r 0 -> 85 - 83 = 2
  //   (1,0) g 185: b 100 -> 185 - 83 = 102, g 255 -> 185 + 68 = 253, r 200 -> 185 + 14 = 199
  //   (0,1) g 53: b 80 -> 53 + 26 = 79, g 50 -> 53 - 2 = 51 (-2.94 truncated), r 30 -> 53 - 22 = 31
  EXPECT_EQ(Apply(Saturation, 25, kSample, {{0x027F7E, 0xC7FD66}, {0x1F334F, 0xFAFAFA}}), "");
  // m = 600: (0,0) b 85 + 25200/255 = 85 + 98 = 183, g 85 + 101 = 186, r 85 - 200 -> 0;
  // (1,0) b 185 - 200 -> 0, g 185 + 164 -> 255, r 185 + 35 = 220; (0,1) b 53 + 63 = 116,
  // g 53 - 7 = 46, r 53 - 54 -> 0; grey stays grey.
  EXPECT_EQ(Apply(Saturation, 60, kSample, {{0x00BAB7, 0xDCFF00}, {0x002E74, 0xFAFAFA}}), "");
}

// Each pass is trunc(sin(c / 255 * A) * 255). (0,0) r0 g10 b30, (1,0) r50 g60 b80,
// (0,1) r90 g100 b127, (1,1) r128 g200 b250.
const Rows kSineSample = {{0x000A1E, 0x323C50}, {0x5A647F, 0x80C8FA}};

TEST(EnhanceLight, RepeatsTheQuarterSineValueTimes) {
  // A = 1.570796327, first pass -> second pass: 0 -> 0 -> 0, 10 -> 15.70 -> 23.53,
  // 30 -> 46.86 -> 71.29, 50 -> 77.30 -> 116.5, 60 -> 92.12 -> 136.9, 80 -> 120.6 -> 171.8,
  // 90 -> 134.2 -> 187.4, 100 -> 147.3 -> 200.6, 127 -> 179.8 -> 227.6, 128 -> 180.9 -> 228.3,
  // 200 -> 240.5 -> 253.9, 250 -> 254.9 -> 254.995.
  EXPECT_EQ(Apply(EnhanceLight, 2, kSineSample, {{0x001747, 0x7488AB}, {0xBBC8E3, 0xE4FDFE}}), "");
  EXPECT_EQ(Apply(EnhanceLight, 0, kSineSample, kSineSample), "");
}

TEST(ColorSplit, MakesValuePlusOnePassesOfTheSteeperCurve) {
  // A = 2.6179938783333334, two passes: 10 -> 26.13 -> 67.26, 30 -> 77.30 -> 181.2,
  // 50 -> 125.2 -> 244.5, 60 -> 147.3 -> 254.5, 80 -> 186.7 -> 240.5, 90 -> 203.5 -> 222.1,
  // 100 -> 218.2 -> 200.3, 127 -> 246.0 -> 149.5, 128 -> 246.6 -> 147.3, 200 -> 225.9 -> 188.4,
  // 250 -> 138.7 -> 251.98.
  EXPECT_EQ(Apply(ColorSplit, 1, kSineSample, {{0x0043B5, 0xF4FEF0}, {0xDEC895, 0x93BCFB}}), "");
  // One pass: 255 -> sin(A) * 255 = 127.49999992 -> 127; 30 -> 77.
  EXPECT_EQ(Apply(ColorSplit, 0, {{0xFF0000, 0x1E1E1E}}, {{0x7F0000, 0x4D4D4D}}), "");
}

}  // namespace
}  // namespace sf
