// Helpers shared by the GIF tests: loading bytes into a new image while
// keeping its warnings, saving an image to bytes, and GIF files assembled from
// byte pieces, and animations of given delays.
//   const auto loaded = LoadGif(bytes);   // loaded.image, loaded.warnings
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "gif/gif_image.h"

namespace sf::test {

using Bytes = std::vector<std::uint8_t>;

struct LoadedGif {
  std::unique_ptr<TGIFImage> image = std::make_unique<TGIFImage>();
  std::vector<std::string> warnings;
  std::string error;  // the GIFException's text, empty when the file loaded
};

LoadedGif LoadGif(const Bytes& bytes);
// The text of the GIFException f throws, empty when it throws none.
std::string ErrorOf(const std::function<void()>& f);
Bytes SaveGif(const TGIFImage& image);
Bytes Join(std::initializer_list<Bytes> parts);

// "GIF89a" and a logical screen with a global table of 2 colours, black and white.
Bytes ScreenWithBlackAndWhite(int width, int height);
// A 2 x 2 image at 0,0 without local table whose LZW data (code size 2) gives
// the indices 0 1 / 1 0.
Bytes CheckerImage();
inline const Bytes kTrailer = {0x3B};

// An 8-bit bitmap with its own palette and the given indices, top row first.
Bitmap PalettedBitmap(int width, int height, std::vector<Rgb> palette, const std::vector<std::uint8_t>& indices);

// Frames of 1 x 1 in their own colour (frame i is grey i * 10) with the given
// delays (-1: no graphic control extension), a loop extension on frame 0 when
// loops >= 0.
std::unique_ptr<TGIFImage> TimedAnimation(const std::vector<int>& delays, int loops);

}  // namespace sf::test
