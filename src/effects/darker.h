// Darker: every channel moves towards 0 by (value - 1) / 255 of the way.
//   Darker(picture, 100);     // 1 changes nothing, 256 turns everything black
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit.
void Darker(Bitmap& picture, int value);

}  // namespace sf
