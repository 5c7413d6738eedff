#include "effects/anti_alias.h"

#include <cstdint>

namespace sf {

namespace {

// One pass; true when some byte changed.
bool SmoothOnce(Bitmap& picture) {
  const int width = picture.Width();
  bool changed = false;
  for (int y = 1; y < picture.Height() - 1; ++y) {
    const std::uint8_t* up = picture.Row(y - 1).data();
    const std::uint8_t* down = picture.Row(y + 1).data();
    std::uint8_t* row = picture.Row(y).data();
    for (int i = 3; i < 3 * (width - 1); ++i) {
      const auto mean = static_cast<std::uint8_t>((up[i] + down[i] + row[i - 3] + row[i + 3]) >> 2);
      changed |= mean != row[i];
      row[i] = mean;
    }
  }
  return changed;
}

}  // namespace

void AntiAlias(Bitmap& picture, int value) {
  // A pass reads only the current contents, so once a pass changes nothing,
  // no later pass can.
  for (int pass = 0; pass < value; ++pass) {
    if (!SmoothOnce(picture)) break;
  }
}

}  // namespace sf
