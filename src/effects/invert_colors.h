// Invert Colors: value 1 is a plain inversion; each further step shifts the
// inverted channel right, filling the top bits with ones, so from 9 on every
// channel becomes 255.
//   InvertColors(picture, 1);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Only the low five bits of value - 1 count.
void InvertColors(Bitmap& picture, int value);

}  // namespace sf
