// Reducing a picture of more than 8 bits per pixel to an 8-bit paletted bitmap
// before it becomes a GIF frame: the 216-colour web palette (rmNetscape) or an
// octree palette of 2^bits colours (rmQuantize), each pixel mapped on its own.
//   const Bitmap frame = ReduceColors(picture, TColorReduction::rmQuantize, TDitherMode::dmNearest, 8);
#pragma once

#include <cstdint>
#include <vector>

#include "gif/gif_types.h"
#include "image/bitmap.h"

namespace sf {

// The 6 x 6 x 6 colour cube with levels 0, 51, ... 255; index 36 r + 6 g + b.
std::vector<Rgb> WebPalette();
// The level of one component in the web palette: (value + 3) div 51, so the
// thresholds lie at 48, 99, 150, 201 and 252.
int WebLevel(std::uint8_t value);

// An 8-bit bitmap of the picture's size. Reductions other than rmNetscape and
// rmQuantize, and dither modes other than dmNearest, throw GIFException.
Bitmap ReduceColors(const Bitmap& picture, TColorReduction reduction, TDitherMode dither, int bits);

}  // namespace sf
