#include "tools/conversion_resize.h"

#include <exception>
#include <limits>

#include "image/resize.h"

namespace sf {

namespace {

int TruncatedProduct(int side, double ratio) {
  const long double product = static_cast<long double>(side) * static_cast<long double>(ratio);
  // Far beyond any bitmap; the allocation refuses it.
  if (product >= static_cast<long double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(product);
}

}  // namespace

PictureSize AspectSize(int width, int height, int target_width, int target_height, int aspect) {
  const double sx = static_cast<double>(target_width) / width;
  const double sy = static_cast<double>(target_height) / height;
  switch (aspect) {
    case kAspectMaintain:
      return {sx <= sy ? target_width : TruncatedProduct(width, sy),
              sx >= sy ? target_height : TruncatedProduct(height, sx)};
    case kAspectFitWidth: return {target_width, TruncatedProduct(height, sx)};
    case kAspectFitHeight: return {TruncatedProduct(width, sy), target_height};
    default: return {target_width, target_height};
  }
}

bool ResizeForConversion(Bitmap& picture, int target_width, int target_height, int aspect, ResizeMethod method) {
  if (picture.Empty()) return false;
  const PictureSize size = AspectSize(picture.Width(), picture.Height(), target_width, target_height, aspect);
  if (size.width < 1 || size.height < 1) return false;
  try {
    Bitmap stretched(size.width, size.height);
    if (method == ResizeMethod::kSmooth) {
      Bitmap source = picture;
      source.SetPixelFormat(PixelFormat::kBits24);
      ResizeSmooth(source, stretched);
    } else {
      ResizeStandard(picture, stretched, Rect{0, 0, size.width, size.height});
    }
    if (picture.Format() == PixelFormat::kBits24) {
      picture = std::move(stretched);
      return true;
    }
    Bitmap resized(size.width, size.height, picture.Format());
    if (picture.IsPaletted()) resized.SetPalette(picture.Palette());
    resized.SetMasks(picture.Masks());
    resized.Draw(stretched, 0, 0);
    picture = std::move(resized);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace sf
