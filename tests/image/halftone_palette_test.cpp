#include "image/halftone_palette.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(HalftonePalette, IsACubeAndAGreyRampOfDistinctColours) {
  const auto& palette = HalftonePalette();
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(palette[215], (Rgb{255, 255, 255}));
  EXPECT_EQ(palette[36 * 5 + 6 * 1 + 2], (Rgb{255, 51, 102}));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    for (std::size_t j = i + 1; j < palette.size(); ++j) EXPECT_NE(palette[i], palette[j]) << i << " " << j;
  }
  for (int i = 216; i < 256; ++i) EXPECT_TRUE(palette[i].r == palette[i].g && palette[i].g == palette[i].b);
}

TEST(HalftonePalette, FastNearestMatchesAFullSearch) {
  const auto& palette = HalftonePalette();
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 3) {
      for (int b = 0; b < 256; b += 7) {
        const Rgb c{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
        ASSERT_EQ(NearestHalftoneIndex(c.r, c.g, c.b), NearestIndex(palette, c)) << r << "," << g << "," << b;
      }
    }
  }
}

TEST(HalftonePalette, MapperPicksTheLowestIndexOnATie) {
  const std::vector<Rgb> palette = {{10, 10, 10}, {0, 0, 0}, {20, 20, 20}, {0, 0, 0}};
  NearestColorMapper mapper(palette);
  EXPECT_EQ(mapper.Map({15, 15, 15}), 0) << "equally far from entries 0 and 2";
  EXPECT_EQ(mapper.Map({1, 1, 1}), 1);
  EXPECT_EQ(mapper.Map({1, 1, 1}), 1) << "the cached answer is the same";
  EXPECT_EQ(mapper.Map({255, 255, 255}), 2);
}

}  // namespace
}  // namespace sf
