// Decoding the LZW image data of a GIF frame into its colour indices, safe on
// any input: a code beyond the table or data that ends early stops decoding,
// and the pixels not reached keep what the buffer held.
//   const LzwDecodeOutcome outcome = DecodeGifLzw(data, 8, {w, h, interlaced, 256}, pixels);
#pragma once

#include <cstdint>
#include <span>

namespace sf {

struct LzwFrameLayout {
  int width = 0;
  int height = 0;
  bool interlaced = false;
  // Indices at or beyond this count become 0; 0 checks nothing.
  int color_count = 0;
};

struct LzwDecodeOutcome {
  bool underrun = false;       // the data ended before the end-of-information code
  bool bad_code = false;       // a code beyond the table, or an unusable code size
  bool invalid_index = false;  // an index beyond the colour table was replaced by 0
};

// data is the frame's data sub-blocks joined; pixels holds width x height bytes,
// rows top to bottom. Throws GIFException "Circular decoder table entry" for a
// code that refers to the entry it would define.
LzwDecodeOutcome DecodeGifLzw(std::span<const std::uint8_t> data, int min_code_size, const LzwFrameLayout& layout,
                              std::span<std::uint8_t> pixels);

}  // namespace sf
