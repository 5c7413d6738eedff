// Emboss and Emboss Noise: every channel is mixed with the inverse of the pixel
// value columns to its right (the pixel itself near the right edge), in place.
//   Emboss(picture, 3);        // flat areas become grey 127
//   EmbossNoise(picture, 3);   // the same, with the mix wrapping in its low byte
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. A partner column outside the picture (the last
// value columns, or a negative value reaching past the left edge) is the pixel
// itself.
void Emboss(Bitmap& picture, int value);
void EmbossNoise(Bitmap& picture, int value);

}  // namespace sf
