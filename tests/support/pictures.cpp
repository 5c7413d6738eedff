#include "support/pictures.h"

#include <sstream>

namespace sf::test {

Bitmap MakeGradient(int width, int height, PixelFormat format) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.SetPixelColor(x, y,
                            Rgb{static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                                static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)),
                                static_cast<std::uint8_t>((x + y) * 7 % 256)});
    }
  }
  picture.SetPixelFormat(format);
  return picture;
}

Bitmap MakeSolid(int width, int height, Rgb color, PixelFormat format) {
  Bitmap picture(width, height, format);
  picture.Fill(color);
  return picture;
}

Bitmap MakeFromRows(const std::vector<std::vector<std::uint32_t>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = rows[y][x];
      picture.SetPixelColor(x, y, Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                      static_cast<std::uint8_t>(v)});
    }
  }
  return picture;
}

std::string FirstDifference(const Bitmap& a, const Bitmap& b) {
  std::ostringstream out;
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    out << "sizes differ: " << a.Width() << "x" << a.Height() << " vs " << b.Width() << "x" << b.Height();
    return out.str();
  }
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColor(x, y);
      const Rgb q = b.PixelColor(x, y);
      if (p != q) {
        out << "pixel (" << x << ", " << y << "): " << int(p.r) << "," << int(p.g) << "," << int(p.b) << " vs "
            << int(q.r) << "," << int(q.g) << "," << int(q.b);
        return out.str();
      }
    }
  }
  return {};
}

bool SamePixels(const Bitmap& a, const Bitmap& b) { return FirstDifference(a, b).empty(); }

}  // namespace sf::test
