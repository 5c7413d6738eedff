#include "compile/frame_preparation.h"

#include <exception>

#include "compile/compile_settings.h"
#include "compile/slide_motion.h"
#include "effects/apply_list_of_effects.h"
#include "effects/noise_random.h"
#include "loader/load_image.h"

namespace sf {

FrameRecipe FrameRecipeFrom(const CompileSettings& settings) {
  FrameRecipe recipe;
  recipe.width = settings.frame_width;
  recipe.height = settings.frame_height;
  recipe.border_width = settings.border_size_width;
  recipe.border_height = settings.border_size_height;
  recipe.maintain_aspect = settings.maintain_aspect;
  recipe.zoom_in = settings.zoom_in;
  recipe.resize = settings.resize_method;
  // The optimised GIF shrinks "Smooth" pictures with a filter that averages
  // instead of sampling, so shrunk photos keep no aliasing and no grain; the
  // classic compile keeps its bilinear samples.
  if (settings.gif_optimise && !IsAviOutput(settings.output_path) && recipe.resize == ResizeMethod::kSmooth) {
    recipe.resize = ResizeMethod::kFiltered;
  }
  recipe.pixel_format = settings.pixel_format;
  recipe.upright = settings.upright;
  recipe.background = &settings.background_picture;
  return recipe;
}

namespace {

int Fit(Bitmap& picture, const FrameRecipe& recipe, Reporter& reporter) {
  return GetAspectedImage(picture, *recipe.background, recipe.resize, recipe.zoom_in, recipe.maintain_aspect,
                          recipe.pixel_format, recipe.border_height, recipe.border_width, recipe.height,
                          recipe.width, reporter);
}

}  // namespace

// The fitted picture is drawn onto a bitmap that got the halftone palette on
// its conversion, whatever palette the picture brought.
Bitmap FrameOf(const Bitmap& fitted, const FrameRecipe& recipe) {
  Bitmap frame(recipe.width, recipe.height);
  frame.SetPixelFormat(recipe.pixel_format);
  frame.Draw(fitted, 0, 0);
  return frame;
}

PreparedFrame PrepareFrame(const std::string& path, const std::string& effects, const FrameRecipe& recipe,
                           std::uint64_t noise_state, Reporter& reporter, const MotionPath* motion) {
  SetNoiseRandomState(noise_state);
  Bitmap picture;
  LoadImage(picture, path, reporter, {.upright = recipe.upright});
  ApplyListOfEffects(picture, effects, reporter);

  PreparedFrame prepared;
  if (motion != nullptr && !picture.Empty()) {
    try {
      prepared.motion = std::make_shared<const SlideMotion>(picture, *motion, recipe);
      prepared.frame = prepared.motion->FrameAt(0);
      prepared.noise_state_after = NoiseRandomState();
      return prepared;
    } catch (const std::exception& failure) {
      // Reported; the row is fitted as a still picture.
      reporter.Error(failure.what());
    }
  }
  if (Fit(picture, recipe, reporter) != 0) {
    // Already reported; the frame keeps the stream's size and shows the
    // background alone.
    prepared.fitted = false;
    picture = BackgroundFrame(*recipe.background, recipe.resize, recipe.width, recipe.height);
  }
  prepared.frame = FrameOf(picture, recipe);
  prepared.noise_state_after = NoiseRandomState();
  return prepared;
}

}  // namespace sf
