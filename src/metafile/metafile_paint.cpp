#include "metafile/metafile_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "metafile/metafile_cairo.h"

namespace sf {

namespace {

constexpr int kHatchSize = 8;
// Dashing walks the whole length of a line, also outside the picture: lines
// longer than this are drawn solid so that absurd coordinates cannot stall.
constexpr double kMaxDashedExtent = 1 << 16;

bool HatchCovers(std::uint32_t hatch, int x, int y) {
  const bool horizontal = y == kHatchSize / 2;
  const bool vertical = x == kHatchSize / 2;
  const bool forward = x == y;                    // top left to bottom right
  const bool backward = x + y == kHatchSize - 1;  // bottom left to top right
  switch (hatch) {
    case 0: return horizontal;
    case 1: return vertical;
    case 2: return forward;
    case 3: return backward;
    case 4: return horizontal || vertical;
    default: return forward || backward;
  }
}

// An 8 x 8 tile of the hatch in the brush colour over the background colour
// (or over nothing when the background mode is transparent).
PatternPtr HatchPattern(const MetafileBrush& brush, const DcState& dc) {
  SurfacePtr tile = MakeSurface(kHatchSize, kHatchSize);
  const auto argb = [](ColorRef c) {
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  };
  const std::uint32_t ink = argb(brush.color);
  const std::uint32_t paper = dc.opaque_background ? argb(dc.background_color) : 0;
  cairo_surface_flush(tile.get());
  unsigned char* data = cairo_image_surface_get_data(tile.get());
  const int stride = cairo_image_surface_get_stride(tile.get());
  for (int y = 0; y < kHatchSize; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < kHatchSize; ++x) row[x] = HatchCovers(brush.hatch, x, y) ? ink : paper;
  }
  cairo_surface_mark_dirty(tile.get());
  return PatternPtr(cairo_pattern_create_for_surface(tile.get()));
}

std::vector<double> DashPattern(const MetafilePen& pen, double width) {
  // One-pixel pens keep the screen's classic lengths; wider pens scale with
  // their width.
  const double u = width;
  const bool thin = width <= 1.5;
  switch (pen.dash) {
    case PenDash::kDash: return thin ? std::vector<double>{18, 6} : std::vector<double>{3 * u, u};
    case PenDash::kDot: return thin ? std::vector<double>{3, 3} : std::vector<double>{u, u};
    case PenDash::kDashDot: return thin ? std::vector<double>{9, 6, 3, 6} : std::vector<double>{3 * u, u, u, u};
    case PenDash::kDashDotDot:
      return thin ? std::vector<double>{9, 3, 3, 3, 3, 3} : std::vector<double>{3 * u, u, u, u, u, u};
    case PenDash::kUser: {
      std::vector<double> dashes;
      for (double d : pen.user_dashes) dashes.push_back(std::max(d, 0.0) * u);
      return dashes;
    }
    default: return {};
  }
}

void SetCapAndJoin(cairo_t* cr, const MetafilePen& pen, double miter_limit) {
  switch (pen.cap) {
    case LineCap::kSquare: cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE); break;
    case LineCap::kFlat: cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT); break;
    default: cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND); break;
  }
  switch (pen.join) {
    case LineJoin::kBevel: cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL); break;
    case LineJoin::kMiter: cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER); break;
    default: cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND); break;
  }
  cairo_set_miter_limit(cr, std::clamp(miter_limit, 1.0, 100.0));
}

}  // namespace

void SetSourceColor(cairo_t* cr, ColorRef color) {
  cairo_set_source_rgb(cr, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, ((color >> 16) & 0xFF) / 255.0);
}

void FillWithBrush(cairo_t* cr, const MetafileBrush& brush, const DcState& dc) {
  if (brush.kind == BrushKind::kNull) return;
  PatternPtr pattern;
  if (brush.kind == BrushKind::kHatched) {
    pattern = HatchPattern(brush, dc);
  } else if (brush.kind == BrushKind::kPattern && brush.pattern && !brush.pattern->Empty()) {
    SurfacePtr tile = SurfaceFromBitmap(*brush.pattern);
    pattern.reset(cairo_pattern_create_for_surface(tile.get()));
  }
  if (pattern) {
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern.get());
  } else {
    SetSourceColor(cr, brush.color);
  }
  cairo_set_fill_rule(cr, dc.winding_fill ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill_preserve(cr);
}

double PenWidthInPixels(const MetafilePen& pen, double unit_length) {
  const double width = pen.width * unit_length;
  return std::isfinite(width) ? std::clamp(width, 1.0, 1e5) : 1.0;
}

void StrokeWithPen(cairo_t* cr, const MetafilePen& pen, double unit_length, double miter_limit) {
  if (pen.dash == PenDash::kNull) return;
  const double width = PenWidthInPixels(pen, unit_length);
  // Odd widths are drawn centred on pixel centres, so that a one-pixel line
  // along x = 10 lights the pixel column 10 and no other.
  PathPtr path(cairo_copy_path(cr));
  cairo_new_path(cr);
  if (std::lround(width) % 2 == 1) cairo_translate(cr, 0.5, 0.5);
  cairo_append_path(cr, path.get());
  cairo_identity_matrix(cr);
  cairo_set_line_width(cr, width);
  SetCapAndJoin(cr, pen, miter_limit);
  double x0, y0, x1, y1;
  cairo_path_extents(cr, &x0, &y0, &x1, &y1);
  const bool short_enough = x1 - x0 < kMaxDashedExtent && y1 - y0 < kMaxDashedExtent;
  const std::vector<double> dashes = short_enough ? DashPattern(pen, width) : std::vector<double>{};
  const bool any_dash = std::any_of(dashes.begin(), dashes.end(), [](double d) { return d > 0; });
  cairo_set_dash(cr, any_dash ? dashes.data() : nullptr, any_dash ? static_cast<int>(dashes.size()) : 0, 0);
  SetSourceColor(cr, pen.color);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

}  // namespace sf
