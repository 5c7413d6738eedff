// Resampling with a cubic filter (B = 0, C = 0.6, the usual "bicubic" of video
// scalers) whose width grows with the reduction, so that a picture made much
// smaller averages its pixels instead of picking some of them: no aliasing and
// no grain left from a camera picture shrunk eight times.
//   Bitmap fitted(480, 360);
//   ResizeFiltered(photo, fitted);
#pragma once

#include "image/bitmap.h"

namespace sf {

// The whole source into the whole 24-bit target, pixel centres aligned.
// Throws std::invalid_argument for an empty source.
void ResizeFiltered(const Bitmap& source, Bitmap& target);

}  // namespace sf
