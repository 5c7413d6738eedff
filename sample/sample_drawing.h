// Small drawing helpers for the sample pictures: gradients, soft-edged discs,
// filled polygons and landscapes filled below a curve, on 24-bit bitmaps, plus
// an RGBA canvas for pictures with transparency.
//   FillVerticalGradient(picture, {{0.0, kNavy}, {1.0, kOrange}});
//   FillDisc(picture, 800, 600, 90, Rgb{255, 230, 150});
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "image/bitmap.h"

namespace sf::sample {

struct Point {
  double x;
  double y;
};

Rgb Mix(Rgb a, Rgb b, double t);

// Colour stops at positions from 0 (top) to 1 (bottom), in order.
void FillVerticalGradient(Bitmap& picture, const std::vector<std::pair<double, Rgb>>& stops);
void FillRect(Bitmap& picture, int left, int top, int right, int bottom, Rgb color);
// A disc with a one-pixel soft edge, blended over the picture with an opacity.
void FillDisc(Bitmap& picture, double cx, double cy, double radius, Rgb color, double opacity = 1.0);
// Even-odd filled polygon.
void FillPolygon(Bitmap& picture, const std::vector<Point>& points, Rgb color);
// Fills every column from the curve's height down to the bottom, shading from
// top_color at the curve to bottom_color at the bottom of the picture.
void FillBelowCurve(Bitmap& picture, const std::function<double(double)>& curve, Rgb top_color, Rgb bottom_color);

// Red, green, blue and alpha bytes per pixel, top row first, fully transparent
// at first.
class RgbaCanvas {
 public:
  RgbaCanvas(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const std::vector<std::uint8_t>& Pixels() const { return m_pixels; }
  // Alpha at (x, y) from 0 to 255.
  std::uint8_t Alpha(int x, int y) const;
  // Paints a disc over what is there ("over" compositing).
  void FillDisc(double cx, double cy, double radius, Rgb color, double opacity);

 private:
  int m_width;
  int m_height;
  std::vector<std::uint8_t> m_pixels;
};

}  // namespace sf::sample
