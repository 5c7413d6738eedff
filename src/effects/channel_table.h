// Byte helpers shared by the effects: clamping, storing the low 8 bits, and
// point effects whose new channel depends only on the old one, as a 256-entry
// table applied to every blue, green and red byte of a 24-bit picture.
//   ChannelTable table = MakeChannelTable([](int c) { return StoreAsByte(255 - c); });
//   ApplyChannelTable(picture, table);
#pragma once

#include <array>
#include <cstdint>

#include "image/bitmap.h"

namespace sf {

using ChannelTable = std::array<std::uint8_t, 256>;

// 255 above 255, 0 below 0, else the value.
constexpr std::uint8_t ClampToByte(std::int64_t v) {
  return static_cast<std::uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
}

// The low 8 bits of an integer result, without clamping.
constexpr std::uint8_t StoreAsByte(std::int64_t v) { return static_cast<std::uint8_t>(v & 0xFF); }

template <typename Function>
ChannelTable MakeChannelTable(Function new_value) {
  ChannelTable table{};
  for (int c = 0; c < 256; ++c) table[static_cast<std::size_t>(c)] = new_value(c);
  return table;
}

// Replaces every channel byte of a 24-bit picture by its table entry, in place;
// the padding at the end of each row is not touched.
void ApplyChannelTable(Bitmap& picture, const ChannelTable& table);

// The table that applies `first` and then `second`.
ChannelTable ComposeChannelTables(const ChannelTable& first, const ChannelTable& second);

// The table applied `passes` times in a row (the identity for passes <= 0),
// found by repeated squaring so that any count costs a few dozen compositions.
ChannelTable RepeatChannelTable(const ChannelTable& table, std::int64_t passes);

}  // namespace sf
