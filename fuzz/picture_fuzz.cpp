// The picture loader on arbitrary bytes: the kind from the content, and when
// the content does not tell, each of the names a user's file might have.
#include <exception>

#include "fuzz/fuzz_target.h"
#include "loader/load_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* name : {"p.bmp", "p.jpg", "p.png", "p.ico", "p.gif", "p.wmf", "p.emf", "p.txt"}) {
    try {
      const sf::Bitmap picture = sf::DecodePicture(sf::fuzz::Bytes(data, size), name, nullptr);
      (void)picture;
    } catch (const std::exception&) {
      // the loader's refusal
    }
  }
  return 0;
}
