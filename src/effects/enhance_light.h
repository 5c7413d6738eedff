// Enhance Light: value passes of a quarter sine wave, which lifts dark and mid
// channels towards 255 while keeping 0 and 255.
//   EnhanceLight(picture, 5);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values <= 0.
void EnhanceLight(Bitmap& picture, int value);

}  // namespace sf
