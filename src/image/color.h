// Colours: an RGB triple, and the 32-bit 0x00BBGGRR form in which single
// colours are passed around.
//   const Rgb white{255, 255, 255};
//   ColorRef c = ToColorRef(white);   // 0x00FFFFFF
#pragma once

#include <cstdint>

namespace sf {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

using ColorRef = std::uint32_t;  // 0x00BBGGRR

constexpr ColorRef ToColorRef(Rgb c) {
  return static_cast<ColorRef>(c.r) | (static_cast<ColorRef>(c.g) << 8) | (static_cast<ColorRef>(c.b) << 16);
}

constexpr Rgb FromColorRef(ColorRef c) {
  return Rgb{static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
             static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

}  // namespace sf
