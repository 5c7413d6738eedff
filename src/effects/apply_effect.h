// Applying one catalogue effect by name to a picture, as the compile, the
// effects editor's previews and the converter do.
//   if (ApplyEffect(picture, "Brighter", 50)) reporter.Error("... not found ...");
#pragma once

#include <string_view>

#include "common/progress_observer.h"
#include "image/bitmap.h"

namespace sf {

// Converts the picture to 24 bits, then applies the effect named exactly
// `name` with `value` (real for Fisheye and Contrast, truncated toward zero for
// the others). Returns true when the name is not in the catalogue ("not
// found"): the picture has then only been converted. The observer's
// ProcessEvents() runs between the passes of Blur Gaussian.
// Throws std::out_of_range for a value that is not a finite number or whose
// whole part does not fit an int, and std::domain_error when Fisheye divides
// by zero.
bool ApplyEffect(Bitmap& picture, std::string_view name, double value, ProgressObserver* observer = nullptr);

}  // namespace sf
