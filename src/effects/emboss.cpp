#include "effects/emboss.h"

#include <cstdint>

namespace sf {

namespace {

// (c + (inverse_base - p)) >> 1 with the low 8 bits stored. The partner is read
// before the pixel is written, and pixels to its right are still unchanged.
template <int kInverseBase>
void EmbossRows(Bitmap& picture, int value) {
  const std::int64_t width = picture.Width();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y).data();
    for (std::int64_t x = 0; x < width; ++x) {
      const std::int64_t partner = x + value;
      const std::int64_t p = 3 * (partner >= 0 && partner < width ? partner : x);
      for (std::int64_t c = 0; c < 3; ++c) {
        const int mixed = (row[3 * x + c] + (kInverseBase - row[p + c])) >> 1;
        row[3 * x + c] = static_cast<std::uint8_t>(mixed & 0xFF);
      }
    }
  }
}

}  // namespace

void Emboss(Bitmap& picture, int value) { EmbossRows<255>(picture, value); }

void EmbossNoise(Bitmap& picture, int value) { EmbossRows<65535>(picture, value); }

}  // namespace sf
