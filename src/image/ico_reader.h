// Icon files (.ico, and cursors): the directory is checked against the file and
// its best entry (the largest, then the deepest, as the entries' own headers
// say) is decoded into a 24-bit bitmap. Entries are BMP (with the AND mask or
// 32-bit alpha) or PNG; transparent areas come out white.
//   const Bitmap icon = ReadIco(ReadWholeFile(path));
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"

namespace sf {

Bitmap ReadIco(std::span<const std::uint8_t> bytes);

}  // namespace sf
