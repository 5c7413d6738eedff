// EMF pictures: their natural size in pixels, and the picture played into an
// 8-bit bitmap of that size.
//   const MetafileSize size = EmfSize(bytes);
//   Bitmap picture = RenderEmf(bytes);     // halftone palette; FormatError when damaged
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"
#include "metafile/metafile_size.h"

namespace sf {

// The size at 96 pixels per inch of the header's frame, which is in hundredths
// of a millimetre (2540 to the inch), rounded to the nearest pixel.
MetafileSize EmfSize(std::span<const std::uint8_t> bytes);

Bitmap RenderEmf(std::span<const std::uint8_t> bytes);

}  // namespace sf
