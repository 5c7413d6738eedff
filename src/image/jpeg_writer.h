// JPEG files from bitmaps of any format, encoded by libjpeg as 24-bit colour
// with a quality from 1 to 100 (values outside are clamped).
//   const std::vector<std::uint8_t> frame = EncodeJpeg(picture, 75);
//   WriteJpegFile(picture, "/tmp/out.jpg", 90);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/bitmap.h"

namespace sf {

// Throws std::runtime_error with libjpeg's message when the picture cannot be
// encoded (an empty picture, a side above 65500 pixels).
std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality);

// Also throws std::runtime_error when the file cannot be written.
void WriteJpegFile(const Bitmap& bitmap, const std::string& path, int quality);

}  // namespace sf
