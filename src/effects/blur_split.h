// Blur Split: every pixel becomes the mean of the four pixels value rows above
// or below and value columns left or right of it, mirrored back into the
// picture at its edges, in place, top row first.
//   BlurSplit(picture, 2);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values <= 0.
void BlurSplit(Bitmap& picture, int value);

}  // namespace sf
