#include "effects/blur_gaussian.h"

#include "effects/blur_split.h"

namespace sf {

void BlurGaussian(Bitmap& picture, int value, ProgressObserver* observer) {
  for (int pass = 0; pass < value; ++pass) {
    BlurSplit(picture, 3);
    if (observer != nullptr) observer->ProcessEvents();
  }
}

}  // namespace sf
