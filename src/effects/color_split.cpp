#include "effects/color_split.h"

#include <cstdint>

#include "effects/sine_curve.h"

namespace sf {

void ColorSplit(Bitmap& picture, int value) {
  ApplySineCurvePasses(picture, 2.6179938783333334L, std::int64_t{value} + 1);
}

}  // namespace sf
