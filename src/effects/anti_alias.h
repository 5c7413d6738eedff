// Anti-alias: value passes in which every inner pixel becomes the mean of its
// four neighbours, in place, so the upper and left neighbours are already
// smoothed when they are read. The outermost rows and columns never change.
//   AntiAlias(picture, 3);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values <= 0.
void AntiAlias(Bitmap& picture, int value);

}  // namespace sf
