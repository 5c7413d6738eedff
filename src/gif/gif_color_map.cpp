#include "gif/gif_color_map.h"

#include <algorithm>

namespace sf {

int TGIFColorMap::BitsPerPixel() const {
  if (m_colors.empty()) return 0;
  int bits = 1;
  while ((1 << bits) < Count()) ++bits;
  return bits;
}

void TGIFColorMap::Assign(std::span<const Rgb> colors) {
  const std::size_t n = std::min<std::size_t>(colors.size(), kMaxColors);
  m_colors.assign(colors.begin(), colors.begin() + static_cast<std::ptrdiff_t>(n));
  m_sorted = false;
}

void TGIFColorMap::Clear() {
  m_colors.clear();
  m_sorted = false;
}

}  // namespace sf
