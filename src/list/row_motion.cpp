#include "list/row_motion.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

namespace sf {

namespace {

struct NamedMotion {
  MotionKind kind;
  std::string_view text;
};

constexpr std::array<NamedMotion, 5> kNamedMotions{{
    {MotionKind::kNone, ""},
    {MotionKind::kZoomIn, "Zoom In"},
    {MotionKind::kZoomOut, "Zoom Out"},
    {MotionKind::kPanLeft, "Pan Left"},
    {MotionKind::kPanRight, "Pan Right"},
}};

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::optional<double> ParseNumber(std::string_view word) {
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool InsidePicture(const MotionRect& r) {
  return r.x >= 0 && r.y >= 0 && r.width > 0 && r.height > 0 && r.x + r.width <= 1 && r.y + r.height <= 1;
}

// Four numbers from words[first].
std::optional<MotionRect> ParseRect(const std::vector<std::string_view>& words, std::size_t first) {
  std::array<double, 4> v{};
  for (std::size_t k = 0; k < v.size(); ++k) {
    const std::optional<double> number = ParseNumber(words[first + k]);
    if (!number) return std::nullopt;
    v[k] = *number;
  }
  const MotionRect rect{v[0], v[1], v[2], v[3]};
  if (!InsidePicture(rect)) return std::nullopt;
  return rect;
}

std::string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string RectText(const MotionRect& r) {
  return NumberText(r.x) + " " + NumberText(r.y) + " " + NumberText(r.width) + " " + NumberText(r.height);
}

}  // namespace

std::optional<RowMotion> ParseRowMotion(std::string_view cell) {
  const std::vector<std::string_view> words = Words(cell);
  if (words.size() == 10 && words[0] == "Rect" && words[5] == ">") {
    const std::optional<MotionRect> start = ParseRect(words, 1);
    const std::optional<MotionRect> end = ParseRect(words, 6);
    if (!start || !end) return std::nullopt;
    return RowMotion{MotionKind::kRects, *start, *end};
  }
  std::string joined;
  for (const std::string_view word : words) joined += (joined.empty() ? "" : " ") + std::string(word);
  for (const NamedMotion& named : kNamedMotions) {
    if (joined == named.text) return RowMotion{named.kind, {}, {}};
  }
  return std::nullopt;
}

std::string RowMotionText(const RowMotion& motion) {
  if (motion.kind == MotionKind::kRects) return "Rect " + RectText(motion.start) + " > " + RectText(motion.end);
  for (const NamedMotion& named : kNamedMotions) {
    if (named.kind == motion.kind) return std::string(named.text);
  }
  return {};
}

}  // namespace sf
