// Run-length decoding of BMP pixel data (RLE8, RLE4 and the OS/2 RLE24) into a
// bitmap of the matching format. Runs are clipped to the bitmap; data that ends
// early leaves the remaining pixels as they are.
//   DecodeBmpRle(data, 8, /*top_down=*/false, picture);
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

// bits is 8, 4 or 24 and matches the target's format. Rows run bottom-up in the
// data unless top_down is set.
void DecodeBmpRle(std::span<const std::uint8_t> data, int bits, bool top_down, Bitmap& target);

}  // namespace sf
