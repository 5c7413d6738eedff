// Fitting a grid cell's text into the path column: a long path keeps its first
// three characters (normally the drive or the first folder), loses characters
// after them until it fits, then six more, and gets "..." in their place.
//   const std::string shown = ShortenCellText(path, column_width, measure);
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sf {

// The width of a text in the grid font, in pixels.
using TextWidth = std::function<int(std::string_view)>;

// The text unchanged when it fits max_width, else shortened as above. Characters
// are whole UTF-8 sequences, so a shortened text is never cut inside one.
std::string ShortenCellText(std::string_view text, int max_width, const TextWidth& width_of);

}  // namespace sf
