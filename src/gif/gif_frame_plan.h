// Planning the frames of an optimised animation from the pictures it must show:
// which rectangle each frame covers, which of its pixels it draws, and what the
// viewer does with it before the next frame, so that composing the frames as a
// viewer does shows every picture in turn.
//   const std::vector<GifFramePlan> plans = PlanGifFrames(pictures, width, height);
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gif/gif_types.h"

namespace sf {

// One picture as it must appear once its frame is composed: red-green-blue
// pixels top-down, and where it shows no colour at all (the page behind the
// animation shows through). A clear pixel has colour (0, 0, 0).
struct ShownPicture {
  std::vector<std::uint8_t> rgb;
  std::vector<std::uint8_t> clear;   // one byte per pixel, 1 = clear; empty when nothing is clear
  bool Clear(std::size_t pixel) const { return !clear.empty() && clear[pixel] != 0; }
  friend bool operator==(const ShownPicture&, const ShownPicture&) = default;
};

struct GifFramePlan {
  GifRect rect;                        // never empty
  // Per pixel of the rectangle, rows top-down: 1 where the frame must draw
  // (the colour differs from what the viewer shows there).
  std::vector<std::uint8_t> changed;
  // Per pixel of the rectangle: 1 where the picture has a colour. A pixel may
  // be drawn only where it is opaque; a changed pixel must be.
  std::vector<std::uint8_t> opaque;
  std::vector<std::uint8_t> rgb;       // the picture's pixels inside the rectangle
  // 1 leaves the frame on the screen; 2 clears its rectangle, when the next
  // picture is clear where this one has colour.
  TDisposalMethod disposal = TDisposalMethod::dmNoDisposal;
  int ChangedCount() const;
  int OpaqueCount() const;
};

// pictures in showing order, each width x height; consecutive entries may be
// the same picture (its frame then changes nothing).
std::vector<GifFramePlan> PlanGifFrames(const std::vector<std::shared_ptr<const ShownPicture>>& pictures, int width,
                                        int height);

}  // namespace sf
