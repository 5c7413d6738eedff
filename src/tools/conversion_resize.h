// The converter's resize: the new size from the target size and the aspect
// choice, and the stretch that keeps the picture's own pixel format.
//   AspectSize(1000, 500, 640, 480, kAspectMaintain) == {640, 320}
//   if (!ResizeForConversion(picture, 640, 480, kAspectFitHeight, ResizeMethod::kSmooth)) ...
#pragma once

#include "image/bitmap.h"
#include "image/fitting.h"

namespace sf {

// In the order of the window's aspect box.
inline constexpr int kAspectStretch = 0;
inline constexpr int kAspectMaintain = 1;
inline constexpr int kAspectFitWidth = 2;
inline constexpr int kAspectFitHeight = 3;

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size a W x H picture gets for the target Wt x Ht. Each ratio is a double;
// a side times a ratio is formed in extended precision and truncated, so
// 1000 x (480 / 500) gives 959.
PictureSize AspectSize(int width, int height, int target_width, int target_height, int aspect);

// Stretches the picture to its aspect size (standard: nearest pixel; smooth:
// bilinear from a 24-bit copy) and draws the result back at the picture's own
// pixel format and palette. False, with the picture untouched, when it cannot
// be resized: an empty picture, a new side below 1, a bitmap too large.
bool ResizeForConversion(Bitmap& picture, int target_width, int target_height, int aspect, ResizeMethod method);

}  // namespace sf
