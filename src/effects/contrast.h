// Contrast: every channel moves away from 127 (towards it for negative values)
// in proportion to the value, clamped to a byte.
//   Contrast(picture, 100.0);   // 0 -> 0, 127 -> 127, 255 -> 255
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; the value is used as a real number.
void Contrast(Bitmap& picture, double value);

}  // namespace sf
