// The repeated sine curve behind Enhance Light and Color Split: one pass maps
// every channel c to trunc(sin(c / 255 * A) * 255), stored as a byte.
//   ApplySineCurvePasses(picture, 1.570796327L, 5);
#pragma once

#include <cstdint>

#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; no pass runs when passes <= 0.
void ApplySineCurvePasses(Bitmap& picture, long double a, std::int64_t passes);

}  // namespace sf
