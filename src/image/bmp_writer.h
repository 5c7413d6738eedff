// BMP files from bitmaps: a 14-byte file header, a 40-byte info header, the
// palette of 1-, 4- and 8-bit bitmaps (biClrUsed = its size) and the rows as
// stored. 16- and 32-bit bitmaps are written as 24 bits.
//   WriteBmpFile(frame, "/tmp/frame001.bmp");
//   const std::vector<std::uint8_t> bytes = EncodeBmp(frame);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/bitmap.h"

namespace sf {

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);

// Throws std::runtime_error with a plain message when the file cannot be written.
void WriteBmpFile(const Bitmap& bitmap, const std::string& path);

}  // namespace sf
