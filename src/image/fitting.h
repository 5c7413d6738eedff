// Fitting a picture onto a frame of the output size over the background: the
// fitted size inside the border, with or without keeping the aspect ratio or
// enlarging small pictures, centred, at the frame's colour depth.
//   if (GetAspectedImage(picture, background, ResizeMethod::kSmooth, true, true, PixelFormat::kBits24,
//                        0, 0, 480, 720, reporter) != 0) { ... already reported ... }
#pragma once

#include "common/reporter.h"
#include "image/bitmap.h"

namespace sf {

// The frame sizes a compile accepts.
inline constexpr int kMinFrameSize = 1;
inline constexpr int kMaxFrameSize = 9999999;

// kFiltered is never chosen in a list: the optimised GIF fits with it where
// the settings say "Smooth".
enum class ResizeMethod { kStandard = 0, kSmooth = 1, kFiltered = 2 };

// Where the picture goes in the frame: its fitted size and its top-left corner.
struct FitPlacement {
  int width;
  int height;
  int left;
  int top;
};

// sw x sh is the picture, w x h the frame, bw and bh the border percentages.
FitPlacement ComputeFitPlacement(int sw, int sh, double w, double h, int bw, int bh, bool maintain_aspect,
                                 bool zoom_in);

// A 24-bit frame of width x height showing the background alone, stretched
// over it; white when the background is empty. Throws when it cannot be made.
Bitmap BackgroundFrame(const Bitmap& background, ResizeMethod resize, int width, int height);

// Replaces the picture by a frame of trunc(w) x trunc(h) in format pf: the
// background stretched over the whole frame, the picture placed on it. An 8-bit
// frame keeps the palette of a picture that is already 8-bit, else it gets the
// halftone palette. Returns 0, or 1 after reporting a failure (the picture then
// stays as it was).
int GetAspectedImage(Bitmap& picture, const Bitmap& background, ResizeMethod resize, bool zoom_in,
                     bool maintain_aspect, PixelFormat pf, int bh, int bw, double h, double w, Reporter& reporter);

}  // namespace sf
