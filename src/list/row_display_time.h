// A row's own display time: the text of its display-time cell, in seconds
// (C-locale decimal). An empty cell means the row shows for the global time.
//   ParseDisplayTime("2.5") -> 2.5;  ParseDisplayTime("-1") -> nullopt
//   list.SetExtraCell(row, kDisplayTimeColumn, DisplayTimeText(2.5));
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sf {

// A day: no picture of a slide show stays longer, and frame counts stay far
// from overflowing at any usable frame rate.
inline constexpr double kMaxDisplaySeconds = 86400.0;

// The seconds of a non-empty cell, surrounding spaces allowed; nullopt for a
// text that is not a number from 0 to kMaxDisplaySeconds.
std::optional<double> ParseDisplayTime(std::string_view text);
// The seconds as the cell holds them: the shortest text that reads back exactly.
std::string DisplayTimeText(double seconds);
// What a refused cell is told: "\"abc\" is not a number of seconds from 0 to 86400."
std::string BadDisplayTimeMessage(std::string_view text);

}  // namespace sf
