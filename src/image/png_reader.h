// PNG pictures decoded with libpng into 24-bit bitmaps: palette, grey and tRNS
// expanded, 16-bit samples scaled to 8, alpha composited over white; of an
// animated PNG the default image. Bad data throws FormatError.
//   const Bitmap picture = DecodePng(ReadWholeFile(path));
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

Bitmap DecodePng(std::span<const std::uint8_t> bytes);

// True when the bytes begin with the 8-byte PNG signature.
bool HasPngSignature(std::span<const std::uint8_t> bytes);

}  // namespace sf
