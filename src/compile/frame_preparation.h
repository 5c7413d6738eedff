// Preparing one row's frame for a compile: load the picture, apply the row's
// effects, fit it over the background at the output size and colour depth. The
// result depends only on the row, the settings and the noise generator's state
// at the row's start, so rows can be prepared apart from the writing, which
// takes the frames in list order.
//   const FrameRecipe recipe = FrameRecipeFrom(settings);
//   PreparedFrame prepared = PrepareFrame(list.Path(i), list.Effects(i), recipe, NoiseRandomState(), reporter);
//   SetNoiseRandomState(prepared.noise_state_after);
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "image/bitmap.h"
#include "image/fitting.h"

namespace sf {

class Reporter;
class SlideMotion;
struct CompileSettings;
struct MotionPath;

// The fitting settings a compile reads once at its start.
struct FrameRecipe {
  int width = 0;
  int height = 0;
  int border_width = 0;    // percent
  int border_height = 0;   // percent
  bool maintain_aspect = true;
  bool zoom_in = true;
  ResizeMethod resize = ResizeMethod::kStandard;
  PixelFormat pixel_format = PixelFormat::kBits24;
  bool upright = true;                  // JPEG photos by their EXIF orientation
  const Bitmap* background = nullptr;   // the settings' background picture; must outlive the recipe
};

FrameRecipe FrameRecipeFrom(const CompileSettings& settings);

struct PreparedFrame {
  // Always width x height in the recipe's pixel format; an 8-bit frame has the
  // halftone palette, so every frame of a compile shares one format.
  Bitmap frame;
  // False when the fitting failed (already reported): the frame then shows the
  // background alone.
  bool fitted = true;
  std::uint64_t noise_state_after = 0;
  // A row with a motion: its frames, the first of which is `frame`.
  std::shared_ptr<const SlideMotion> motion;
};

// The fitted 24-bit picture as a frame of the recipe's format: an 8-bit frame
// gets the halftone palette, so every 8-bit frame of a compile shares one.
Bitmap FrameOf(const Bitmap& fitted, const FrameRecipe& recipe);

// The loader's, the effects' and the fitting's messages go to the reporter, in
// that order; a missing picture gives the background alone. With a motion the
// picture after its effects is kept for the motion's frames instead of fitted.
PreparedFrame PrepareFrame(const std::string& path, const std::string& effects, const FrameRecipe& recipe,
                           std::uint64_t noise_state, Reporter& reporter, const MotionPath* motion = nullptr);

}  // namespace sf
