#include "effects/effect_editing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "effects/effect_list_text.h"

namespace sf {

std::vector<std::string> SortedEffectNames() {
  std::vector<std::string> names = GetEffectNames();
  std::sort(names.begin(), names.end());
  return names;
}

std::string RangeCaption(const EffectRange& range) {
  return "(" + std::to_string(static_cast<long long>(std::trunc(range.minimum))) + " - " +
         std::to_string(static_cast<long long>(std::trunc(range.maximum))) + ")";
}

int ThumbLeftForValue(const SliderTrack& track, double value, double maximum) {
  if (!(maximum > 0)) return track.LeftmostThumb();
  const long double left = (static_cast<long double>(value) - 1) * track.Span() / maximum + 2;
  return static_cast<int>(std::clamp<long double>(std::trunc(left), -track.width, 2.0L * track.width));
}

int ValueForThumbLeft(const SliderTrack& track, int thumb_left, double maximum) {
  if (track.Span() <= 0) return 1;
  const long double value = static_cast<long double>(thumb_left - 2) * maximum / track.Span() + 1;
  return static_cast<int>(std::trunc(value));
}

int DraggedThumbLeft(const SliderTrack& track, int thumb_left, int d) {
  int left = thumb_left;
  if (thumb_left + track.thumb_width + d < track.width - 2 && thumb_left + d > 2) left = thumb_left + d;
  if (thumb_left + track.thumb_width + d >= track.width - 2) left = track.RightmostThumb();
  if (2 >= thumb_left + d) left = track.LeftmostThumb();
  return left;
}

int PressedThumbLeft(const SliderTrack& track, int x) {
  if (x + track.thumb_width >= track.width - 2) return track.RightmostThumb();
  if (x <= 2) return track.LeftmostThumb();
  return x;
}

AppliedListButtons ButtonsForAppliedCount(int count) {
  return AppliedListButtons{count >= 1, count >= 1, count >= 2, count >= 2};
}

std::string EffectEntryText(std::string_view name, std::string_view value_text) {
  std::string entry(name);
  entry += '=';
  entry += value_text;
  return entry;
}

void AddAppliedEntry(AppliedList& list, std::string entry) {
  list.entries.push_back(std::move(entry));
  if (list.selected < 0) list.selected = 0;
}

void RemoveAppliedEntry(AppliedList& list) {
  const int count = static_cast<int>(list.entries.size());
  if (list.selected < 0 || list.selected >= count) return;
  list.entries.erase(list.entries.begin() + list.selected);
  if (list.selected >= count - 1) list.selected = count - 2;
}

void MoveAppliedEntryUp(AppliedList& list) {
  const int i = list.selected;
  if (i <= 0 || i >= static_cast<int>(list.entries.size())) return;
  std::swap(list.entries[static_cast<std::size_t>(i)], list.entries[static_cast<std::size_t>(i - 1)]);
  list.selected = i - 1;
}

void MoveAppliedEntryDown(AppliedList& list) {
  const int i = list.selected;
  if (i < 0 || i + 1 >= static_cast<int>(list.entries.size())) return;
  std::swap(list.entries[static_cast<std::size_t>(i)], list.entries[static_cast<std::size_t>(i + 1)]);
  list.selected = i + 1;
}

EffectStep ReadEffectEntry(std::string_view entry) {
  const std::size_t equals = entry.find('=');
  if (equals == std::string_view::npos) throw EffectListError("'" + std::string(entry) + "' is not a valid effect entry.");
  EffectStep step;
  step.name = std::string(entry.substr(0, equals));
  const std::string_view value = entry.substr(equals + 1);
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, step.value);
  if (value.empty() || error != std::errc() || stop != end || !std::isfinite(step.value)) {
    throw EffectListError("'" + std::string(value) + "' is not a valid floating point value.");
  }
  return step;
}

}  // namespace sf
