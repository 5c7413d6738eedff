#include "sample_drawing.h"

#include <algorithm>
#include <cmath>

namespace sf::sample {

namespace {

std::uint8_t Channel(double value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0))); }

void Blend(Bitmap& picture, int x, int y, Rgb color, double opacity) {
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height() || opacity <= 0) return;
  picture.SetPixelColor(x, y, Mix(picture.PixelColor(x, y), color, std::min(opacity, 1.0)));
}

// Coverage of a pixel centre at distance d from the centre of a disc of radius r.
double Coverage(double d, double r) { return std::clamp(r - d + 0.5, 0.0, 1.0); }

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

void FillVerticalGradient(Bitmap& picture, const std::vector<std::pair<double, Rgb>>& stops) {
  for (int y = 0; y < picture.Height(); ++y) {
    const double t = picture.Height() > 1 ? static_cast<double>(y) / (picture.Height() - 1) : 0.0;
    Rgb color = stops.back().second;
    for (std::size_t i = 1; i < stops.size(); ++i) {
      if (t <= stops[i].first) {
        const double span = stops[i].first - stops[i - 1].first;
        color = Mix(stops[i - 1].second, stops[i].second, span > 0 ? (t - stops[i - 1].first) / span : 1.0);
        break;
      }
    }
    for (int x = 0; x < picture.Width(); ++x) picture.SetPixelColor(x, y, color);
  }
}

void FillRect(Bitmap& picture, int left, int top, int right, int bottom, Rgb color) {
  for (int y = std::max(top, 0); y < std::min(bottom, picture.Height()); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, picture.Width()); ++x) picture.SetPixelColor(x, y, color);
  }
}

void FillDisc(Bitmap& picture, double cx, double cy, double radius, Rgb color, double opacity) {
  const int top = static_cast<int>(std::floor(cy - radius - 1));
  const int bottom = static_cast<int>(std::ceil(cy + radius + 1));
  const int left = static_cast<int>(std::floor(cx - radius - 1));
  const int right = static_cast<int>(std::ceil(cx + radius + 1));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      Blend(picture, x, y, color, opacity * Coverage(d, radius));
    }
  }
}

void FillPolygon(Bitmap& picture, const std::vector<Point>& points, Rgb color) {
  for (int y = 0; y < picture.Height(); ++y) {
    const double sy = y + 0.5;
    std::vector<double> crossings;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Point& a = points[i];
      const Point& b = points[(i + 1) % points.size()];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
        crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int from = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
      const int to = std::min(picture.Width(), static_cast<int>(std::ceil(crossings[i + 1] - 0.5)));
      for (int x = from; x < to; ++x) picture.SetPixelColor(x, y, color);
    }
  }
}

void FillBelowCurve(Bitmap& picture, const std::function<double(double)>& curve, Rgb top_color,
                    Rgb bottom_color) {
  for (int x = 0; x < picture.Width(); ++x) {
    const double edge = curve(x + 0.5);
    const int first = std::max(0, static_cast<int>(std::floor(edge)));
    Blend(picture, x, first, top_color, 1.0 - (edge - std::floor(edge)));
    for (int y = first + 1; y < picture.Height(); ++y) {
      const double t = (y - edge) / std::max(1.0, picture.Height() - edge);
      picture.SetPixelColor(x, y, Mix(top_color, bottom_color, t));
    }
  }
}

RgbaCanvas::RgbaCanvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height * 4, 0) {}

std::uint8_t RgbaCanvas::Alpha(int x, int y) const {
  return m_pixels[(static_cast<std::size_t>(y) * m_width + x) * 4 + 3];
}

void RgbaCanvas::FillDisc(double cx, double cy, double radius, Rgb color, double opacity) {
  for (int y = std::max(0, static_cast<int>(cy - radius - 1)); y < std::min(m_height, static_cast<int>(cy + radius + 2)); ++y) {
    for (int x = std::max(0, static_cast<int>(cx - radius - 1)); x < std::min(m_width, static_cast<int>(cx + radius + 2)); ++x) {
      const double a = opacity * Coverage(std::hypot(x + 0.5 - cx, y + 0.5 - cy), radius);
      if (a <= 0) continue;
      std::uint8_t* p = &m_pixels[(static_cast<std::size_t>(y) * m_width + x) * 4];
      const double below = p[3] / 255.0;
      const double out = a + below * (1 - a);
      const double src[3] = {static_cast<double>(color.r), static_cast<double>(color.g), static_cast<double>(color.b)};
      for (int c = 0; c < 3; ++c) p[c] = Channel((src[c] * a + p[c] * below * (1 - a)) / out);
      p[3] = Channel(out * 255);
    }
  }
}

}  // namespace sf::sample
