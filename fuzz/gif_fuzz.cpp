// The GIF reader and everything that draws what it read: the still picture
// and every frame composed with both methods of the frame extractor.
#include <exception>

#include "fuzz/fuzz_target.h"
#include "gif/gif_image.h"
#include "gif/gif_reader.h"
#include "gif/gif_render.h"
#include "tools/gif_frame_extraction.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sf::TGIFImage image;
  try {
    sf::ReadGif(sf::fuzz::Bytes(data, size), image);
  } catch (const std::exception&) {
    return 0;  // the reader's refusal; what it read so far is drawn below
  }
  try {
    sf::Bitmap preview = sf::RenderStill(image);
    sf::GifFrameDrawer drawer(image);
    const int frames = std::min(sf::GifFrameTotal(image), 64);
    for (const sf::GifDrawMethod method : {sf::GifDrawMethod::kDrawNew, sf::GifDrawMethod::kDrawOnTop}) {
      for (int k = 0; k < frames; ++k) drawer.Draw(k, method, preview);
    }
  } catch (const std::exception&) {
    // a picture too large to draw is refused
  }
  return 0;
}
