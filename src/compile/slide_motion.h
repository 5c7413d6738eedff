// Pan and zoom: a row's picture seen through a rectangle that moves from a
// start to an end over the row's frames, each frame resampled from the picture
// itself at the rectangle's sub-pixel position (never from a fitted frame), so
// the motion neither jitters nor softens. The picture is shrunk once, to what
// the closest rectangle needs, when it is much larger than the frame.
//   const SlideMotion motion(std::move(picture), path, recipe);
//   for (int i = 0; i < frames; ++i) engine.AddFrame(motion.FrameAt(MotionProgress(i, frames)));
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "compile/frame_preparation.h"
#include "image/bitmap.h"
#include "image/fitting.h"
#include "image/resize_filtered.h"

namespace sf {

class ImageList;

// The rectangles as fractions of the picture (x, y, width, height in 0 .. 1).
struct MotionPath {
  SourceRegion start{0, 0, 1, 1};
  SourceRegion end{0, 0, 1, 1};
};

// The path a row's motion cell names: "Zoom In" closes from the whole picture
// to its middle 80%, "Zoom Out" the other way, "Pan Left" moves an 80% view
// from the right edge to the left one, "Pan Right" from left to right, and a
// cell of two rectangles goes from the first to the second. Nothing for an
// empty or unreadable cell.
std::optional<MotionPath> MotionPathFor(std::string_view cell);

// The motion of a list row, from its motion cell when the list has one.
std::optional<MotionPath> RowMotionPath(const ImageList& list, int row);

// Frame index of count, spread evenly from 0 (the first frame) to 1 (the last).
double MotionProgress(std::int64_t index, std::int64_t count);

class SlideMotion {
 public:
  // The picture after its effects. The rectangle's box in the frame is fitted
  // once from the start rectangle (inside the border, always enlarged to fill
  // it), so every frame draws the same box. Throws std::invalid_argument for an
  // empty picture or a rectangle of no size.
  SlideMotion(const Bitmap& picture, const MotionPath& path, const FrameRecipe& recipe);

  // The frame at progress 0 .. 1, in the recipe's pixel format.
  Bitmap FrameAt(double progress) const;

 private:
  Bitmap m_picture;       // the picture, perhaps shrunk
  MotionPath m_path;
  FrameRecipe m_recipe;
  FitPlacement m_place{};
  Bitmap m_background;    // the 24-bit frame showing the background alone
};

}  // namespace sf
