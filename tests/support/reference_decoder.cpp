#include "support/reference_decoder.h"

#include <cstdlib>
#include <sstream>

#include "support/corpus.h"

namespace sf::test {

namespace {

std::optional<std::string> ImageMagick() {
  if (RunCommand("test -x /usr/bin/convert") == 0) return "/usr/bin/convert";
  if (HaveProgram("magick")) return "magick";
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReferenceRgb(const std::string& path) {
  const auto program = ImageMagick();
  if (!program) return std::nullopt;
  std::string out;
  // [0]: the first picture of a file that holds several.
  if (RunCommand(*program + " '" + path + "[0]' -depth 8 rgb:- 2>/dev/null", &out) != 0) return std::nullopt;
  return std::vector<std::uint8_t>(out.begin(), out.end());
}

std::string CompareWithReference(const Bitmap& picture, const std::vector<std::uint8_t>& reference, int tolerance) {
  const std::size_t expected = static_cast<std::size_t>(picture.Width()) * picture.Height() * 3;
  if (reference.size() != expected) {
    return "reference has " + std::to_string(reference.size()) + " bytes, expected " + std::to_string(expected);
  }
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb ours = picture.PixelColor(x, y);
      const std::uint8_t* theirs = &reference[(static_cast<std::size_t>(y) * picture.Width() + x) * 3];
      if (std::abs(ours.r - theirs[0]) > tolerance || std::abs(ours.g - theirs[1]) > tolerance ||
          std::abs(ours.b - theirs[2]) > tolerance) {
        std::ostringstream text;
        text << "pixel (" << x << ", " << y << "): ours " << int{ours.r} << "," << int{ours.g} << "," << int{ours.b}
             << " reference " << int{theirs[0]} << "," << int{theirs[1]} << "," << int{theirs[2]};
        return text.str();
      }
    }
  }
  return "";
}

}  // namespace sf::test
