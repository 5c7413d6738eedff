#include "gif/gif_palette_mapping.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "gif/gif_wu_quantizer.h"

namespace sf {

namespace {

// The nearest entry for each cell of 6 bits per component, found when first
// asked for (the cell's centre stands for its colours).
class CellCache {
 public:
  explicit CellCache(std::span<const Rgb> palette) : m_palette(palette), m_index(1 << 18, -1) {}
  std::uint8_t Nearest(int r, int g, int b) {
    const int key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2);
    std::int16_t& index = m_index[static_cast<std::size_t>(key)];
    if (index < 0) {
      index = static_cast<std::int16_t>(NearestIndex(m_palette, (r & ~3) + 2, (g & ~3) + 2, (b & ~3) + 2));
    }
    return static_cast<std::uint8_t>(index);
  }

 private:
  std::span<const Rgb> m_palette;
  std::vector<std::int16_t> m_index;
};

bool Drawn(const RgbPicture& picture, std::size_t i) { return picture.drawn.empty() || picture.drawn[i] != 0; }

void MapNearest(const RgbPicture& picture, std::span<const Rgb> palette, std::uint8_t skip_index,
                std::span<std::uint8_t> out) {
  CellCache cache(palette);
  const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = &picture.rgb[3 * i];
    out[i] = Drawn(picture, i) ? cache.Nearest(p[0], p[1], p[2]) : skip_index;
  }
}

}  // namespace

void MapExactly(const RgbPicture& picture, std::span<const Rgb> palette, std::uint8_t skip_index,
                std::span<std::uint8_t> out) {
  std::unordered_map<std::uint32_t, std::uint8_t> known;
  for (std::size_t i = palette.size(); i-- > 0;) known[ToColorRef(palette[i])] = static_cast<std::uint8_t>(i);
  const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  for (std::size_t i = 0; i < count; ++i) {
    if (!Drawn(picture, i)) {
      out[i] = skip_index;
      continue;
    }
    const std::uint8_t* p = &picture.rgb[3 * i];
    const auto [at, added] = known.try_emplace(ToColorRef(Rgb{p[0], p[1], p[2]}), 0);
    if (added) at->second = static_cast<std::uint8_t>(NearestIndex(palette, p[0], p[1], p[2]));
    out[i] = at->second;
  }
}

namespace {

// Errors in sixteenths, two rows of them with a pixel of margin on each side.
void MapFloydSteinberg(const RgbPicture& picture, std::span<const Rgb> palette, std::uint8_t skip_index,
                       std::span<std::uint8_t> out) {
  CellCache cache(palette);
  const int w = picture.width;
  std::vector<int> current(3 * static_cast<std::size_t>(w + 2)), next(current.size());
  for (int y = 0; y < picture.height; ++y) {
    std::fill(next.begin(), next.end(), 0);
    const bool forward = y % 2 == 0;
    const int step = forward ? 1 : -1;
    for (int n = 0; n < w; ++n) {
      const int x = forward ? n : w - 1 - n;
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x);
      if (!Drawn(picture, i)) {
        out[i] = skip_index;
        continue;
      }
      const std::uint8_t* p = &picture.rgb[3 * i];
      int* e = &current[3 * static_cast<std::size_t>(x + 1)];
      std::array<int, 3> wanted{};
      for (int c = 0; c < 3; ++c) wanted[c] = std::clamp(p[c] + (e[c] + 8) / 16, 0, 255);
      const std::uint8_t index = cache.Nearest(wanted[0], wanted[1], wanted[2]);
      out[i] = index;
      const Rgb shown = palette[index];
      const std::array<int, 3> error{wanted[0] - shown.r, wanted[1] - shown.g, wanted[2] - shown.b};
      int* ahead = &current[3 * static_cast<std::size_t>(x + 1 + step)];
      int* below_behind = &next[3 * static_cast<std::size_t>(x + 1 - step)];
      int* below = &next[3 * static_cast<std::size_t>(x + 1)];
      int* below_ahead = &next[3 * static_cast<std::size_t>(x + 1 + step)];
      for (int c = 0; c < 3; ++c) {
        ahead[c] += error[c] * 7;
        below_behind[c] += error[c] * 3;
        below[c] += error[c] * 5;
        below_ahead[c] += error[c];
      }
    }
    std::swap(current, next);
  }
}

constexpr std::array<std::array<int, 8>, 8> kBayer{{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

// The pattern moves each component by up to half the usual distance between
// the entries of a 256-colour palette of a photo.
constexpr int kOrderedSpread = 12;

void MapOrdered(const RgbPicture& picture, std::span<const Rgb> palette, std::uint8_t skip_index,
                std::span<std::uint8_t> out) {
  CellCache cache(palette);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t i =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x);
      if (!Drawn(picture, i)) {
        out[i] = skip_index;
        continue;
      }
      const int offset = (kBayer[static_cast<std::size_t>(y & 7)][static_cast<std::size_t>(x & 7)] * 2 - 63) *
                         kOrderedSpread / 126;
      const std::uint8_t* p = &picture.rgb[3 * i];
      out[i] = cache.Nearest(std::clamp(p[0] + offset, 0, 255), std::clamp(p[1] + offset, 0, 255),
                             std::clamp(p[2] + offset, 0, 255));
    }
  }
}

}  // namespace

void MapToPalette(const RgbPicture& picture, std::span<const Rgb> palette, GifDither dither,
                  std::uint8_t skip_index, std::span<std::uint8_t> out) {
  switch (dither) {
    case GifDither::kNone:
      MapNearest(picture, palette, skip_index, out);
      return;
    case GifDither::kFloydSteinberg:
      MapFloydSteinberg(picture, palette, skip_index, out);
      return;
    case GifDither::kOrdered:
      MapOrdered(picture, palette, skip_index, out);
      return;
  }
}

}  // namespace sf
