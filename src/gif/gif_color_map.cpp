#include "gif/gif_color_map.h"

#include <algorithm>

#include "gif/gif_types.h"

namespace sf {

int BitsForColorCount(int count) {
  if (count <= 0) return 0;
  int bits = 1;
  while ((1 << bits) < count) ++bits;
  return bits;
}

int TGIFColorMap::BitsPerPixel() const { return BitsForColorCount(Count()); }

int TGIFColorMap::Add(Rgb color) {
  if (Count() >= kMaxColors) throw GIFException("Color table overflow");
  m_colors.push_back(color);
  return Count() - 1;
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
