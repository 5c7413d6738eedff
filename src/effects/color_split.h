// Color Split: value + 1 passes of a sine curve that rises to 255 near 153
// and falls back to 127 at 255, which splits colours into bands.
//   ColorSplit(picture, 1);   // two passes
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values below 0.
void ColorSplit(Bitmap& picture, int value);

}  // namespace sf
