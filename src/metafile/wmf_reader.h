// WMF pictures, with or without the placeable header: their natural size in
// pixels, and the picture played into an 8-bit bitmap of that size.
//   const MetafileSize size = WmfSize(bytes);
//   Bitmap picture = RenderWmf(bytes);     // halftone palette; FormatError when damaged
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"
#include "metafile/metafile_size.h"

namespace sf {

// The size at 96 pixels per inch: the placeable header's box at its units per
// inch, rounded to the nearest pixel. A plain WMF has no physical size: one
// unit of its window is one pixel, and the window is the last extent that
// its records set.
MetafileSize WmfSize(std::span<const std::uint8_t> bytes);

Bitmap RenderWmf(std::span<const std::uint8_t> bytes);

}  // namespace sf
