// A GIF file as a still picture for the picture loader: an 8-bit bitmap of the
// logical screen's size in the halftone palette, white, with the first frame
// drawn on it as the codec renders it (transparent pixels stay white).
//   const Bitmap picture = LoadGifPicture(bytes);   // throws GIFException
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

Bitmap LoadGifPicture(std::span<const std::uint8_t> bytes);

}  // namespace sf
