#include "effects/tile_grided.h"

#include <cmath>
#include <cstdint>

#include "image/resize.h"

namespace sf {

namespace {

// trunc(index * size), the product carried in extended precision.
std::int64_t TilePosition(std::int64_t index, double size) {
  return static_cast<std::int64_t>(std::trunc(static_cast<long double>(index) * size));
}

}  // namespace

void TileGrided(Bitmap& picture, int value) {
  if (value < 1) return;
  const double tile_width = static_cast<double>(picture.Width()) / value;
  const double tile_height = static_cast<double>(picture.Height()) / value;
  if (tile_width < 5.0 || tile_height < 5.0) return;
  const int width = static_cast<int>(tile_width);
  const int height = static_cast<int>(tile_height);
  // The tile is made before anything is drawn, so the picture itself serves as
  // the untouched source.
  Bitmap tile(width, height);
  ResizeStandard(picture, tile, Rect{0, 0, width, height});
  // value + 2 tiles each way: the extra row and column cover the border.
  for (std::int64_t i = 0; i <= std::int64_t{value} + 1; ++i) {
    const std::int64_t top = TilePosition(i, tile_height);
    if (top >= picture.Height()) break;
    for (std::int64_t j = 0; j <= std::int64_t{value} + 1; ++j) {
      const std::int64_t left = TilePosition(j, tile_width);
      if (left >= picture.Width()) break;
      picture.Draw(tile, static_cast<int>(left), static_cast<int>(top));
    }
  }
}

}  // namespace sf
