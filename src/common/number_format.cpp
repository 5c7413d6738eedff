#include "common/number_format.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace sf {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text(buffer);
  // %G keeps trailing zeros out already, except in the exponent form's mantissa.
  const auto e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    if (mantissa.find('.') != std::string::npos) {
      while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
      if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }
    // "E-05" is written "E-5", "E+20" as "E+20".
    const char sign = exponent.empty() ? '+' : exponent[0];
    std::string digits = exponent.substr(exponent[0] == '+' || exponent[0] == '-' ? 1 : 0);
    while (digits.size() > 1 && digits[0] == '0') digits.erase(0, 1);
    text = mantissa + "E" + sign + digits;
  }
  return text;
}

std::optional<double> ParseDouble(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || errno == ERANGE) return std::nullopt;
  return value;
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (text.empty()) return std::nullopt;
  std::size_t i = 0;
  if (text[0] == '-' || text[0] == '+') i = 1;
  if (i == text.size()) return std::nullopt;
  for (std::size_t k = i; k < text.size(); ++k) {
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
  }
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE) return std::nullopt;
  return value;
}

}  // namespace sf
