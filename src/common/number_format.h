// Numbers as the edit fields and project files write them: the general floating
// form, at most 15 significant digits, no trailing zeros, no trailing point.
//   FormatGeneral(1 / 29.97) == "0.0333667000333667"
//   ParseDouble(" 29.97") -> 29.97; ParseDouble("abc") -> nullopt
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sf {

std::string FormatGeneral(double value);

// A whole text read as a decimal number ("." as the separator, surrounding
// spaces allowed); nullopt when it is not one.
std::optional<double> ParseDouble(std::string_view text);
std::optional<long long> ParseInteger(std::string_view text);

}  // namespace sf
