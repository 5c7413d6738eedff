// The two stretches that fitting, the effects and the converter share.
//   ResizeStandard(picture, frame, Rect{40, 0, 680, 480});  // nearest neighbour into a rectangle
//   ResizeSmooth(picture, frame);                           // bilinear over the whole target
#pragma once

#include "image/bitmap.h"

namespace sf {

// Right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Every pixel of the rectangle takes the colour of one source pixel: rows and
// columns are dropped when shrinking and repeated when enlarging, never averaged.
// Pixels outside the rectangle, and outside the target, are not touched; an
// empty source draws nothing. The target must be 24-bit.
void ResizeStandard(const Bitmap& source, Bitmap& target, const Rect& rect);

// Bilinear resampling of the whole 24-bit source into the whole 24-bit target in
// 17.15 fixed point. The first target row and column copy the source's first row
// and column, and samples never reach past the last ones. Throws
// std::invalid_argument for an empty source, which cannot be resampled.
void ResizeSmooth(const Bitmap& source, Bitmap& target);

}  // namespace sf
