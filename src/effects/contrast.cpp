#include "effects/contrast.h"

#include <cmath>
#include <cstdlib>

#include "effects/channel_table.h"

namespace sf {

void Contrast(Bitmap& picture, double value) {
  // The product is carried in extended precision before it is truncated; the
  // reciprocal is an extended constant too.
  constexpr long double kOneOver255 = 1.0L / 255.0L;
  const ChannelTable table = MakeChannelTable([value](int c) {
    long double e = std::trunc(static_cast<long double>(std::abs(127 - c)) * value * kOneOver255);
    // Any shift beyond a byte's range clamps the same way.
    if (!(e < 512)) e = 512;
    if (!(e > -512)) e = -512;
    const auto shift = static_cast<std::int64_t>(e);
    return ClampToByte(c > 127 ? c + shift : c - shift);
  });
  ApplyChannelTable(picture, table);
}

}  // namespace sf
