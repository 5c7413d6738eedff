#include "effects/fisheye.h"

#include <cmath>
#include <stdexcept>

#include "common/row_blocks.h"
#include "effects/sample_wrapped.h"

namespace sf {

namespace {

void Refract(const Bitmap& source, Bitmap& picture, double radius) {
  const double cx = picture.Width() / 2;
  const double cy = picture.Height() / 2;
  // Every pixel is worked out on its own, so the rows are shared out.
  ForRowBlocks(picture.Height(), [&](int first, int end) {
    for (int y = first; y < end; ++y) {
      std::uint8_t* row = picture.Row(y).data();
      for (int x = 0; x < picture.Width(); ++x) {
        const double dx = x - cx;
        const double dy = y - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        double sx = cx;
        double sy = cy;
        if (r != 0) {
          // In extended precision 1 - r / R is zero exactly when r equals R.
          if (r == radius || radius == 0) throw std::domain_error("Floating point division by zero");
          const long double q = static_cast<long double>(r) / radius;
          const auto k = static_cast<double>((1.0L / (1.0L - q) - 1.0L) * (static_cast<long double>(radius) * 0.5L));
          sx = static_cast<double>(static_cast<long double>(dx) * k / r + cx);
          sy = static_cast<double>(static_cast<long double>(dy) * k / r + cy);
        }
        const BgrPixel p = SampleWrapped(source, sx, sy);
        row[3 * x] = p.blue;
        row[3 * x + 1] = p.green;
        row[3 * x + 2] = p.red;
      }
    }
  });
}

}  // namespace

void Fisheye(Bitmap& picture, double value) {
  if (picture.Empty()) return;
  const Bitmap copy = picture;
  const auto radius = static_cast<double>(static_cast<long double>(picture.Width()) * value);
  try {
    Refract(copy, picture, radius);
  } catch (...) {
    picture = copy;
    throw;
  }
}

}  // namespace sf
