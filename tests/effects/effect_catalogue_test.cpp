// The catalogue's names and ranges, and applying one effect by name.
#include "effects/effect_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "effects/apply_effect.h"
#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

TEST(EffectCatalogue, ListsTheTwentyThreeNamesInCatalogueOrder) {
  const std::vector<std::string> expected = {
      "Fisheye",    "Contrast", "Brighter", "Darker",    "Enhance Light", "Saturation",   "Anti-alias",
      "Noise Color", "Noise Mono", "Blur Gaussian", "Blur Split", "Mosaic", "Twist",     "Tile",
      "Tile Grided", "Trace",   "Solarize", "Posterize", "Plux Blue",     "Emboss",       "Emboss Noise",
      "Invert Colors", "Color Split"};
  EXPECT_EQ(GetEffectNames(), expected);
}

TEST(EffectCatalogue, PictureWidthSetsThreeMaxima) {
  const auto range_of = [](int width, const char* name) {
    EffectRange range;
    EXPECT_FALSE(GetEffectSpecifications(Bitmap(width, 10), name, range)) << name;
    return std::pair{range.maximum, range.default_value};
  };
  EXPECT_EQ(range_of(320, "Emboss"), (std::pair{9.0, 3.0}));       // 320 * 0.025 + 1
  EXPECT_EQ(range_of(40, "Emboss Noise"), (std::pair{2.0, 1.0}));  // not above 2
  EXPECT_EQ(range_of(100, "Emboss"), (std::pair{3.5, 3.0}));
  EXPECT_EQ(range_of(320, "Blur Split"), (std::pair{319.0, 2.0}));
  EXPECT_EQ(range_of(40, "Plux Blue"), (std::pair{1000.0, 152.0}));
  EXPECT_EQ(range_of(40, "Trace"), (std::pair{2.0, 1.0}));

  EffectRange range{7, 7, 7};
  EXPECT_TRUE(GetEffectSpecifications(Bitmap(320, 240), "emboss", range)) << "names are case-sensitive";
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
}

TEST(ApplyEffect, TruncatesTheValueTowardZeroAndRefusesValuesNoIntHolds) {
  const Bitmap gradient = test::MakeGradient(6, 5);
  const auto result = [&](const char* name, double value) {
    Bitmap picture = gradient;
    EXPECT_FALSE(ApplyEffect(picture, name, value));
    return picture;
  };
  EXPECT_TRUE(test::SamePixels(result("Mosaic", 2.9), result("Mosaic", 2)));
  EXPECT_TRUE(test::SamePixels(result("Emboss", -1.7), result("Emboss", -1)));

  Bitmap picture = gradient;
  for (const double value : {3e9, -3e9, std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_THAT([&] { (void)(ApplyEffect(picture, "Brighter", value)); },
                ThrowsMessage<std::out_of_range>(StrEq("The effect value is out of range.")))
        << value;
  }
  // The blur's work grows with its radius: past the editor's largest it is refused.
  EXPECT_FALSE(ApplyEffect(picture, "Blur Gaussian", 150.9));
  picture = gradient;
  EXPECT_THAT([&] { (void)(ApplyEffect(picture, "Blur Gaussian", 100000)); },
              ThrowsMessage<std::out_of_range>(StrEq("Blur Gaussian takes values up to 150, not 100000.")));
  EXPECT_TRUE(test::SamePixels(picture, gradient));
}

}  // namespace
}  // namespace sf
