// Tile Grided: the picture is stretched (nearest neighbour) to a tile of
// trunc(width / value) x trunc(height / value) and repeated at multiples of the
// real tile size, so one-pixel gaps show the picture's own pixels as grid lines
// wherever the fractions add up.
//   TileGrided(picture, 3);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Nothing changes for values below 1 or when a
// tile would be less than 5 pixels wide or high.
void TileGrided(Bitmap& picture, int value);

}  // namespace sf
