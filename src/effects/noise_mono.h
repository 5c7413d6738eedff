// Noise Mono: every pixel gets one random shift in -(value / 2) ..
// value - 1 - value / 2, added to all three channels and clamped to a byte.
//   NoiseMono(picture, 100);    // one draw from NoiseRandom per pixel
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Value 0 draws nothing and changes nothing; value
// 1 draws but changes nothing.
void NoiseMono(Bitmap& picture, int value);

}  // namespace sf
