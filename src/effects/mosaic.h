// Mosaic: the picture is cut into value x value blocks from the top-left corner
// (cut off at the right and bottom edges) and every block takes the colour of
// its top-left pixel.
//   Mosaic(picture, 10);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Values below 1 act as 1, which changes nothing.
void Mosaic(Bitmap& picture, int value);

}  // namespace sf
