#include "effects/enhance_light.h"

#include "effects/sine_curve.h"

namespace sf {

void EnhanceLight(Bitmap& picture, int value) { ApplySineCurvePasses(picture, 1.570796327L, value); }

}  // namespace sf
