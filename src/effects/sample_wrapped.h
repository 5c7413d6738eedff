// The wrapped bilinear sample of Fisheye and Twist: one pixel of a 24-bit
// source at a real position, with positions outside the picture wrapped back
// into it and the neighbour after the last row or column taken from the first.
//   const BgrPixel p = SampleWrapped(source, 12.25, -3.5);
#pragma once

#include <cstdint>

#include "image/bitmap.h"

namespace sf {

struct BgrPixel {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
};

// The source must be 24-bit and not empty. Throws std::domain_error for a
// position that is not a finite number.
BgrPixel SampleWrapped(const Bitmap& source, double sx, double sy);

}  // namespace sf
