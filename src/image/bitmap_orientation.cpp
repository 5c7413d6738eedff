#include "image/bitmap_orientation.h"

#include <algorithm>
#include <cstddef>

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

// Pictures of 1 and 4 bits move index by index.
void MovePackedPixels(const Bitmap& stored, ExifOrientation orientation, Bitmap& upright) {
  for (int y = 0; y < upright.Height(); ++y) {
    for (int x = 0; x < upright.Width(); ++x) {
      const Point from = SourceOf(orientation, x, y, stored.Width(), stored.Height());
      upright.SetPixelIndex(x, y, stored.PixelIndex(from.x, from.y));
    }
  }
}

// count pixels of kBytes bytes each, the source stepping step bytes a pixel.
template <int kBytes>
void CopyRun(std::uint8_t* out, const std::uint8_t* from, std::ptrdiff_t step, int count) {
  for (int i = 0; i < count; ++i, out += kBytes, from += step) {
    for (int b = 0; b < kBytes; ++b) out[b] = from[b];
  }
}

// Whole-byte pixels: along an upright row the stored pixel moves by a fixed
// step, so each run is a strided copy. The picture goes in square tiles so a
// turn reads the stored columns a cache-sized piece at a time.
template <int kBytes>
void MoveWholePixels(const Bitmap& stored, ExifOrientation orientation, Bitmap& upright) {
  constexpr int kTile = 64;
  const int w = stored.Width();
  const int h = stored.Height();
  const auto stride = static_cast<std::ptrdiff_t>(stored.Stride());
  const Point origin = SourceOf(orientation, 0, 0, w, h);
  const Point next = upright.Width() > 1 ? SourceOf(orientation, 1, 0, w, h) : origin;
  // Rows are stored bottom row first: a step down the picture is a step back in memory.
  const std::ptrdiff_t step = (next.x - origin.x) * kBytes - (next.y - origin.y) * stride;
  for (int top = 0; top < upright.Height(); top += kTile) {
    const int bottom = std::min(top + kTile, upright.Height());
    for (int left = 0; left < upright.Width(); left += kTile) {
      const int count = std::min(kTile, upright.Width() - left);
      for (int y = top; y < bottom; ++y) {
        const Point from = SourceOf(orientation, left, y, w, h);
        CopyRun<kBytes>(upright.Row(y).data() + static_cast<std::ptrdiff_t>(left) * kBytes,
                        stored.Row(from.y).data() + static_cast<std::ptrdiff_t>(from.x) * kBytes, step, count);
      }
    }
  }
}

}  // namespace

Bitmap OrientBitmap(Bitmap picture, ExifOrientation orientation) {
  if (orientation == ExifOrientation::kUpright || picture.Empty()) return picture;
  const int w = picture.Width();
  const int h = picture.Height();
  Bitmap upright = SwapsSides(orientation) ? Bitmap(h, w, picture.Format()) : Bitmap(w, h, picture.Format());
  upright.SetPalette(picture.Palette());
  upright.SetMasks(picture.Masks());
  upright.SetTransparent(picture.Transparent(), picture.TransparentColor());
  switch (picture.Format()) {
    case PixelFormat::kBits1:
    case PixelFormat::kBits4: MovePackedPixels(picture, orientation, upright); break;
    case PixelFormat::kBits8: MoveWholePixels<1>(picture, orientation, upright); break;
    case PixelFormat::kBits16: MoveWholePixels<2>(picture, orientation, upright); break;
    case PixelFormat::kBits24: MoveWholePixels<3>(picture, orientation, upright); break;
    case PixelFormat::kBits32: MoveWholePixels<4>(picture, orientation, upright); break;
  }
  return upright;
}

}  // namespace sf
