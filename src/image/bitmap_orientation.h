// Turning a decoded photo upright by its recorded orientation: mirrors, turns
// of 90, 180 and 270 degrees and the two diagonal mirrors, each an exact move
// of the stored pixels in any pixel format (palette and masks are kept).
//   picture = OrientBitmap(std::move(picture), ReadExifOrientation(bytes));
#pragma once

#include "image/bitmap.h"
#include "image/exif_orientation.h"

namespace sf {

// The picture as it should be shown; kUpright returns it unchanged. The four
// orientations from kTranspose on swap width and height.
Bitmap OrientBitmap(Bitmap picture, ExifOrientation orientation);

}  // namespace sf
