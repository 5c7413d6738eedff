#include "effects/plux_blue.h"

#include <cstdint>

namespace sf {

namespace {

// 32-bit two's complement arithmetic that wraps: products and sums are formed
// unsigned and read back as signed, and >> on a signed value is arithmetic.
std::int32_t Wrap(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::int32_t Mul(std::int32_t a, std::int32_t b) {
  return Wrap(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
std::int32_t Add(std::int32_t a, std::int32_t b) {
  return Wrap(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t Sub(std::int32_t a, std::int32_t b) {
  return Wrap(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

struct Weights {
  std::int32_t w0, w1, w2, w3;
};

// z is a flag (the row is not the first), not a fraction of the position.
Weights RowWeights(std::int32_t k, std::int32_t z) {
  const std::int32_t iz = 32768 - z;
  Weights w{};
  w.w1 = Mul(k, iz) >> 15;
  w.w0 = Sub(iz, w.w1);
  w.w3 = Mul(k, z) >> 15;
  w.w2 = Sub(z, w.w3);
  return w;
}

std::uint8_t Mix(int a, int b, int c, int d, const Weights& w) {
  const std::int32_t sum = Add(Add(Mul(a, w.w0), Mul(b, w.w1)), Add(Mul(c, w.w2), Mul(d, w.w3)));
  return static_cast<std::uint8_t>((sum >> 15) & 0xFF);
}

}  // namespace

void PluxBlue(Bitmap& picture, int value) {
  if (picture.Empty()) return;
  const Bitmap source = picture;
  const std::int64_t width = picture.Width();
  const std::int64_t height = picture.Height();
  // Source positions in 17.15 fixed point, kept in 64 bits so that pictures of
  // 65536 pixels or more step inside themselves; below that every position is
  // the one 32-bit arithmetic gives.
  const std::int64_t xs = ((width - 1) << 15) / width;
  const std::int64_t ys = ((height - 1) << 15) / height;
  const std::int32_t k = Mul(value, 100);
  std::int64_t fy = 0;
  for (int y = 0; y < height; ++y) {
    const std::int64_t half = fy >> 16;
    const std::uint8_t* row0 = source.Row(static_cast<int>(fy >> 15)).data();
    const std::uint8_t* row1 = source.Row(static_cast<int>(half < height - 1 ? half : fy >> 15)).data();
    const Weights w = RowWeights(k, fy != 0 ? 1 : 0);
    std::uint8_t* out = picture.Row(y).data();
    std::int64_t fx = 0;
    for (std::int64_t x = 0; x < width; ++x) {
      const std::int64_t p = 3 * (fx >> 15);
      // A picture one pixel wide has no pixel to the right: the pixel itself.
      const std::int64_t q = (fx >> 15) + 1 < width ? p + 3 : p;
      out[3 * x + 2] = Mix(row0[p + 2], row0[q + 2], row1[p + 2], row1[q + 2], w);
      out[3 * x + 1] = Mix(row0[p + 1], row0[q + 1], row1[p + 1], row1[q + 1], w);
      // Blue takes its second term from row1, not row0.
      out[3 * x] = Mix(row0[p], row1[q], row1[p], row1[q], w);
      fx += xs;
    }
    fy += ys;
  }
}

}  // namespace sf
