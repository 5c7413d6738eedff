#include "gif_fixture.h"

#include <sstream>

namespace sf::test {

LoadedGif LoadGif(const Bytes& bytes) {
  LoadedGif loaded;
  loaded.image->SetWarningHandler([&warnings = loaded.warnings](const std::string& text) { warnings.push_back(text); });
  try {
    loaded.image->LoadFromStream(bytes);
  } catch (const GIFException& failure) {
    loaded.error = failure.what();
  }
  loaded.image->SetWarningHandler(nullptr);
  return loaded;
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const GIFException& failure) {
    return failure.what();
  }
  return "";
}

Bytes SaveGif(const TGIFImage& image) {
  std::ostringstream out;
  image.SaveToStream(out);
  const std::string text = out.str();
  return Bytes(text.begin(), text.end());
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes ScreenWithBlackAndWhite(int width, int height) {
  return {'G', 'I', 'F', '8', '9', 'a',
          static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
          static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8),
          0x80, 0, 0,                  // global table of 2, background 0, aspect 0
          0, 0, 0, 255, 255, 255};
}

Bytes CheckerImage() {
  return {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00,  // 2 x 2 at 0,0, no local table
          2,                                   // LZW minimum code size
          3, 0x44, 0x02, 0x05,                 // clear, 0, 1, 1, 0 (4 bits), end
          0};
}

Bitmap PalettedBitmap(int width, int height, std::vector<Rgb> palette, const std::vector<std::uint8_t>& indices) {
  Bitmap bitmap(width, height, PixelFormat::kBits8);
  bitmap.SetPalette(std::move(palette));
  for (int i = 0; i < width * height; ++i) {
    bitmap.SetPixelIndex(i % width, i / width, indices[static_cast<std::size_t>(i)]);
  }
  return bitmap;
}

std::unique_ptr<TGIFImage> TimedAnimation(const std::vector<int>& delays, int loops) {
  auto image = std::make_unique<TGIFImage>();
  for (const int delay : delays) {
    const auto grey = static_cast<std::uint8_t>(image->Count() * 10);
    TGIFSubImage& frame = image->Frame(image->Add(PalettedBitmap(1, 1, {{grey, grey, grey}}, {0})));
    if (image->Count() == 1 && loops >= 0) {
      auto loop = std::make_shared<TGIFAppExtNSLoop>();
      loop->SetLoops(static_cast<std::uint16_t>(loops));
      frame.AppendExtension(loop);
    }
    if (delay < 0) continue;
    auto control = frame.CreateGraphicControlExtension();
    control->SetDelay(static_cast<std::uint16_t>(delay));
    frame.AppendExtension(control);
  }
  return image;
}

}  // namespace sf::test
