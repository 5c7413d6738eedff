// Posterize: every channel drops to the multiple of the value at or below it.
//   Posterize(picture, 50);   // 0..49 -> 0, 50..99 -> 50, 250..255 -> 250
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. A value of 0 acts as 1.
void Posterize(Bitmap& picture, int value);

}  // namespace sf
