// The one fixed 256-colour palette of every 8-bit conversion, and nearest-colour
// matching into any palette (squared RGB distance, the lowest index on a tie).
// Entries 0..215 are the 6x6x6 colour cube (index 36r + 6g + b, levels 0, 51, ...
// 255), entries 216..255 a ramp of 40 greys between the cube's greys.
//   const std::uint8_t index = NearestHalftoneIndex(200, 10, 10);
//   NearestColorMapper mapper(bitmap.Palette());  mapper.Map({12, 34, 56});
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color.h"

namespace sf {

const std::vector<Rgb>& HalftonePalette();
std::uint8_t NearestHalftoneIndex(std::uint8_t r, std::uint8_t g, std::uint8_t b);
bool IsHalftonePalette(std::span<const Rgb> palette);
// The nearest entry of any palette, searched in full; 0 for an empty palette.
std::uint8_t NearestIndex(std::span<const Rgb> palette, Rgb c);

// Nearest entry of an arbitrary palette, remembering the colours already matched.
class NearestColorMapper {
 public:
  explicit NearestColorMapper(std::span<const Rgb> palette);
  std::uint8_t Map(Rgb c);

 private:
  std::vector<Rgb> m_palette;
  bool m_halftone = false;
  // Direct-mapped cache keyed by the colour; an entry holds colour + 1 above
  // the index byte, 0 for an empty slot.
  std::vector<std::uint64_t> m_cache;
  // The halftone palette's last colour and its index (no colour reference
  // is above 0xFFFFFF, so the start matches none).
  std::uint64_t m_last_key = ~std::uint64_t{0};
  std::uint8_t m_last_index = 0;
};

}  // namespace sf
