#include "effects/effect_catalogue.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "effects/anti_alias.h"
#include "effects/blur_gaussian.h"
#include "effects/blur_split.h"
#include "effects/brighter.h"
#include "effects/color_split.h"
#include "effects/contrast.h"
#include "effects/darker.h"
#include "effects/emboss.h"
#include "effects/enhance_light.h"
#include "effects/fisheye.h"
#include "effects/invert_colors.h"
#include "effects/mosaic.h"
#include "effects/noise_color.h"
#include "effects/noise_mono.h"
#include "effects/plux_blue.h"
#include "effects/posterize.h"
#include "effects/saturation.h"
#include "effects/solarize.h"
#include "effects/tile.h"
#include "effects/tile_grided.h"
#include "effects/trace.h"
#include "effects/twist.h"

namespace sf {

namespace {

// An effect that takes its value truncated toward zero.
template <void (*Effect)(Bitmap&, int)>
void WholeValue(Bitmap& picture, double value, ProgressObserver*) {
  Effect(picture, static_cast<int>(std::trunc(value)));
}

// An effect that takes its value as a real number.
template <void (*Effect)(Bitmap&, double)>
void RealValue(Bitmap& picture, double value, ProgressObserver*) {
  Effect(picture, value);
}

// The only effect whose work grows with its value (a radius): a value beyond
// what the editor offers, found in a file, would run for hours, so it is refused.
constexpr double kLargestBlurRadius = 150;

void BlurGaussianEntry(Bitmap& picture, double value, ProgressObserver* observer) {
  const int radius = static_cast<int>(std::trunc(value));
  if (radius > kLargestBlurRadius) {
    throw std::out_of_range("Blur Gaussian takes values up to 150, not " + std::to_string(radius) + ".");
  }
  BlurGaussian(picture, radius, observer);
}

// Maxima of 0 mark the three that depend on the picture; the table below
// fills them in.
constexpr std::array<EffectEntry, 23> kCatalogue = {{
    {"Fisheye", 100, 1, &RealValue<Fisheye>},
    {"Contrast", 3000, 100, &RealValue<Contrast>},
    {"Brighter", 256, 50, &WholeValue<Brighter>},
    {"Darker", 256, 100, &WholeValue<Darker>},
    {"Enhance Light", 100, 5, &WholeValue<EnhanceLight>},
    {"Saturation", 1000, 60, &WholeValue<Saturation>},
    {"Anti-alias", 256, 3, &WholeValue<AntiAlias>},
    {"Noise Color", 3000, 100, &WholeValue<NoiseColor>},
    {"Noise Mono", 3000, 100, &WholeValue<NoiseMono>},
    {"Blur Gaussian", kLargestBlurRadius, 1, &BlurGaussianEntry},
    {"Blur Split", 0, 2, &WholeValue<BlurSplit>},
    {"Mosaic", 550, 10, &WholeValue<Mosaic>},
    {"Twist", 1000, 100, &WholeValue<Twist>},
    {"Tile", 80, 2, &WholeValue<Tile>},
    {"Tile Grided", 80, 2, &WholeValue<TileGrided>},
    {"Trace", 2, 1, &WholeValue<Trace>},
    {"Solarize", 256, 256, &WholeValue<Solarize>},
    {"Posterize", 256, 50, &WholeValue<Posterize>},
    {"Plux Blue", 1000, 152, &WholeValue<PluxBlue>},
    {"Emboss", 0, 1, &WholeValue<Emboss>},
    {"Emboss Noise", 0, 1, &WholeValue<EmbossNoise>},
    {"Invert Colors", 10, 1, &WholeValue<InvertColors>},
    {"Color Split", 2, 1, &WholeValue<ColorSplit>},
}};

}  // namespace

std::span<const EffectEntry> EffectCatalogue() { return kCatalogue; }

const EffectEntry* FindEffect(std::string_view name) {
  for (const EffectEntry& entry : kCatalogue) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

const std::vector<std::string>& GetEffectNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const EffectEntry& entry : kCatalogue) list.emplace_back(entry.name);
    return list;
  }();
  return names;
}

bool GetEffectSpecifications(const Bitmap& picture, std::string_view name, EffectRange& range) {
  range = EffectRange{};
  const EffectEntry* entry = FindEffect(name);
  if (entry == nullptr) return true;
  range.maximum = entry->maximum;
  range.default_value = entry->default_value;
  if (name == "Blur Split") {
    range.maximum = picture.Width() - 1;
  } else if (name == "Emboss" || name == "Emboss Noise") {
    // The product is carried in extended precision, then rounded once.
    range.maximum = static_cast<double>(static_cast<long double>(picture.Width()) * 0.025L + 1);
    range.default_value = range.maximum > 2.0 ? 3 : 1;
  }
  return false;
}

}  // namespace sf
