#include "list/row_display_time.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace sf {

std::optional<double> ParseDisplayTime(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  double seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Also refuses "nan" and "inf", which from_chars reads.
  if (!(seconds >= 0.0 && seconds <= kMaxDisplaySeconds)) return std::nullopt;
  return seconds == 0.0 ? 0.0 : seconds;  // "-0" is 0
}

std::string DisplayTimeText(double seconds) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds);
  return std::string(buffer, result.ptr);
}

std::string BadDisplayTimeMessage(std::string_view text) {
  return "\"" + std::string(text) + "\" is not a number of seconds from 0 to " + DisplayTimeText(kMaxDisplaySeconds) +
         ".";
}

}  // namespace sf
