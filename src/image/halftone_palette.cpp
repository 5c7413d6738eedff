#include "image/halftone_palette.h"

#include <algorithm>
#include <cstdlib>

namespace sf {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kGreyCount = 40;

std::vector<Rgb> MakeHalftonePalette() {
  std::vector<Rgb> palette;
  palette.reserve(256);
  for (int r = 0; r < kCubeLevels; ++r) {
    for (int g = 0; g < kCubeLevels; ++g) {
      for (int b = 0; b < kCubeLevels; ++b) {
        palette.push_back(Rgb{static_cast<std::uint8_t>(r * kCubeStep), static_cast<std::uint8_t>(g * kCubeStep),
                              static_cast<std::uint8_t>(b * kCubeStep)});
      }
    }
  }
  // Greys at k * 255 / 45, leaving out every ninth, which the cube already has.
  for (int k = 1; k < 45; ++k) {
    if (k % 9 == 0) continue;
    const auto v = static_cast<std::uint8_t>((k * 255 * 2 + 45) / 90);
    palette.push_back(Rgb{v, v, v});
  }
  return palette;
}

int Square(int v) { return v * v; }

int Distance(Rgb a, Rgb b) { return Square(a.r - b.r) + Square(a.g - b.g) + Square(a.b - b.b); }

int NearestCubeLevel(int v) { return (v + kCubeStep / 2) / kCubeStep; }

}  // namespace

const std::vector<Rgb>& HalftonePalette() {
  static const std::vector<Rgb> palette = MakeHalftonePalette();
  return palette;
}

std::uint8_t NearestHalftoneIndex(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const auto& palette = HalftonePalette();
  const Rgb c{r, g, b};
  // The cube is a grid, so its nearest point is the nearest level per axis.
  const int cube = NearestCubeLevel(r) * 36 + NearestCubeLevel(g) * 6 + NearestCubeLevel(b);
  int best = cube;
  int best_distance = Distance(c, palette[cube]);
  // Among greys the distance is a parabola in the grey value with its minimum at
  // the mean, so only the greys within 8 of the mean can win (they are 255/45
  // apart). Grey k (1..44, every ninth left out) sits at index 216 + k - 1 - k / 9;
  // walking k upwards keeps ties resolved by the lowest index.
  const int mean = (r + g + b) / 3;
  const int centre = mean * 45 / 255;
  for (int k = std::max(1, centre - 2); k <= std::min(44, centre + 2); ++k) {
    if (k % 9 == 0) continue;
    const int i = 216 + k - 1 - k / 9;
    if (std::abs(palette[i].r - mean) > 8) continue;
    const int d = Distance(c, palette[i]);
    if (d < best_distance) {
      best_distance = d;
      best = i;
    }
  }
  return static_cast<std::uint8_t>(best);
}

bool IsHalftonePalette(std::span<const Rgb> palette) {
  const auto& halftone = HalftonePalette();
  return palette.size() == halftone.size() && std::equal(palette.begin(), palette.end(), halftone.begin());
}

std::uint8_t NearestIndex(std::span<const Rgb> palette, Rgb c) {
  if (palette.empty()) return 0;
  int best = 0;
  int best_distance = Distance(c, palette[0]);
  for (std::size_t i = 1; i < palette.size() && best_distance > 0; ++i) {
    const int d = Distance(c, palette[i]);
    if (d < best_distance) {
      best_distance = d;
      best = static_cast<int>(i);
    }
  }
  return static_cast<std::uint8_t>(best);
}

NearestColorMapper::NearestColorMapper(std::span<const Rgb> palette)
    : m_palette(palette.begin(), palette.end()), m_halftone(IsHalftonePalette(palette)) {
  if (!m_halftone) m_cache.assign(1 << 16, 0);
}

std::uint8_t NearestColorMapper::Map(Rgb c) {
  if (m_halftone) {
    // Flat areas (backgrounds, borders, drawings) repeat the last colour.
    if (m_last_key == ToColorRef(c)) return m_last_index;
    m_last_key = ToColorRef(c);
    return m_last_index = NearestHalftoneIndex(c.r, c.g, c.b);
  }
  const std::uint64_t key = ToColorRef(c);
  const std::size_t slot = static_cast<std::size_t>((key ^ (key >> 11) ^ (key >> 17)) & 0xFFFF);
  const std::uint64_t entry = m_cache[slot];
  if ((entry >> 8) == key + 1) return static_cast<std::uint8_t>(entry & 0xFF);
  const std::uint8_t best = NearestIndex(m_palette, c);
  m_cache[slot] = ((key + 1) << 8) | best;
  return best;
}

}  // namespace sf
