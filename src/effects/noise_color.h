// Noise Color: every channel of every pixel gets its own random shift in
// -(value / 2) .. value - 1 - value / 2, clamped to a byte.
//   NoiseColor(picture, 100);   // three draws from NoiseRandom per pixel
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Value 0 draws nothing and changes nothing; value
// 1 draws but changes nothing.
void NoiseColor(Bitmap& picture, int value);

}  // namespace sf
