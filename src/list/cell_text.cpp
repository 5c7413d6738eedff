#include "list/cell_text.h"

#include <cstddef>

namespace sf {
namespace {

// The byte length of the UTF-8 character that starts at index i.
std::size_t CharacterLength(const std::string& text, std::size_t i) {
  std::size_t n = 1;
  while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
  return n;
}

// The byte index where the character after the first `count` characters starts.
std::size_t IndexAfter(const std::string& text, int count) {
  std::size_t i = 0;
  for (int k = 0; k < count && i < text.size(); ++k) i += CharacterLength(text, i);
  return i;
}

}  // namespace

std::string ShortenCellText(std::string_view text, int max_width, const TextWidth& width_of) {
  std::string shown(text);
  if (width_of(shown) <= max_width) return shown;
  const std::size_t keep = IndexAfter(shown, 3);
  while (keep < shown.size() && width_of(shown) > max_width) shown.erase(keep, CharacterLength(shown, keep));
  // The six extra characters make room for the "..." that goes in their place.
  for (int k = 0; k < 6 && keep < shown.size(); ++k) shown.erase(keep, CharacterLength(shown, keep));
  shown.insert(keep, "...");
  return shown;
}

}  // namespace sf
