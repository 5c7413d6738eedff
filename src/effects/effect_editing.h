// The effects editor's rules without its widgets: the sorted effect list, the
// range caption, the slider's mapping between thumb position and value, the
// enabling of the applied-list buttons and the editing of the applied list.
//   const SliderTrack track{229, 14};
//   const int left = ThumbLeftForValue(track, 50, 256);   // thumb left within the track
//   const int value = ValueForThumbLeft(track, left, 256);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "effects/effect_catalogue.h"

namespace sf {

// The catalogue names sorted by their characters, as the editor lists them.
std::vector<std::string> SortedEffectNames();

// "(1 - 9)": both ends of the range truncated to whole numbers.
std::string RangeCaption(const EffectRange& range);

// The slider: a track of `width` pixels and a thumb of `thumb_width`; positions
// are counted from the track's left edge. The thumb runs from 2 to
// width - thumb_width - 3, a span of width - thumb_width - 4 pixels.
struct SliderTrack {
  int width = 229;
  int thumb_width = 14;
  int Span() const { return width - thumb_width - 4; }
  int LeftmostThumb() const { return 2; }
  int RightmostThumb() const { return width - thumb_width - 3; }
};

// trunc((value - 1) * span / maximum + 2); a maximum of 0 or less puts the
// thumb at its left end.
int ThumbLeftForValue(const SliderTrack& track, double value, double maximum);
// trunc((thumb_left - 2) * maximum / span + 1).
int ValueForThumbLeft(const SliderTrack& track, int thumb_left, double maximum);
// The thumb after a drag by d pixels from thumb_left: moved while it stays
// inside the track, else placed at the end it ran into.
int DraggedThumbLeft(const SliderTrack& track, int thumb_left, int d);
// The thumb after a press on the track at x: its left edge at x, clamped to
// the ends.
int PressedThumbLeft(const SliderTrack& track, int x);

// The applied list's buttons, derived from its length alone.
struct AppliedListButtons {
  bool preview_all = false;
  bool remove = false;
  bool move_up = false;
  bool move_down = false;
};
AppliedListButtons ButtonsForAppliedCount(int count);

// The applied list with its selection (-1 for none).
struct AppliedList {
  std::vector<std::string> entries;
  int selected = -1;
};

// "Name=value" as the applied list holds it.
std::string EffectEntryText(std::string_view name, std::string_view value_text);
// Appends the entry and selects entry 0 when nothing was selected.
void AddAppliedEntry(AppliedList& list, std::string entry);
// Deletes the selected entry; the same index stays selected while it exists,
// else the one before it.
void RemoveAppliedEntry(AppliedList& list);
// Swap the selected entry with its neighbour and follow it; nothing at the ends.
void MoveAppliedEntryUp(AppliedList& list);
void MoveAppliedEntryDown(AppliedList& list);

// One applied entry read back: the name before the first "=" and the rest as a
// real number. Throws EffectListError when there is no "=" or the rest is not
// a number.
struct EffectStep {
  std::string name;
  double value = 0;
};
EffectStep ReadEffectEntry(std::string_view entry);

}  // namespace sf
