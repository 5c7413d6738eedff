// Pictures drawn in code for tests: gradients of odd sizes, solid fills, and
// pixel-by-pixel comparison.
//   Bitmap b = MakeGradient(47, 33, PixelFormat::kBits24);
//   EXPECT_TRUE(SamePixels(a, b));
#pragma once

#include <string>

#include "image/bitmap.h"

namespace sf::test {

// A picture whose every pixel differs from its neighbours: red grows to the
// right, green downwards, blue along the diagonal. Paletted formats get the
// halftone-mapped colours.
Bitmap MakeGradient(int width, int height, PixelFormat format = PixelFormat::kBits24);
Bitmap MakeSolid(int width, int height, Rgb color, PixelFormat format = PixelFormat::kBits24);
// A 24-bit picture from rows of 0xRRGGBB values, top row first.
Bitmap MakeFromRows(const std::vector<std::vector<std::uint32_t>>& rows);
// Same size and the same colour at every pixel (formats may differ).
bool SamePixels(const Bitmap& a, const Bitmap& b);
// The first differing pixel as text, or empty when the pictures are the same.
std::string FirstDifference(const Bitmap& a, const Bitmap& b);

}  // namespace sf::test
