// The transitions a row's transition cell names: the four page flips and the
// cross fade, and one frame of each drawn at the frame size for a video, where
// the row's picture comes in over the previous one as the progress runs from 0
// (the previous picture) towards 1 (the new one).
//   if (const std::optional<Transition> kind = ParseTransitionCell(list.Transition(row))) {
//     DrawTransition(*kind, previous, next, 0.5, frame);
//   }
#pragma once

#include <optional>
#include <string_view>

#include "image/bitmap.h"
#include "image/color.h"

namespace sf {

// The cell's "0" to "4", in the transitions window's order.
enum class Transition { kPageFlipLeft = 0, kPageFlipRight = 1, kPageFlipUp = 2, kPageFlipDown = 3, kCrossFade = 4 };

inline constexpr int kTransitionCount = 5;

// The window's item texts, "Page Flip - Left" to "Cross Fade".
const char* TransitionName(Transition transition);

// An empty cell, or any text other than "0" to "4", is no transition.
std::optional<Transition> ParseTransitionCell(std::string_view cell);

// Each channel (from x (256 - w) + to x w + 128) / 256 with w the progress
// in 256ths, rounded: progress 0.5 gives the rounded mean. All three bitmaps
// are 24-bit and of one size (std::invalid_argument otherwise).
void DrawCrossFade(const Bitmap& from, const Bitmap& to, double progress, Bitmap& target);

// target (resized to from's size) = the frame at progress in 0 .. 1: a page
// flip draws `to` over `from` with the page-flip routine at the angle that
// far from the animation's first frame to its last, opaque, at the fold of
// the whole frame; the cross fade mixes the two. Both 24-bit, of one size.
void DrawTransition(Transition transition, const Bitmap& from, const Bitmap& to, double progress, Bitmap& target);

// One of the 80 frames of the transitions window's preview, onto a target that
// already shows the background; pixels of the key colour are not drawn. The
// page flips are DrawPageFlipFrame's; the cross fade mixes the picture in by
// frame / 79.
void DrawTransitionPreviewFrame(Transition transition, const Bitmap& source, Bitmap& target, int frame, ColorRef key);

}  // namespace sf
