// The picture loader on arbitrary bytes: the kind from the content, and when
// the content does not tell, each of the names a user's file might have. JPEG
// photos are turned by their EXIF orientation, so its reader is reached too.
#include <algorithm>
#include <exception>

#include "fuzz/fuzz_target.h"
#include "loader/image_kind.h"
#include "loader/load_image.h"

namespace {

void Decode(std::span<const std::uint8_t> bytes, const char* name) {
  try {
    const sf::Bitmap picture = sf::DecodePicture(bytes, name, nullptr, {.upright = true});
    (void)picture;
  } catch (const std::exception&) {
    // the loader's refusal
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bytes = sf::fuzz::Bytes(data, size);
  // Content that names its kind is decoded the same whatever the file's name.
  if (sf::KindFromContent(bytes.first(std::min(size, sf::kSignatureBytes)))) {
    Decode(bytes, "p");
    return 0;
  }
  for (const char* name : {"p.bmp", "p.jpg", "p.png", "p.ico", "p.gif", "p.wmf", "p.emf", "p.txt"}) Decode(bytes, name);
  return 0;
}
