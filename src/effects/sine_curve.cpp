#include "effects/sine_curve.h"

#include <cmath>

#include "effects/channel_table.h"

namespace sf {

void ApplySineCurvePasses(Bitmap& picture, long double a, std::int64_t passes) {
  if (passes <= 0) return;
  constexpr long double kOneOver255 = 1.0L / 255.0L;
  const ChannelTable pass = MakeChannelTable([a](int c) {
    const long double curve = std::sin(static_cast<long double>(c) * kOneOver255 * a) * 255;
    return StoreAsByte(static_cast<std::int64_t>(std::trunc(curve)));
  });
  // Every pass maps bytes through the same curve, so all of them together are
  // one table, and the picture is walked once whatever the count.
  ApplyChannelTable(picture, RepeatChannelTable(pass, passes));
}

}  // namespace sf
