#include "effects/page_flip.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace sf {

namespace {

// Degrees to radians with the constant as written; the whole product is
// carried in extended precision.
long double Radians(double angle) { return angle * 3.14159265358979L * (1.0L / 180.0L); }

void CheckPair(const Bitmap& source, const Bitmap& target) {
  if (source.Format() != PixelFormat::kBits24 || target.Format() != PixelFormat::kBits24) {
    throw std::invalid_argument("Page flip drawing needs 24-bit pictures.");
  }
}

bool IsKey(const std::uint8_t* pixel, ColorRef key) {
  return (pixel[2] | (pixel[1] << 8) | (pixel[0] << 16)) == static_cast<int>(key);
}

// trunc(fold) + trunc((i - fold) * factor) when it lies in 0 .. size - 1,
// else -1; worked out in extended precision so that no value can overflow.
int FoldedIndex(int i, double fold, long double factor, int size) {
  const long double index =
      std::trunc(static_cast<long double>(fold)) + std::trunc((static_cast<long double>(i) - fold) * factor);
  return index >= 0 && index < size ? static_cast<int>(index) : -1;
}

}  // namespace

void DrawPageFlipHorizontal(const Bitmap& source, Bitmap& target, double fold, double angle, bool transparent,
                            ColorRef key) {
  CheckPair(source, target);
  const long double c = std::cos(Radians(angle));
  const int rows = std::min(source.Height(), target.Height());
  for (int i = 0; i < rows; ++i) {
    const std::uint8_t* in = source.Row(i).data();
    std::uint8_t* out = target.Row(i).data();
    for (int j = 0; j < source.Width(); ++j) {
      const int x = FoldedIndex(j, fold, c, target.Width());
      if (x < 0 || (transparent && IsKey(in + 3 * j, key))) continue;
      std::memcpy(out + 3 * x, in + 3 * j, 3);
    }
  }
}

void DrawPageFlipVertical(const Bitmap& source, Bitmap& target, double fold, double angle, bool transparent,
                          ColorRef key) {
  CheckPair(source, target);
  const long double s = std::sin(Radians(angle));
  const int columns = std::min(source.Width(), target.Width());
  for (int i = 0; i < source.Height(); ++i) {
    const int y = FoldedIndex(i, fold, s, target.Height());
    if (y < 0) continue;
    const std::uint8_t* in = source.Row(i).data();
    std::uint8_t* out = target.Row(y).data();
    for (int j = 0; j < columns; ++j) {
      if (transparent && IsKey(in + 3 * j, key)) continue;
      std::memcpy(out + 3 * j, in + 3 * j, 3);
    }
  }
}

double PageFlipAngle(PageFlip flip, int frame) {
  const bool last = frame == kPageFlipFrames - 1;
  switch (flip) {
    case PageFlip::kLeft: return last ? 0 : -90 + 1.125 * frame;
    case PageFlip::kRight: return last ? 0 : 90 - 1.125 * frame;
    case PageFlip::kUp: return last ? 90 : 180 - 1.125 * frame;
    case PageFlip::kDown: return last ? 90 : 1.125 * frame;
  }
  return 0;
}

double PageFlipFold(PageFlip flip, const Bitmap& target) {
  switch (flip) {
    case PageFlip::kLeft: return target.Width();
    case PageFlip::kUp: return target.Height();
    default: return 0;
  }
}

void DrawPageFlipFrame(PageFlip flip, const Bitmap& source, Bitmap& target, int frame, ColorRef key) {
  const double fold = PageFlipFold(flip, target);
  const double angle = PageFlipAngle(flip, frame);
  if (flip == PageFlip::kLeft || flip == PageFlip::kRight) {
    DrawPageFlipHorizontal(source, target, fold, angle, true, key);
  } else {
    DrawPageFlipVertical(source, target, fold, angle, true, key);
  }
}

}  // namespace sf
