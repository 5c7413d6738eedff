// Saturation: every channel moves away from the pixel's grey level by a factor
// of value * 10 / 255, clamped to a byte; grey pixels never change.
//   Saturation(picture, 60);  // the default: colours grow strongly
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit.
void Saturation(Bitmap& picture, int value);

}  // namespace sf
