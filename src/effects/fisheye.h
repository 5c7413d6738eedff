// Fisheye: a lens centred on the picture that pulls content outwards more
// strongly the farther a pixel lies from the centre, with radius width * value.
//   Fisheye(picture, 1.0);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; the value is used as a real number. A pixel whose
// distance from the centre equals the radius exactly (or a radius of 0) makes
// the lens formula divide by zero: throws std::domain_error("Floating point
// division by zero") and leaves the picture as it was.
void Fisheye(Bitmap& picture, double value);

}  // namespace sf
