#include "image/resize_filtered.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/row_blocks.h"

namespace sf {

namespace {

constexpr double kB = 0.0;
constexpr double kC = 0.6;
constexpr int kWeightBits = 14;

double Cubic(double x) {
  x = std::fabs(x);
  if (x < 1.0) return ((12 - 9 * kB - 6 * kC) * x * x * x + (-18 + 12 * kB + 6 * kC) * x * x + (6 - 2 * kB)) / 6;
  if (x < 2.0) {
    return ((-kB - 6 * kC) * x * x * x + (6 * kB + 30 * kC) * x * x + (-12 * kB - 48 * kC) * x + (8 * kB + 24 * kC)) /
           6;
  }
  return 0.0;
}

// For each target position the first source position and fixed-point
// weights (all taps of a position stand together, `taps` per position).
struct Filter {
  int taps = 0;
  std::vector<int> first;
  std::vector<std::int32_t> weights;
};

// Target position t samples the source around origin + (t + 0.5) x scale.
Filter FilterFor(int source, double origin, double span, int target) {
  const double scale = span / target;
  const double stretch = std::max(1.0, scale);   // a wider kernel when shrinking
  const double support = 2.0 * stretch;
  Filter filter;
  filter.taps = std::min(static_cast<int>(std::ceil(support)) * 2 + 1, source);
  filter.first.resize(static_cast<std::size_t>(target));
  filter.weights.assign(static_cast<std::size_t>(target) * static_cast<std::size_t>(filter.taps), 0);
  std::vector<double> w(static_cast<std::size_t>(filter.taps));
  for (int t = 0; t < target; ++t) {
    // A centre beyond the edges by more than the support has every tap on the
    // edge pixel: held there, it cannot overflow.
    const double centre = std::clamp(origin + (t + 0.5) * scale - 0.5, -support - 1, source + support);
    const int first = static_cast<int>(std::floor(centre - support)) + 1;
    double sum = 0;
    for (int k = 0; k < filter.taps; ++k) {
      w[static_cast<std::size_t>(k)] = Cubic((first + k - centre) / stretch);
      sum += w[static_cast<std::size_t>(k)];
    }
    // Taps beyond the edges fall on the edge pixel.
    const int clamped = std::clamp(first, 0, std::max(0, source - filter.taps));
    filter.first[static_cast<std::size_t>(t)] = clamped;
    std::int32_t* out = &filter.weights[static_cast<std::size_t>(t) * static_cast<std::size_t>(filter.taps)];
    for (int k = 0; k < filter.taps; ++k) {
      const int position = std::clamp(first + k, 0, source - 1);
      const int slot = std::min(position - clamped, filter.taps - 1);
      out[slot] += static_cast<std::int32_t>(std::lround(w[static_cast<std::size_t>(k)] / sum * (1 << kWeightBits)));
    }
  }
  return filter;
}

std::uint8_t Clamp(std::int32_t sum) {
  return static_cast<std::uint8_t>(std::clamp((sum + (1 << (kWeightBits - 1))) >> kWeightBits, 0, 255));
}

}  // namespace

void ResizeFilteredRegion(const Bitmap& source, const SourceRegion& region, Bitmap& target) {
  assert(target.Format() == PixelFormat::kBits24);
  if (source.Empty()) throw std::invalid_argument("Cannot resample an empty picture.");
  if (!(region.width > 0 && region.height > 0 && std::isfinite(region.x) && std::isfinite(region.y) &&
        std::isfinite(region.width) && std::isfinite(region.height))) {
    throw std::invalid_argument("Cannot resample an empty part of a picture.");
  }
  const int dw = target.Width();
  const int dh = target.Height();
  if (dw == 0 || dh == 0) return;
  Bitmap converted;
  if (source.Format() != PixelFormat::kBits24) {
    converted = source;
    converted.SetPixelFormat(PixelFormat::kBits24);
  }
  const Bitmap& src = source.Format() == PixelFormat::kBits24 ? source : converted;
  const int sw = src.Width();
  const int sh = src.Height();
  const Filter across = FilterFor(sw, region.x, region.width, dw);
  const Filter down = FilterFor(sh, region.y, region.height, dh);

  // Rows first shrunk across (only the rows the columns' taps reach), then the
  // columns down.
  const int top = down.first.front();
  const int bottom = down.first.back() + down.taps;
  const std::size_t stride = 3 * static_cast<std::size_t>(dw);
  std::vector<std::uint8_t> narrow(static_cast<std::size_t>(bottom - top) * stride);
  ForRowBlocks(bottom - top, [&](int first_row, int end_row) {
    for (int y = top + first_row; y < top + end_row; ++y) {
      const std::uint8_t* row = src.Row(y).data();
      std::uint8_t* out = &narrow[static_cast<std::size_t>(y - top) * stride];
      for (int x = 0; x < dw; ++x) {
        const std::uint8_t* p = row + 3 * static_cast<std::size_t>(across.first[static_cast<std::size_t>(x)]);
        const std::int32_t* w = &across.weights[static_cast<std::size_t>(x) * static_cast<std::size_t>(across.taps)];
        std::int32_t b = 0, g = 0, r = 0;
        for (int k = 0; k < across.taps; ++k, p += 3) {
          b += w[k] * p[0];
          g += w[k] * p[1];
          r += w[k] * p[2];
        }
        out[3 * x] = Clamp(b);
        out[3 * x + 1] = Clamp(g);
        out[3 * x + 2] = Clamp(r);
      }
    }
  });
  ForRowBlocks(dh, [&](int first_row, int end_row) {
    std::vector<std::int32_t> sums(stride);
    for (int y = first_row; y < end_row; ++y) {
      std::fill(sums.begin(), sums.end(), 0);
      const std::int32_t* w = &down.weights[static_cast<std::size_t>(y) * static_cast<std::size_t>(down.taps)];
      const std::size_t first = static_cast<std::size_t>(down.first[static_cast<std::size_t>(y)] - top);
      for (int k = 0; k < down.taps; ++k) {
        const std::uint8_t* row = &narrow[(first + static_cast<std::size_t>(k)) * stride];
        for (std::size_t i = 0; i < stride; ++i) sums[i] += w[k] * row[i];
      }
      std::uint8_t* out = target.Row(y).data();
      for (std::size_t i = 0; i < stride; ++i) out[i] = Clamp(sums[i]);
    }
  });
}

void ResizeFiltered(const Bitmap& source, Bitmap& target) {
  ResizeFilteredRegion(source, SourceRegion{0, 0, static_cast<double>(source.Width()), static_cast<double>(source.Height())},
                       target);
}

}  // namespace sf
