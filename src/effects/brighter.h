// Brighter: every channel moves towards 255 by (value - 1) / 255 of the way.
//   Brighter(picture, 50);    // 1 changes nothing, 256 turns everything white
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit.
void Brighter(Bitmap& picture, int value);

}  // namespace sf
