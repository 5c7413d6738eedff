#include "gif/gif_frame_plan.h"

#include <algorithm>
#include <numeric>

namespace sf {

int GifFramePlan::ChangedCount() const { return std::accumulate(changed.begin(), changed.end(), 0); }
int GifFramePlan::OpaqueCount() const { return std::accumulate(opaque.begin(), opaque.end(), 0); }

namespace {

struct Bounds {
  int left = 0, top = 0, right = 0, bottom = 0;   // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
  void Add(int x, int y) {
    if (Empty()) {
      *this = {x, y, x + 1, y + 1};
      return;
    }
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
  }
  void Add(const Bounds& other) {
    if (other.Empty()) return;
    Add(other.left, other.top);
    Add(other.right - 1, other.bottom - 1);
  }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// What the viewer shows before a frame: the previous picture, with the
// previous frame's rectangle cleared when that frame was disposed of so.
struct Canvas {
  const ShownPicture* picture = nullptr;   // nullptr: all clear (before the first frame)
  Bounds cleared;

  bool Clear(int x, int y, std::size_t i) const {
    return picture == nullptr || picture->Clear(i) || cleared.Contains(x, y);
  }
};

bool SameColour(const ShownPicture& a, const ShownPicture& b, std::size_t i) {
  return a.rgb[3 * i] == b.rgb[3 * i] && a.rgb[3 * i + 1] == b.rgb[3 * i + 1] && a.rgb[3 * i + 2] == b.rgb[3 * i + 2];
}

// Pixels that are clear in next and have colour in shown: only a disposal can clear them.
Bounds ToClear(const ShownPicture& shown, const ShownPicture& next, int width, int height) {
  Bounds bounds;
  if (next.clear.empty()) return bounds;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
      if (next.Clear(i) && !shown.Clear(i)) bounds.Add(x, y);
    }
  }
  return bounds;
}

Bounds Changed(const ShownPicture& picture, const Canvas& canvas, int width, int height) {
  Bounds bounds;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
      if (picture.Clear(i)) continue;
      if (canvas.Clear(x, y, i) || !SameColour(picture, *canvas.picture, i)) bounds.Add(x, y);
    }
  }
  return bounds;
}

GifFramePlan PlanFrame(const ShownPicture& picture, const Canvas& canvas, Bounds rect, int width) {
  GifFramePlan plan;
  plan.rect = {rect.left, rect.top, rect.right, rect.bottom};
  const std::size_t area = static_cast<std::size_t>(rect.right - rect.left) * static_cast<std::size_t>(rect.bottom - rect.top);
  plan.changed.resize(area);
  plan.opaque.resize(area);
  plan.rgb.resize(3 * area);
  std::size_t k = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x, ++k) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
      const bool opaque = !picture.Clear(i);
      plan.opaque[k] = opaque ? 1 : 0;
      plan.changed[k] = opaque && (canvas.Clear(x, y, i) || !SameColour(picture, *canvas.picture, i)) ? 1 : 0;
      std::copy_n(&picture.rgb[3 * i], 3, &plan.rgb[3 * k]);
    }
  }
  return plan;
}

}  // namespace

std::vector<GifFramePlan> PlanGifFrames(const std::vector<std::shared_ptr<const ShownPicture>>& pictures, int width,
                                        int height) {
  std::vector<GifFramePlan> plans;
  plans.reserve(pictures.size());
  Canvas canvas;
  for (std::size_t k = 0; k < pictures.size(); ++k) {
    const ShownPicture& picture = *pictures[k];
    Bounds rect = Changed(picture, canvas, width, height);
    TDisposalMethod disposal = TDisposalMethod::dmNoDisposal;
    if (k + 1 < pictures.size()) {
      const Bounds to_clear = ToClear(picture, *pictures[k + 1], width, height);
      if (!to_clear.Empty()) {
        disposal = TDisposalMethod::dmBackground;
        rect.Add(to_clear);
      }
    }
    // A frame that changes nothing still holds its delay: one pixel, left as it is.
    if (rect.Empty()) rect = {0, 0, 1, 1};
    plans.push_back(PlanFrame(picture, canvas, rect, width));
    plans.back().disposal = disposal;
    canvas.picture = &picture;
    canvas.cleared = disposal == TDisposalMethod::dmBackground ? rect : Bounds{};
  }
  return plans;
}

}  // namespace sf
