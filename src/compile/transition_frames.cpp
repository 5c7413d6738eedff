#include "compile/transition_frames.h"

#include <algorithm>
#include <cmath>

namespace sf {

namespace {

const Bitmap& As24(const Bitmap& frame, Bitmap& converted) {
  if (frame.Format() == PixelFormat::kBits24) return frame;
  converted = frame;
  converted.SetPixelFormat(PixelFormat::kBits24);
  return converted;
}

}  // namespace

std::int64_t TransitionFrameCount(double seconds, double frames_per_second, std::int64_t previous_frames) {
  const double frames = std::clamp(seconds, 0.0, kMaxTransitionSeconds) * std::max(frames_per_second, 0.0);
  const auto wanted = std::max<std::int64_t>(1, std::llround(std::min(frames, 1e12)));
  return std::clamp<std::int64_t>(wanted, 0, std::max<std::int64_t>(previous_frames, 0));
}

double TransitionProgress(std::int64_t step, std::int64_t steps) {
  return static_cast<double>(step + 1) / static_cast<double>(steps + 1);
}

Bitmap TransitionFrame(Transition transition, const Bitmap& from, const Bitmap& to, double progress,
                       const FrameRecipe& recipe) {
  Bitmap from24;
  Bitmap to24;
  Bitmap mixed;
  DrawTransition(transition, As24(from, from24), As24(to, to24), progress, mixed);
  if (recipe.pixel_format == PixelFormat::kBits24) return mixed;
  return FrameOf(mixed, recipe);
}

}  // namespace sf
