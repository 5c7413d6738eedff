// Decoding a picture file with ImageMagick, a reader we did not write, to check
// our decoders pixel by pixel. /usr/local/bin/convert on the build machines is
// a stand-in, so only /usr/bin/convert or `magick` are used.
//   const auto reference = ReferenceRgb(path);
//   if (!reference) GTEST_SKIP() << "ImageMagick is not installed";
//   EXPECT_EQ(CompareWithReference(picture, *reference, 0), "");
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/bitmap.h"

namespace sf::test {

// Red-green-blue bytes of every pixel, top row first; nullopt when ImageMagick
// is absent or cannot read the file.
std::optional<std::vector<std::uint8_t>> ReferenceRgb(const std::string& path);

// Empty when every channel of the picture is within tolerance of the reference,
// else the first pixel that is not.
std::string CompareWithReference(const Bitmap& picture, const std::vector<std::uint8_t>& reference, int tolerance);

}  // namespace sf::test
