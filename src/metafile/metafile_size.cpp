#include "metafile/metafile_size.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/format_error.h"

namespace sf {

std::int64_t UnitsToPixels(std::int64_t length, std::int64_t units_per_inch) {
  // Exact rational rounding: both inputs come from 16- or 32-bit fields, so the
  // products stay far inside 64 bits.
  const std::int64_t magnitude = std::llabs(length);
  return (2 * magnitude * 96 + units_per_inch) / (2 * units_per_inch);
}

void CheckMetafileSize(std::int64_t width, std::int64_t height) {
  if (width > kMaxMetafileSide || height > kMaxMetafileSide || width * height > kMaxMetafilePixels) {
    throw FormatError("The metafile's picture size of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels is too large");
  }
}

MetafileSize FitMetafileSize(std::int64_t width, std::int64_t height) {
  const double w = static_cast<double>(width);
  const double h = static_cast<double>(height);
  double scale = 1;
  scale = std::min(scale, kMaxMetafileSide / std::max(w, h));
  scale = std::min(scale, std::sqrt(static_cast<double>(kMaxMetafilePixels) / (w * h)));
  if (scale >= 1) return {static_cast<int>(width), static_cast<int>(height)};
  const auto side = [scale](double length) { return static_cast<int>(std::max(1.0, std::floor(length * scale))); };
  return {side(w), side(h)};
}

}  // namespace sf
