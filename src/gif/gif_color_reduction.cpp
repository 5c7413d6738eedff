#include "gif/gif_color_reduction.h"

#include "gif/gif_color_quantizer.h"

namespace sf {

namespace {

constexpr int kWebLevels = 6;
constexpr int kWebStep = 51;

Bitmap ReduceToWebPalette(const Bitmap& picture) {
  Bitmap out(picture.Width(), picture.Height(), PixelFormat::kBits8);
  out.SetPalette(WebPalette());
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(picture.Width()) * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    picture.ReadRowBgr(y, bgr);
    auto row = out.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      const int r = WebLevel(bgr[3 * x + 2]);
      const int g = WebLevel(bgr[3 * x + 1]);
      const int b = WebLevel(bgr[3 * x]);
      row[x] = static_cast<std::uint8_t>(36 * r + 6 * g + b);
    }
  }
  return out;
}

}  // namespace

std::vector<Rgb> WebPalette() {
  std::vector<Rgb> palette;
  palette.reserve(kWebLevels * kWebLevels * kWebLevels);
  for (int r = 0; r < kWebLevels; ++r) {
    for (int g = 0; g < kWebLevels; ++g) {
      for (int b = 0; b < kWebLevels; ++b) {
        palette.push_back(Rgb{static_cast<std::uint8_t>(r * kWebStep), static_cast<std::uint8_t>(g * kWebStep),
                              static_cast<std::uint8_t>(b * kWebStep)});
      }
    }
  }
  return palette;
}

int WebLevel(std::uint8_t value) { return (value + 3) / kWebStep; }

Bitmap ReduceColors(const Bitmap& picture, TColorReduction reduction, TDitherMode dither, int bits) {
  if (dither != TDitherMode::dmNearest) throw GIFException("Dither mode not supported");
  switch (reduction) {
    case TColorReduction::rmNetscape: return ReduceToWebPalette(picture);
    case TColorReduction::rmQuantize: {
      TColorQuantizer quantizer(1 << bits);
      quantizer.AddColors(picture);
      return MapToPalette(picture, quantizer.Palette());
    }
    default: throw GIFException("Color reduction method not supported");
  }
}

}  // namespace sf
