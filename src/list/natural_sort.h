// Sorting the image list by its paths, "naturally": digit runs at the same place
// in two keys compare by value, so pic9 comes before pic10. A selection sort over
// whole rows that shows progress every 30 rows and can be stopped there.
//   SortOptions options{.backward = false, .depth_mode = true, .depth = 25};
//   const bool finished = SortRows(list, 0, list.RowCount(), options, progress);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sf {

class ImageList;
class ProgressObserver;

inline constexpr int kDefaultSortDepth = 25;
// Keys take part in comparisons with at most this many characters.
inline constexpr std::size_t kMaxSortKey = 9999;

// The path with A-Z lowered (nothing else changes); in depth mode only its last
// depth characters when it is longer than that.
std::string SortKey(std::string_view path, bool depth_mode, int depth);

// Negative when key a comes first in ascending order, positive when b does, 0 when
// they count as equal. Bytes compare as signed 8-bit values, a position past the
// end reads as 0, and after two digit runs of equal value the comparison goes on
// after a's run.
int CompareKeys(std::string_view a, std::string_view b);

// The depth field's text: an integer other than 0 becomes the depth, 0 keeps the
// current depth, anything else gives the default 25.
int SortDepthFromText(std::string_view text, int current_depth);

struct SortOptions {
  bool backward = false;
  bool depth_mode = false;
  int depth = kDefaultSortDepth;
};

// Sorts rows from..to-1, swapping columns 1 to the last. Progress is shown against
// `to` every 30 row positions and at the last one; there the stop request (the
// Stop Sort button or Exit, through progress.StopRequested()) ends the sort with
// "Sort cancelled.", leaving the order reached so far. Returns true when finished;
// either way the caller then sets the modified flag and reloads the preview.
bool SortRows(ImageList& list, int from, int to, const SortOptions& options, ProgressObserver& progress);

}  // namespace sf
