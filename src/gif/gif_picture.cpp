#include "gif/gif_picture.h"

#include "gif/gif_image.h"
#include "gif/gif_render.h"

namespace sf {

Bitmap LoadGifPicture(std::span<const std::uint8_t> bytes) {
  TGIFImage image;
  image.LoadFromStream(bytes);
  Bitmap picture(image.Width(), image.Height(), PixelFormat::kBits8);
  DrawGifImage(image, picture);
  return picture;
}

}  // namespace sf
