#include "effects/darker.h"

#include "effects/channel_table.h"

namespace sf {

void Darker(Bitmap& picture, int value) {
  const std::int64_t k = std::int64_t{value} - 1;
  // Values beyond the catalogue's 256 overshoot, and only the low byte is kept.
  ApplyChannelTable(picture, MakeChannelTable([k](int c) { return StoreAsByte(c - (c * k) / 255); }));
}

}  // namespace sf
