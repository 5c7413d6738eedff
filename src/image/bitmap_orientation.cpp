#include "image/bitmap_orientation.h"

#include <cstring>

namespace sf {

namespace {

struct Point {
  int x;
  int y;
};

// The stored pixel shown at (x, y) of the upright picture, for a stored
// picture of width w and height h.
Point SourceOf(ExifOrientation orientation, int x, int y, int w, int h) {
  switch (orientation) {
    case ExifOrientation::kUpright: return {x, y};
    case ExifOrientation::kMirrorHorizontal: return {w - 1 - x, y};
    case ExifOrientation::kRotate180: return {w - 1 - x, h - 1 - y};
    case ExifOrientation::kMirrorVertical: return {x, h - 1 - y};
    case ExifOrientation::kTranspose: return {y, x};
    case ExifOrientation::kRotate90: return {y, h - 1 - x};
    case ExifOrientation::kTransverse: return {w - 1 - y, h - 1 - x};
    case ExifOrientation::kRotate270: return {w - 1 - y, x};
  }
  return {x, y};
}

bool SwapsSides(ExifOrientation orientation) { return static_cast<int>(orientation) >= 5; }

}  // namespace

Bitmap OrientBitmap(Bitmap picture, ExifOrientation orientation) {
  if (orientation == ExifOrientation::kUpright || picture.Empty()) return picture;
  const int w = picture.Width();
  const int h = picture.Height();
  Bitmap upright = SwapsSides(orientation) ? Bitmap(h, w, picture.Format()) : Bitmap(w, h, picture.Format());
  upright.SetPalette(picture.Palette());
  upright.SetMasks(picture.Masks());
  upright.SetTransparent(picture.Transparent(), picture.TransparentColor());

  const int bpp = picture.BitsPerPixel();
  const std::size_t pixel_bytes = static_cast<std::size_t>(bpp / 8);
  for (int y = 0; y < upright.Height(); ++y) {
    std::uint8_t* out = upright.Row(y).data();
    for (int x = 0; x < upright.Width(); ++x) {
      const Point from = SourceOf(orientation, x, y, w, h);
      if (bpp < 8) {
        upright.SetPixelIndex(x, y, picture.PixelIndex(from.x, from.y));
      } else {
        std::memcpy(out + static_cast<std::size_t>(x) * pixel_bytes,
                    picture.Row(from.y).data() + static_cast<std::size_t>(from.x) * pixel_bytes, pixel_bytes);
      }
    }
  }
  return upright;
}

}  // namespace sf
