#include "app/bitmap_image.h"

#include <cstdint>
#include <vector>

namespace sf::app {

QImage ToQImage(const Bitmap& bitmap) {
  if (bitmap.Empty()) return {};
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(bitmap.Width()) * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    bitmap.ReadRowBgr(y, bgr);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x) {
      const std::size_t i = static_cast<std::size_t>(x) * 3;
      line[x] = qRgb(bgr[i + 2], bgr[i + 1], bgr[i]);
    }
  }
  return image;
}

Bitmap ToBitmap(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  Bitmap bitmap(rgb.width(), rgb.height(), PixelFormat::kBits24);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    std::span<std::uint8_t> row = bitmap.Row(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const std::size_t i = static_cast<std::size_t>(x) * 3;
      row[i] = static_cast<std::uint8_t>(qBlue(line[x]));
      row[i + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
      row[i + 2] = static_cast<std::uint8_t>(qRed(line[x]));
    }
  }
  return bitmap;
}

}  // namespace sf::app
