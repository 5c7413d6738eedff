#include "list/picture_info.h"

#include <algorithm>
#include <cmath>

#include "image/bitmap.h"
#include "image/fitting.h"

namespace sf {

namespace {

constexpr int kViewerMargin = 8;

}  // namespace

int PixelFormatCode(const Bitmap& picture) {
  switch (picture.Format()) {
    case PixelFormat::kBits1: return 1;
    case PixelFormat::kBits4: return 2;
    case PixelFormat::kBits8: return 3;
    case PixelFormat::kBits16: return picture.Masks() == kMasks555 ? 4 : 5;
    case PixelFormat::kBits24: return 6;
    case PixelFormat::kBits32: return 7;
  }
  return 0;
}

std::string PixelFormatName(int code) {
  switch (code) {
    case 1: return "1 bit (2 Colors)";
    case 2: return "4 bit (16 Colors)";
    case 3: return "8 bit (256 Colors)";
    case 5: return "16 bit (65536 Colors)";
    case 6: return "24 bit (16,777,216 Colors)";
    case 7: return "32 bit (A whole bunch of colors)";
    default: return "Unknown bit depth/pixel format";
  }
}

std::string BreakPathLines(std::string_view path) {
  std::string text(path);
  if (text.size() > 160) {
    // Each break goes before a 1-based position of the text as it stands after
    // the breaks already made.
    for (const std::size_t position : {60, 119, 157}) text.insert(position - 1, 1, '\n');
  } else if (text.size() >= 91) {
    text.insert(text.size() / 2 - 1, 1, '\n');
  }
  return text;
}

std::string PictureInfoText(const ShownPicture& shown, std::string_view type_name) {
  return BreakPathLines(shown.path) + "\n\nImage Type: " + std::string(type_name) + "\n" +
         "Width: " + std::to_string(shown.width) + "\n" + "Height: " + std::to_string(shown.height) + "\n" +
         "Pixel format: " + PixelFormatName(shown.pixel_format_code) + "\n";
}

int FrameSizeWithBorder(int picture_size, int border_percent) {
  const double size = static_cast<double>(picture_size);
  const double framed = std::trunc(size * (border_percent * 0.01) * 2 + size);
  return static_cast<int>(std::clamp(framed, static_cast<double>(kMinFrameSize), static_cast<double>(kMaxFrameSize)));
}

ViewSize FitToWindow(int picture_width, int picture_height, int area_width, int area_height) {
  if (picture_width <= 0 || picture_height <= 0) return {picture_width, picture_height};
  const int available_width = std::max(area_width - 2 * kViewerMargin, 0);
  const int available_height = std::max(area_height - 2 * kViewerMargin, 0);
  const double a = static_cast<double>(available_width) / picture_width;
  const double b = static_cast<double>(available_height) / picture_height;
  if (a < b) return {available_width, static_cast<int>(std::trunc(a * picture_height))};
  if (a > b) return {static_cast<int>(std::trunc(picture_width * b)), available_height};
  return {available_width, available_height};
}

}  // namespace sf
