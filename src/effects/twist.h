// Twist: content turns around the centre by an angle that grows with the
// distance from it; smaller values twist more.
//   Twist(picture, 100);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit. A value of 0 acts as 1.
void Twist(Bitmap& picture, int value);

}  // namespace sf
