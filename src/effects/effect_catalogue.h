// The fixed catalogue of 23 effects: names in catalogue order, and the minimum,
// maximum and default of each value, three of which depend on the width of the
// picture being edited.
//   EffectRange range;
//   if (GetEffectSpecifications(fitted, "Emboss", range)) ...   // true: not found
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/progress_observer.h"
#include "image/bitmap.h"

namespace sf {

struct EffectRange {
  double default_value = 1;
  double minimum = 1;
  double maximum = 100;
};

// One catalogue row. `apply` runs the effect on a 24-bit picture with the value
// as the effect takes it (real for Fisheye and Contrast, truncated toward zero
// for the others, which the caller has checked to fit an int).
struct EffectEntry {
  std::string_view name;
  double maximum;
  double default_value;
  void (*apply)(Bitmap& picture, double value, ProgressObserver* observer);
};

// The 23 rows in catalogue order.
std::span<const EffectEntry> EffectCatalogue();

// The row whose name matches exactly (case and spaces count), or nullptr.
const EffectEntry* FindEffect(std::string_view name);

// The 23 names in catalogue order.
const std::vector<std::string>& GetEffectNames();

// Fills the three values for the name; picture's width sets the maxima of Blur
// Split (width - 1) and of Emboss and Emboss Noise (width * 0.025 + 1, a real
// number, with default 3 once that exceeds 2). Returns true when the name is not
// in the catalogue, leaving default 1, minimum 1, maximum 100.
bool GetEffectSpecifications(const Bitmap& picture, std::string_view name, EffectRange& range);

}  // namespace sf
