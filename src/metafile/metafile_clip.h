// The clip of a metafile picture: a region of whole pixels (or none) and the
// paths selected as clips, applied to a cairo context before each drawing.
//   MetafileClip clip({0, 0, width, height});
//   clip.Combine(boxes, ClipCombine::kDiff);   clip.Apply(cr);
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "metafile/metafile_cairo.h"

namespace sf {

// How a new clip combines with the current one, as region records number it.
enum class ClipCombine : std::uint8_t { kAnd = 1, kOr, kXor, kDiff, kCopy };

// A rectangle in device units, right and bottom exclusive.
struct DeviceRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

class MetafileClip {
 public:
  // "Everything": the whole area of the picture, in its pixels.
  explicit MetafileClip(cairo_rectangle_int_t whole);

  void Reset();
  // Boxes in pixels of the picture.
  void Combine(std::span<const cairo_rectangle_int_t> boxes, ClipCombine mode);
  void Offset(int dx, int dy);
  // A path in pixels of the picture. AND and COPY clip to it; the other ways
  // of combining a path are not kept.
  void AddPath(PathPtr path, cairo_fill_rule_t rule, ClipCombine mode);
  // Replaces the context's clip by this one; leaves the path empty and the
  // matrix at identity.
  void Apply(cairo_t* cr) const;

 private:
  struct ClipPath {
    std::shared_ptr<cairo_path_t> path;
    cairo_fill_rule_t rule;
  };

  // Regions are shared between saved states and never changed in place.
  std::shared_ptr<cairo_region_t> m_region;
  std::vector<ClipPath> m_paths;
  cairo_rectangle_int_t m_whole;
};

}  // namespace sf
