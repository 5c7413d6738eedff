#include "effects/saturation.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "effects/channel_table.h"

namespace sf {

void Saturation(Bitmap& picture, int value) {
  const std::int64_t factor = std::int64_t{value} * 10;
  // The change for every distance d = c - grey in -255..255. A change beyond
  // +-256 clamps the same as 256 would, whatever the grey level.
  std::array<int, 511> change{};
  for (int d = -255; d <= 255; ++d) {
    std::int64_t delta = (d * factor) / 255;
    if (delta > 256) delta = 256;
    if (delta < -256) delta = -256;
    change[static_cast<std::size_t>(d + 255)] = static_cast<int>(delta);
  }
  const int* shift = change.data() + 255;
  const std::size_t width = static_cast<std::size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y).data();
    for (std::size_t x = 0; x < width; ++x, p += 3) {
      const int grey = (p[0] + p[1] + p[2]) / 3;
      p[0] = ClampToByte(grey + shift[p[0] - grey]);
      p[1] = ClampToByte(grey + shift[p[1] - grey]);
      p[2] = ClampToByte(grey + shift[p[2] - grey]);
    }
  }
}

}  // namespace sf
