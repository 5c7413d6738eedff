#include "metafile/metafile_size.h"

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

}  // namespace sf
