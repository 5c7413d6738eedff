// BMP pictures as stored: 1, 2 (widened to 4), 4, 8, 16, 24 and 32 bits, BI_RGB,
// RLE8, RLE4, BITFIELDS and ALPHABITFIELDS, top-down rows, OS/2 1.x and 2.x
// headers (with RLE24), v4/v5 headers, embedded JPEG and PNG streams, and the
// first bitmap of an OS/2 bitmap array. Bad files throw FormatError.
//   const Bitmap picture = ReadBmp(ReadWholeFile(path));
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

Bitmap ReadBmp(std::span<const std::uint8_t> bytes);

// The picture of an icon entry: an info header whose height counts the colour
// rows and the mask rows, its palette, the colour rows, then the AND mask.
struct IconDib {
  Bitmap picture;
  // The bytes after the colour rows (the AND mask, when present).
  std::span<const std::uint8_t> after_pixels;
};
IconDib ReadIconDib(std::span<const std::uint8_t> dib);

}  // namespace sf
