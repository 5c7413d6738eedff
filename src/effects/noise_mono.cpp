#include "effects/noise_mono.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "effects/channel_table.h"
#include "effects/noise_random.h"

namespace sf {

void NoiseMono(Bitmap& picture, int value) {
  if (value == 0) return;
  const std::int64_t half = value >> 1;
  // The draws are never negative, so the remainder by a negative value is the
  // remainder by its magnitude.
  const FastModulo modulo(static_cast<std::uint32_t>(std::llabs(value)));
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y).data();
    for (std::size_t x = 0; x < width; ++x, p += 3) {
      const std::int64_t n = std::int64_t{modulo(NoiseRandom())} - half;
      p[0] = ClampToByte(p[0] + n);
      p[1] = ClampToByte(p[1] + n);
      p[2] = ClampToByte(p[2] + n);
    }
  }
}

}  // namespace sf
