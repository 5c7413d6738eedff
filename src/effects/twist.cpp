#include "effects/twist.h"

#include <cmath>

#include "common/row_blocks.h"
#include "effects/sample_wrapped.h"

namespace sf {

namespace {

constexpr long double kQuarterTurn = 1.570796327L;
constexpr long double kHalfTurn = 3.141592654L;

// The direction of (dx, dy), with the constants rounded as written.
double Angle(double dx, double dy) {
  if (dx == 0) return static_cast<double>(dy > 0 ? kQuarterTurn : -kQuarterTurn);
  const long double slope = std::atan(static_cast<long double>(dy) / dx);
  return static_cast<double>(dx < 0 ? slope + kHalfTurn : slope);
}

}  // namespace

void Twist(Bitmap& picture, int value) {
  if (picture.Empty()) return;
  const long double turn = value == 0 ? 1 : value;
  const Bitmap source = picture;
  const double cx = (picture.Width() - 1) / 2;
  const double cy = (picture.Height() - 1) / 2;
  // Every pixel is worked out on its own, so the rows are shared out.
  ForRowBlocks(picture.Height(), [&](int first, int end) {
    for (int y = first; y < end; ++y) {
      std::uint8_t* row = picture.Row(y).data();
      for (int x = 0; x < picture.Width(); ++x) {
        const double dx = x - cx;
        const double dy = y - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        double u = 0;
        double v = 0;
        if (r != 0) {
          const auto theta = static_cast<double>(Angle(dx, dy) - r / turn + kQuarterTurn);
          // One argument reduction for both: the same sine and cosine as
          // sinl and cosl give apart.
          long double sine = 0;
          long double cosine = 0;
          sincosl(static_cast<long double>(theta), &sine, &cosine);
          u = static_cast<double>(cosine * r);
          v = static_cast<double>(sine * r);
        }
        const BgrPixel p = SampleWrapped(source, u + cx, v + cy);
        row[3 * x] = p.blue;
        row[3 * x + 1] = p.green;
        row[3 * x + 2] = p.red;
      }
    }
  });
}

}  // namespace sf
