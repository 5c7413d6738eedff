// Transitions in the video: a row's transition plays over the last frames of
// the previous picture, so the show keeps its length, from the previous
// picture into the row's first frame.
//   const std::int64_t steps = TransitionFrameCount(1.0, 25, previous_frames);   // 25 at most
//   engine.AddFrame(TransitionFrame(kind, from, to, TransitionProgress(j, steps), recipe));
#pragma once

#include <cstdint>

#include "compile/compile_settings.h"
#include "compile/frame_preparation.h"
#include "effects/transitions.h"
#include "image/bitmap.h"

namespace sf {

// The transition's frames: its time at the frame rate, at least one, and no
// more than the previous picture's frames.
std::int64_t TransitionFrameCount(double seconds, double frames_per_second, std::int64_t previous_frames);

// Step j of steps, strictly between the two pictures: (j + 1) / (steps + 1),
// so an odd count has its middle frame at one half.
double TransitionProgress(std::int64_t step, std::int64_t steps);

// The frame at progress between two frames of the recipe's format, itself of
// that format (an 8-bit pair is mixed in 24 bits and reduced again).
Bitmap TransitionFrame(Transition transition, const Bitmap& from, const Bitmap& to, double progress,
                       const FrameRecipe& recipe);

}  // namespace sf
