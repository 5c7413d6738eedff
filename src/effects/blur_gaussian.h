// Blur Gaussian: value passes of Blur Split with the distance 3. Between passes
// the caller's observer may let the user interface handle pending events.
//   BlurGaussian(picture, 3, &observer);
#pragma once

#include "common/progress_observer.h"
#include "image/bitmap.h"

namespace sf {

// The picture must be 24-bit; nothing changes for values <= 0. The observer,
// when given, gets ProcessEvents() after every pass; it must not touch the
// picture.
void BlurGaussian(Bitmap& picture, int value, ProgressObserver* observer = nullptr);

}  // namespace sf
