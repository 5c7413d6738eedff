// Plux Blue: a fixed-point resampling of the picture onto itself whose weights
// are distorted by value * 100, and whose blue channel mixes in a vertically
// squeezed copy of the picture's upper half. Weight arithmetic wraps at 32
// bits, which is part of the effect above 655.
//   PluxBlue(picture, 152);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit.
void PluxBlue(Bitmap& picture, int value);

}  // namespace sf
