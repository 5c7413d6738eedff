// The natural size of a metafile in pixels at 96 pixels per inch, and the
// ceiling a picture size must stay under before any bitmap is made for it.
//   const MetafileSize size = WmfSize(bytes);    // or EmfSize(bytes)
//   CheckMetafileSize(size);                      // throws FormatError when absurd
#pragma once

#include <cstdint>

namespace sf {

struct MetafileSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const MetafileSize&, const MetafileSize&) = default;
};

// The largest side and the largest area a metafile picture may have.
inline constexpr int kMaxMetafileSide = 16384;
inline constexpr std::int64_t kMaxMetafilePixels = std::int64_t{32} << 20;

// |length| units at units_per_inch units to the inch, as pixels at 96 pixels per
// inch, rounded to the nearest pixel (halves up). units_per_inch must be > 0.
std::int64_t UnitsToPixels(std::int64_t length, std::int64_t units_per_inch);

// Throws FormatError when the size is beyond the ceilings above.
void CheckMetafileSize(std::int64_t width, std::int64_t height);

// The size, scaled down with its aspect kept (each side at least 1) until it
// is within the ceilings above; a size within them is kept as it is.
MetafileSize FitMetafileSize(std::int64_t width, std::int64_t height);

}  // namespace sf
