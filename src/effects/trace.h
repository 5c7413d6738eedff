// Trace: one-pixel black outlines along the borders between the colour regions
// of the picture's 8-bit (halftone) reduction. Value 1 sweeps forward over the
// picture; 2 adds a backward sweep.
//   Trace(picture, 1);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values below 1.
void Trace(Bitmap& picture, int value);

}  // namespace sf
