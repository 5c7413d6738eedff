// Encoding a frame's colour indices as GIF LZW image data (the code stream,
// without the minimum code size byte and without sub-block framing).
//   const std::vector<std::uint8_t> codes = EncodeGifLzw(indices, 8, TGIFCompression::gcLZW);
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gif/gif_types.h"

namespace sf {

// indices in the order they stand in the file, each below 2^min_code_size;
// min_code_size 2..8. gcLZW: a clear code first, variable code widths up to 12
// bits and a new table once code 4094 has been assigned. gcRLE: literal codes
// only, a clear code before the code width would grow.
std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int min_code_size,
                                       TGIFCompression compression);

}  // namespace sf
