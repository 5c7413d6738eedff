// The catalogue's names and ranges, and applying one effect by name.
#include "effects/effect_catalogue.h"

#include <gtest/gtest.h>

#include <limits>
#include <cmath>
#include <stdexcept>

#include "effects/apply_effect.h"
#include "support/pictures.h"

namespace sf {
namespace {

TEST(EffectCatalogue, ListsTheTwentyThreeNamesInCatalogueOrder) {
  const std::vector<std::string> expected = {
      "Fisheye",     "Contrast", "Brighter",    "Darker",  "Enhance Light", "Saturation",   "Anti-alias",
      "Noise Color", "Noise Mono", "Blur Gaussian", "Blur Split", "Mosaic",  "Twist",        "Tile",
      "Tile Grided", "Trace",    "Solarize",    "Posterize", "Plux Blue",   "Emboss",       "Emboss Noise",
      "Invert Colors", "Color Split"};
  EXPECT_EQ(GetEffectNames(), expected);
}

TEST(EffectCatalogue, PictureWidthSetsThreeMaxima) {
  const Bitmap wide(320, 240);
  const Bitmap narrow(40, 30);
  EffectSpecification range;

  EXPECT_FALSE(GetEffectSpecifications(wide, "Emboss", range));
  EXPECT_DOUBLE_EQ(range.maximum, 9.0);  // 320 * 0.025 + 1
  EXPECT_EQ(range.default_value, 3);
  EXPECT_EQ(range.minimum, 1);
  EXPECT_FALSE(GetEffectSpecifications(narrow, "Emboss Noise", range));
  EXPECT_DOUBLE_EQ(range.maximum, 2.0);  // 40 * 0.025 + 1, not above 2
  EXPECT_EQ(range.default_value, 1);
  EXPECT_FALSE(GetEffectSpecifications(Bitmap(100, 10), "Emboss", range));
  EXPECT_DOUBLE_EQ(range.maximum, 3.5);

  EXPECT_FALSE(GetEffectSpecifications(wide, "Blur Split", range));
  EXPECT_EQ(range.maximum, 319);
  EXPECT_EQ(range.default_value, 2);

  EXPECT_FALSE(GetEffectSpecifications(narrow, "Plux Blue", range));
  EXPECT_EQ(range.maximum, 1000);
  EXPECT_EQ(range.default_value, 152);
  EXPECT_FALSE(GetEffectSpecifications(narrow, "Trace", range));
  EXPECT_EQ(range.maximum, 2);
  EXPECT_EQ(range.default_value, 1);

  range = EffectSpecification{7, 7, 7};
  EXPECT_TRUE(GetEffectSpecifications(wide, "emboss", range)) << "names are case-sensitive";
  EXPECT_EQ(range.default_value, 1);
  EXPECT_EQ(range.minimum, 1);
  EXPECT_EQ(range.maximum, 100);
}

TEST(ApplyEffect, ConvertsTo24BitsEvenWhenTheNameIsUnknown) {
  Bitmap picture = test::MakeGradient(6, 5, PixelFormat::kBits8);
  const Bitmap before = picture;
  EXPECT_TRUE(ApplyEffect(picture, "Sharpen", 3));
  EXPECT_EQ(picture.Format(), PixelFormat::kBits24);
  EXPECT_TRUE(test::SamePixels(picture, before));

  EXPECT_FALSE(ApplyEffect(picture, "Invert Colors", 1));
  EXPECT_EQ(picture.PixelColor(0, 0).r, 255 - before.PixelColor(0, 0).r);
}

TEST(ApplyEffect, TruncatesTheValueTowardZeroAndRefusesValuesNoIntHolds) {
  const Bitmap gradient = test::MakeGradient(6, 5);
  Bitmap truncated = gradient;
  Bitmap whole = gradient;
  ASSERT_FALSE(ApplyEffect(truncated, "Mosaic", 2.9));
  ASSERT_FALSE(ApplyEffect(whole, "Mosaic", 2));
  EXPECT_TRUE(test::SamePixels(truncated, whole));

  Bitmap negative = gradient;
  Bitmap minus_one = gradient;
  ASSERT_FALSE(ApplyEffect(negative, "Emboss", -1.7));
  ASSERT_FALSE(ApplyEffect(minus_one, "Emboss", -1));
  EXPECT_TRUE(test::SamePixels(negative, minus_one));

  Bitmap picture = gradient;
  for (const double value : {3e9, -3e9, std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_THROW(ApplyEffect(picture, "Brighter", value), std::out_of_range) << value;
  }
  EXPECT_TRUE(test::SamePixels(picture, gradient));
}

}  // namespace
}  // namespace sf
