// Owning handles for cairo's C objects, and moving pixels between a Bitmap and
// a cairo ARGB32 image surface.
//   SurfacePtr surface = SurfaceFromBitmap(picture);   // opaque copy
//   Bitmap out = BitmapFromSurface(surface.get());       // 24-bit
#pragma once

#include <cairo.h>

#include <memory>

#include "image/bitmap.h"

namespace sf {

struct CairoDeleter {
  void operator()(cairo_t* p) const { cairo_destroy(p); }
  void operator()(cairo_surface_t* p) const { cairo_surface_destroy(p); }
  void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
  void operator()(cairo_path_t* p) const { cairo_path_destroy(p); }
  void operator()(cairo_region_t* p) const { cairo_region_destroy(p); }
};

using ContextPtr = std::unique_ptr<cairo_t, CairoDeleter>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, CairoDeleter>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, CairoDeleter>;
using PathPtr = std::unique_ptr<cairo_path_t, CairoDeleter>;

// An ARGB32 surface of the size; throws FormatError when cairo cannot make it.
SurfacePtr MakeSurface(int width, int height);
// An opaque copy of the picture.
SurfacePtr SurfaceFromBitmap(const Bitmap& picture);
// The surface's colours as a 24-bit bitmap (alpha is ignored: every surface we
// draw on starts opaque and stays so).
Bitmap BitmapFromSurface(cairo_surface_t* surface);

}  // namespace sf
