// JPEG pictures decoded with libjpeg at full size into 24-bit bitmaps, with the
// library's default settings (so pixels match other libjpeg-turbo programs).
// Grey, CMYK and YCCK pictures come out as RGB; a truncated file decodes what
// is there. Bad data throws FormatError with libjpeg's message.
//   const Bitmap picture = DecodeJpeg(ReadWholeFile(path));
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace sf
