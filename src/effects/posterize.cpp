#include "effects/posterize.h"

#include "effects/channel_table.h"

namespace sf {

void Posterize(Bitmap& picture, int value) {
  const std::int64_t step = value == 0 ? 1 : value;
  // A negative step rounds towards zero as well, and keeps only the low byte.
  ApplyChannelTable(picture, MakeChannelTable([step](int c) { return StoreAsByte(step * (c / step)); }));
}

}  // namespace sf
