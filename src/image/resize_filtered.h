// Resampling with a cubic filter (B = 0, C = 0.6, the usual "bicubic" of video
// scalers) whose width grows with the reduction, so that a picture made much
// smaller averages its pixels instead of picking some of them: no aliasing and
// no grain left from a camera picture shrunk eight times.
//   Bitmap fitted(480, 360);
//   ResizeFiltered(photo, fitted);
//   ResizeFilteredRegion(photo, SourceRegion{100.25, 80.5, 1600, 1200}, fitted);
#pragma once

#include "image/bitmap.h"

namespace sf {

// A part of a picture in its pixel units, at any sub-pixel position and size;
// it may reach past the edges, whose pixels then repeat.
struct SourceRegion {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

// The whole source into the whole 24-bit target, pixel centres aligned.
// Throws std::invalid_argument for an empty source.
void ResizeFiltered(const Bitmap& source, Bitmap& target);
// The region of the source into the whole 24-bit target: target pixel (x, y)
// is centred on source point (region.x + (x + 0.5) x region.width / target
// width, likewise down), so a region moved by a fraction of a pixel moves the
// picture by that fraction. Throws std::invalid_argument for an empty source
// or region.
void ResizeFilteredRegion(const Bitmap& source, const SourceRegion& region, Bitmap& target);

}  // namespace sf
