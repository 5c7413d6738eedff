#include "effects/apply_effect.h"

#include <climits>
#include <cmath>
#include <stdexcept>

#include "effects/effect_catalogue.h"

namespace sf {

namespace {

void CheckValue(double value) {
  const double whole = std::trunc(value);
  if (!std::isfinite(value) || whole > INT_MAX || whole < INT_MIN) {
    throw std::out_of_range("The effect value is out of range.");
  }
}

}  // namespace

bool ApplyEffect(Bitmap& picture, std::string_view name, double value, ProgressObserver* observer) {
  picture.SetPixelFormat(PixelFormat::kBits24);
  const EffectEntry* entry = FindEffect(name);
  if (entry == nullptr) return true;
  CheckValue(value);
  entry->apply(picture, value, observer);
  return false;
}

}  // namespace sf
