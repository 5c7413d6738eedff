#include "effects/invert_colors.h"

#include "effects/channel_table.h"

namespace sf {

void InvertColors(Bitmap& picture, int value) {
  const int shift = static_cast<int>((static_cast<std::uint32_t>(value) - 1) & 31);
  // The 32-bit complement of a byte is negative, so the shift brings in ones.
  ApplyChannelTable(picture, MakeChannelTable([shift](int c) { return StoreAsByte(~c >> shift); }));
}

}  // namespace sf
