#include "video/video_encoding.h"

#include <algorithm>
#include <cmath>

namespace sf {

namespace {

constexpr const char* kPresets[] = {"ultrafast", "superfast", "veryfast", "faster",  "fast",
                                    "medium",    "slow",      "slower",   "veryslow"};

constexpr Vp9Speed kVp9Speeds[] = {{"realtime", 8}, {"realtime", 7}, {"good", 5}, {"good", 4}, {"good", 3},
                                   {"good", 2},     {"good", 1},     {"good", 0}, {"best", 0}};

int ClampQuality(int quality) { return std::clamp(quality, kMinVideoQuality, kMaxVideoQuality); }

}  // namespace

std::span<const char* const> VideoPresets() { return kPresets; }

std::optional<int> VideoPresetIndex(std::string_view name) {
  for (std::size_t i = 0; i < std::size(kPresets); ++i) {
    if (name == kPresets[i]) return static_cast<int>(i);
  }
  return std::nullopt;
}

int X264Crf(int quality) { return ClampQuality(quality); }

int Vp9Crf(int quality) {
  const int q = ClampQuality(quality);
  constexpr int kKnee = kDefaultVideoQuality;
  constexpr int kKneeCrf = 27;  // the least minimum PSNR of 40 dB on the sample show
  if (q <= kKnee) return static_cast<int>(std::lround(q * kKneeCrf / static_cast<double>(kKnee)));
  return static_cast<int>(
      std::lround(kKneeCrf + (q - kKnee) * (63.0 - kKneeCrf) / static_cast<double>(kMaxVideoQuality - kKnee)));
}

Vp9Speed Vp9SpeedFor(int preset) {
  return kVp9Speeds[static_cast<std::size_t>(std::clamp(preset, 0, static_cast<int>(std::size(kVp9Speeds)) - 1))];
}

}  // namespace sf
