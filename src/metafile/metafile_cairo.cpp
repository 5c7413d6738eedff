#include "metafile/metafile_cairo.h"

#include <cstdint>
#include <string>
#include <vector>

#include "common/format_error.h"

namespace sf {

SurfacePtr MakeSurface(int width, int height) {
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    throw FormatError("Cannot make a drawing surface of " + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels");
  }
  return surface;
}

SurfacePtr SurfaceFromBitmap(const Bitmap& picture) {
  SurfacePtr surface = MakeSurface(picture.Width(), picture.Height());
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(picture.Width()) * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    picture.ReadRowBgr(y, bgr);
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint8_t* p = &bgr[static_cast<std::size_t>(x) * 3];
      row[x] = 0xFF000000u | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

Bitmap BitmapFromSurface(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  Bitmap out(width, height, PixelFormat::kBits24);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    auto row = out.Row(y);
    for (int x = 0; x < width; ++x) {
      row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(in[x]);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(in[x] >> 8);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(in[x] >> 16);
    }
  }
  return out;
}

}  // namespace sf
