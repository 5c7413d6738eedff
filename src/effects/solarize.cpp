#include "effects/solarize.h"

#include <cstddef>
#include <cstdint>

namespace sf {

void Solarize(Bitmap& picture, int value) {
  const std::int64_t threshold = 256 - std::int64_t{value};
  // Each pixel is decided by its own old channels only, so working in place
  // gives the same bytes as working from a copy.
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y).data();
    for (std::size_t x = 0; x < width; ++x, p += 3) {
      const int grey = (p[0] + p[1] + p[2]) / 3;
      if (grey > threshold) {
        p[0] = static_cast<std::uint8_t>(255 - p[0]);
        p[1] = static_cast<std::uint8_t>(255 - p[1]);
        p[2] = static_cast<std::uint8_t>(255 - p[2]);
      }
    }
  }
}

}  // namespace sf
