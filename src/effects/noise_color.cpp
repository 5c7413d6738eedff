#include "effects/noise_color.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "effects/channel_table.h"
#include "effects/noise_random.h"

namespace sf {

void NoiseColor(Bitmap& picture, int value) {
  if (value == 0) return;
  const std::int64_t half = value >> 1;
  // The draws are never negative, so the remainder by a negative value is the
  // remainder by its magnitude.
  const FastModulo modulo(static_cast<std::uint32_t>(std::llabs(value)));
  const std::size_t bytes = static_cast<std::size_t>(picture.Width()) * 3;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y).data();
    // Blue, green, red of each pixel in turn: one draw per byte in row order.
    for (std::size_t i = 0; i < bytes; ++i) {
      const std::int64_t n = modulo(NoiseRandom());
      p[i] = ClampToByte(p[i] + n - half);
    }
  }
}

}  // namespace sf
