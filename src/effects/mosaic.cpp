#include "effects/mosaic.h"

#include <algorithm>
#include <cstring>

namespace sf {

void Mosaic(Bitmap& picture, int value) {
  const int width = picture.Width();
  const int height = picture.Height();
  // Blocks larger than the picture are cut off like any edge block.
  const int size = std::clamp(value, 1, std::max({width, height, 1}));
  if (size == 1) return;
  const std::size_t bytes = static_cast<std::size_t>(width) * 3;
  for (int top = 0; top < height; top += size) {
    std::uint8_t* first = picture.Row(top).data();
    for (int left = 0; left < width; left += size) {
      const int right = std::min(left + size, width);
      for (int x = left + 1; x < right; ++x) std::memcpy(first + 3 * x, first + 3 * left, 3);
    }
    const int bottom = std::min(top + size, height);
    for (int y = top + 1; y < bottom; ++y) std::memcpy(picture.Row(y).data(), first, bytes);
  }
}

}  // namespace sf
