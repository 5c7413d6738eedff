#include "effects/tile.h"

#include <cstdint>

#include "image/resize.h"

namespace sf {

void Tile(Bitmap& picture, int value) {
  if (value <= 0) return;
  const int tile_width = picture.Width() / value;
  const int tile_height = picture.Height() / value;
  if (tile_width < 5 || tile_height < 5) return;
  // The tile is made before anything is drawn, so the picture itself serves as
  // the untouched source.
  Bitmap tile(tile_width, tile_height);
  ResizeSmooth(picture, tile);
  for (std::int64_t top = 0; top <= picture.Height(); top += tile_height) {
    for (std::int64_t left = 0; left <= picture.Width(); left += tile_width) {
      picture.Draw(tile, static_cast<int>(left), static_cast<int>(top));
    }
  }
}

}  // namespace sf
