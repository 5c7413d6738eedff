// Solarize: every pixel whose grey level (the mean of its channels) lies above
// 256 - value is inverted; the others stay as they are.
//   Solarize(picture, 256);   // inverts everything but pure black
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit.
void Solarize(Bitmap& picture, int value);

}  // namespace sf
