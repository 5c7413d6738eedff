#include "image/picture_limits.h"

#include <string>

#include "common/format_error.h"

namespace sf {

bool PictureSizeAllowed(std::uint64_t width, std::uint64_t height) {
  // By division, so that no product can wrap; an empty picture needs no pixels.
  return width == 0 || height == 0 || width <= kMaxPicturePixels / height;
}

std::string PictureTooLarge(std::string_view kind, std::uint64_t width, std::uint64_t height) {
  return std::string(kind) + " picture of " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels is too large";
}

void CheckPictureSize(std::string_view kind, std::uint64_t width, std::uint64_t height) {
  if (!PictureSizeAllowed(width, height)) throw FormatError(PictureTooLarge(kind, width, height));
}

}  // namespace sf
