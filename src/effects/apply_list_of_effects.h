// Applying a row's whole effect list text to its picture, as a compile or a
// conversion does, with the failures reported to the user.
//   ApplyListOfEffects(picture, "2<Brighter=50><Blur Gaussian=3>", reporter);
#pragma once

#include <string_view>

#include "common/progress_observer.h"
#include "common/reporter.h"
#include "image/bitmap.h"

namespace sf {

// Runs the entries in order on a 24-bit copy of the picture and draws the
// result back into the picture, which keeps its own pixel format. The empty
// text leaves the picture untouched. A name not in the catalogue reports
// "Error applying effect \"NAME\". Effect not found.\n - ApplyListOfEffects()"
// and stops; any other failure (a malformed text, a value that is not a whole
// number, a failing effect) reports its own description and then
// "Error applying list of effects to bitmap.\n - ApplyListOfEffects()()".
// Either way the picture is left as it was and the call returns normally.
void ApplyListOfEffects(Bitmap& picture, std::string_view text, Reporter& reporter,
                        ProgressObserver* observer = nullptr);

}  // namespace sf
