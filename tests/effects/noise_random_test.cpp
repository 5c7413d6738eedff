// The noise generator's sequence from program start. This file is its own test
// program so that the generator starts at S = 1 when the first test runs; the
// draws are checked in one test, in order.
#include "effects/noise_random.h"

#include <gtest/gtest.h>

#include "effects/noise_color.h"
#include "effects/noise_mono.h"
#include "support/pictures.h"

namespace sf {
namespace {

TEST(NoiseRandom, FirstNoiseAfterStartUpIsTheSameInEveryRun) {
  // M = 0x15A * 2^32 + 0x4E35 (a = 346, b = 20021).
  // Draw 1: S1 = M + 1 = 346 * 2^32 + 20022 -> 346.
  // Draw 2: S1 * M mod 2^64 = a(2b + 1) * 2^32 + b(b + 1)
  //         = 346 * 40043 * 2^32 + 20021 * 20022 = 13854878 * 2^32 + 400860462,
  //         plus 1 (no carry into the high half) -> 13854878.
  // Noise Mono 100 (h = 50): 346 mod 100 - 50 = -4 and 13854878 mod 100 - 50 = 28.
  Bitmap picture = test::MakeSolid(2, 1, Rgb{128, 128, 128});
  NoiseMono(picture, 100);
  EXPECT_EQ(picture.PixelColor(0, 0), (Rgb{124, 124, 124}));
  EXPECT_EQ(picture.PixelColor(1, 0), (Rgb{156, 156, 156}));

  // Noise Color takes three draws per pixel, blue first, from where the
  // sequence stands (S2 above), each shifted by -(v >> 1).
  std::uint64_t s = (std::uint64_t{13854878} << 32) + 400860463;
  const auto draw = [&s] {
    s = s * 0x0000015A00004E35ULL + 1;
    return static_cast<int>((s >> 32) & 0x7FFFFFFF);
  };
  Bitmap color = test::MakeSolid(2, 2, Rgb{100, 100, 100});
  NoiseColor(color, 7);  // h = 3
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) {
      const int blue = 100 + draw() % 7 - 3;
      const int green = 100 + draw() % 7 - 3;
      const int red = 100 + draw() % 7 - 3;
      EXPECT_EQ(color.PixelColor(x, y), (Rgb{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                                             static_cast<std::uint8_t>(blue)}))
          << x << "," << y;
    }
  }
  EXPECT_EQ(NoiseRandom(), draw()) << "the sequence goes on from the effects' draws";
}

TEST(FastModulo, AgreesWithTheRemainder) {
  for (const std::uint32_t divisor : {1u, 3u, 100u, 3000u, 65537u, 2147483648u}) {
    const FastModulo modulo(divisor);
    for (const std::uint32_t n : {0u, 1u, 99u, 346u, 13854878u, 2147483647u}) EXPECT_EQ(modulo(n), n % divisor);
  }
}

}  // namespace
}  // namespace sf
