#include "image/resize.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace sf {

namespace {

const Bitmap& As24Bit(const Bitmap& source, Bitmap& scratch) {
  if (source.Format() == PixelFormat::kBits24) return source;
  scratch = source;
  scratch.SetPixelFormat(PixelFormat::kBits24);
  return scratch;
}

}  // namespace

void ResizeStandard(const Bitmap& source, Bitmap& target, const Rect& rect) {
  assert(target.Format() == PixelFormat::kBits24);
  const int rw = rect.Width();
  const int rh = rect.Height();
  if (source.Empty() || rw <= 0 || rh <= 0) return;
  Bitmap scratch;
  const Bitmap& src = As24Bit(source, scratch);
  const std::int64_t sw = src.Width();
  const std::int64_t sh = src.Height();

  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, target.Width());
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, target.Height());
  if (left >= right || top >= bottom) return;

  // The source column of every target column, sampled at pixel centres.
  std::vector<int> columns(static_cast<std::size_t>(right - left));
  for (int x = left; x < right; ++x) {
    columns[x - left] = static_cast<int>(((2 * std::int64_t{x - rect.left} + 1) * sw) / (2 * std::int64_t{rw}));
  }
  int previous_sy = -1;
  int previous_y = -1;
  for (int y = top; y < bottom; ++y) {
    const int sy = static_cast<int>(((2 * std::int64_t{y - rect.top} + 1) * sh) / (2 * std::int64_t{rh}));
    auto out = target.Row(y);
    if (sy == previous_sy) {
      // A repeated source row gives the same target row.
      std::copy_n(target.Row(previous_y).data() + 3 * left, 3 * (right - left), out.data() + 3 * left);
      continue;
    }
    const auto in = src.Row(sy);
    for (int x = left; x < right; ++x) {
      const std::size_t s = 3 * static_cast<std::size_t>(columns[x - left]);
      out[3 * x] = in[s];
      out[3 * x + 1] = in[s + 1];
      out[3 * x + 2] = in[s + 2];
    }
    previous_sy = sy;
    previous_y = y;
  }
}

void ResizeSmooth(const Bitmap& source, Bitmap& target) {
  assert(target.Format() == PixelFormat::kBits24);
  if (source.Empty()) throw std::invalid_argument("Cannot resample an empty picture.");
  const std::int64_t dw = target.Width();
  const std::int64_t dh = target.Height();
  if (dw == 0 || dh == 0) return;
  Bitmap scratch;
  const Bitmap& src = As24Bit(source, scratch);
  const std::int64_t sw = src.Width();
  const std::int64_t sh = src.Height();

  // 64-bit products keep pictures wider than 65536 pixels from overflowing;
  // below that every value is the one 32-bit arithmetic gives.
  const std::int64_t xs = ((sw - 1) * 32768) / dw;
  const std::int64_t ys = ((sh - 1) * 32768) / dh;

  // Per target column: the source column, its right neighbour and the fraction.
  std::vector<int> left_of(static_cast<std::size_t>(dw));
  std::vector<int> right_of(static_cast<std::size_t>(dw));
  std::vector<std::int64_t> fraction(static_cast<std::size_t>(dw));
  for (std::int64_t x = 0; x < dw; ++x) {
    const std::int64_t sx = x * xs;
    const auto ix = static_cast<int>(sx / 32768);
    left_of[x] = ix;
    right_of[x] = ix + 1 < sw ? ix + 1 : ix;
    fraction[x] = sx % 32768;
  }

  for (std::int64_t y = 0; y < dh; ++y) {
    const std::int64_t sy = y * ys;
    const auto iy = static_cast<int>(sy / 32768);
    const std::int64_t fy = sy % 32768;
    const auto upper = src.Row(iy);
    const auto lower = src.Row(iy < sh - 1 ? iy + 1 : iy);
    auto out = target.Row(static_cast<int>(y));
    for (std::int64_t x = 0; x < dw; ++x) {
      const std::int64_t fx = fraction[x];
      const std::int64_t v = 32768 - fy;
      const std::int64_t w2 = (fx * v) / 32768;
      const std::int64_t w1 = v - w2;
      const std::int64_t w4 = (fx * fy) / 32768;
      const std::int64_t w3 = fy - w4;
      const std::size_t a = 3 * static_cast<std::size_t>(left_of[x]);
      const std::size_t b = 3 * static_cast<std::size_t>(right_of[x]);
      for (std::size_t c = 0; c < 3; ++c) {
        const std::int64_t value = (upper[a + c] * w1 + upper[b + c] * w2 + lower[a + c] * w3 + lower[b + c] * w4) / 32768;
        out[3 * x + c] = static_cast<std::uint8_t>(value);
      }
    }
  }
}

}  // namespace sf
