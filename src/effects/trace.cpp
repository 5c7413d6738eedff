#include "effects/trace.h"

#include <algorithm>
#include <cstdint>

namespace sf {

namespace {

// Paints black along region borders. The first border met fixes `edge`, the
// index of the region beyond it; after that, at a border the pixel on the
// edge region's side is painted when the current pixel belongs to that region,
// else the current pixel.
class Tracer {
 public:
  Tracer(Bitmap& picture, const Bitmap& indices) : m_picture(picture), m_indices(indices) {}

  void Forward() {
    for (int y = 0; y + 1 < m_picture.Height(); ++y) {
      for (int x = 0; x + 1 < m_picture.Width(); ++x) {
        Compare(x, y, x + 1, y);
        Compare(x, y, x, y + 1);
      }
    }
  }

  // Stops at column 2, not 1: the pair of columns 0 and 1 is left to Forward.
  void Backward() {
    for (int y = m_picture.Height() - 1; y >= 1; --y) {
      for (int x = m_picture.Width() - 1; x >= 2; --x) {
        Compare(x, y, x - 1, y);
        Compare(x, y, x, y - 1);
      }
    }
  }

 private:
  void Compare(int x, int y, int nx, int ny) {
    const std::uint8_t c = m_indices.Row(y)[x];
    const std::uint8_t b = m_indices.Row(ny)[nx];
    if (c == b) return;
    if (!m_found) {
      m_edge = b;
      m_found = true;
      Paint(x, y);
    } else if (c == m_edge) {
      Paint(nx, ny);
    } else {
      Paint(x, y);
    }
  }

  void Paint(int x, int y) { std::fill_n(m_picture.Row(y).data() + 3 * x, 3, std::uint8_t{0}); }

  Bitmap& m_picture;
  const Bitmap& m_indices;
  bool m_found = false;
  std::uint8_t m_edge = 0;
};

}  // namespace

void Trace(Bitmap& picture, int value) {
  if (value < 1 || picture.Empty()) return;
  // Only the fixed 8-bit reduction is ever compared; the picture is only
  // painted on.
  Bitmap indices = picture;
  indices.SetPixelFormat(PixelFormat::kBits8);
  Tracer tracer(picture, indices);
  // Painting never reads the picture, and once a border has been found every
  // pass repeats the same paints: the pass that finds the first border paints
  // the current pixel, as every later visit to that pair does (c differs from
  // edge = b). A border is found in the first pass, or in the backward sweep of
  // the second, whose forward sweep then meets none; so passes after the
  // second change nothing.
  const int passes = std::min(value, 2);
  for (int pass = 1; pass <= passes; ++pass) {
    tracer.Forward();
    if (pass >= 2) tracer.Backward();
  }
}

}  // namespace sf
