// Tile: the picture is shrunk smoothly to 1 / value of its size and repeated
// value x value times over itself; the last row and column of tiles are cut
// off when the size is not a multiple of the value.
//   Tile(picture, 2);   // a 2 x 2 grid of half-size copies
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. Nothing changes for values <= 0 or when a tile
// would be less than 5 pixels wide or high.
void Tile(Bitmap& picture, int value);

}  // namespace sf
