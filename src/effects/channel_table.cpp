#include "effects/channel_table.h"

#include <cstddef>

namespace sf {

void ApplyChannelTable(Bitmap& picture, const ChannelTable& table) {
  const std::size_t bytes = static_cast<std::size_t>(picture.Width()) * 3;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y).data();
    for (std::size_t i = 0; i < bytes; ++i) row[i] = table[row[i]];
  }
}

ChannelTable ComposeChannelTables(const ChannelTable& first, const ChannelTable& second) {
  ChannelTable result{};
  for (std::size_t c = 0; c < result.size(); ++c) result[c] = second[first[c]];
  return result;
}

ChannelTable RepeatChannelTable(const ChannelTable& table, std::int64_t passes) {
  ChannelTable result = MakeChannelTable([](int c) { return static_cast<std::uint8_t>(c); });
  ChannelTable power = table;
  // Every power of one table commutes with every other, so the order of the
  // compositions does not matter.
  while (passes > 0) {
    if (passes & 1) result = ComposeChannelTables(result, power);
    power = ComposeChannelTables(power, power);
    passes >>= 1;
  }
  return result;
}

}  // namespace sf
