// Turning a picture's colours into indices of a palette: each pixel its
// nearest entry, or with error diffusion (Floyd-Steinberg, serpentine: the rows
// run left to right and right to left in turn, so the error does not drift one
// way), or with an 8 x 8 ordered (Bayer) pattern. Colours are looked up by
// cells of 6 bits per component.
//   std::vector<std::uint8_t> indices(width * height);
//   MapToPalette(picture, palette, GifDither::kFloydSteinberg, 255, indices);
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color.h"

namespace sf {

enum class GifDither { kNone, kFloydSteinberg, kOrdered };

// Pixels top-down, 3 bytes (red, green, blue) each, and for each pixel whether
// it is drawn (an empty mask draws every pixel).
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> rgb;
  std::span<const std::uint8_t> drawn;
};

// Each pixel its nearest entry, found for its exact colour: for palettes that
// hold every colour of the picture (the others are looked up once each).
void MapExactly(const RgbPicture& picture, std::span<const Rgb> palette, std::uint8_t skip_index,
                std::span<std::uint8_t> out);

// Writes one index per pixel to out (width x height); pixels not drawn get
// skip_index and neither take nor pass on any diffused error. The palette has
// 1 to 256 entries.
void MapToPalette(const RgbPicture& picture, std::span<const Rgb> palette, GifDither dither,
                  std::uint8_t skip_index, std::span<std::uint8_t> out);

}  // namespace sf
