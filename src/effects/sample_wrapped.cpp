#include "effects/sample_wrapped.h"

#include <cmath>
#include <stdexcept>

namespace sf {

namespace {

struct Axis {
  std::int64_t index = 0;  // wrapped into 0 .. size - 1
  double weight0 = 0;      // of index
  double weight1 = 0;      // of the neighbour after it
};

// The integer part is truncated toward zero; a negative position keeps its
// fraction's magnitude as the first weight.
Axis WrapAxis(double position, std::int64_t size) {
  const double whole = std::trunc(position);
  Axis axis;
  if (position >= 0) {
    const double f = position - whole;
    axis.weight0 = 1 - f;
    axis.weight1 = f;
  } else {
    const double a = -(position - whole);
    axis.weight0 = a;
    axis.weight1 = 1 - a;
  }
  // fmod of a whole number is exact, so positions of any size wrap exactly:
  // -1 becomes size - 2 and -size becomes size - 1.
  const auto length = static_cast<double>(size);
  if (whole < 0) {
    axis.index = size - 1 - static_cast<std::int64_t>(std::fmod(-whole, length));
  } else if (whole > length - 1) {
    axis.index = static_cast<std::int64_t>(std::fmod(whole, length));
  } else {
    axis.index = static_cast<std::int64_t>(whole);
  }
  return axis;
}

// Index + step when it is inside, else size - index - step (which is 0 for
// the one after the last).
std::int64_t Neighbour(std::int64_t index, std::int64_t step, std::int64_t size) {
  return index + step < size ? index + step : size - index - step;
}

}  // namespace

BgrPixel SampleWrapped(const Bitmap& source, double sx, double sy) {
  if (!std::isfinite(sx) || !std::isfinite(sy)) throw std::domain_error("Invalid floating point operation");
  const std::int64_t width = source.Width();
  const std::int64_t height = source.Height();
  const Axis ax = WrapAxis(sx, width);
  const Axis ay = WrapAxis(sy, height);
  const double wx[2] = {ax.weight0, ax.weight1};
  const double wy[2] = {ay.weight0, ay.weight1};
  double sum[3] = {0, 0, 0};
  for (int i = 0; i < 2; ++i) {
    const std::int64_t column = Neighbour(ax.index, i, width);
    for (int j = 0; j < 2; ++j) {
      const std::int64_t row = Neighbour(ay.index, j, height);
      const double w = wx[i] * wy[j];
      const std::uint8_t* p = source.Row(static_cast<int>(row)).data() + 3 * column;
      // Each term is formed in extended precision and rounded as it is added.
      for (int c = 0; c < 3; ++c) {
        sum[c] = static_cast<double>(sum[c] + static_cast<long double>(w) * p[c]);
      }
    }
  }
  const auto channel = [](double s) { return static_cast<std::uint8_t>(static_cast<std::int64_t>(s) & 0xFF); };
  return BgrPixel{channel(sum[0]), channel(sum[1]), channel(sum[2])};
}

}  // namespace sf
