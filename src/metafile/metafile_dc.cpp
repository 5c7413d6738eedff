#include "metafile/metafile_dc.h"

#include <algorithm>
#include <cmath>

namespace sf {

namespace {

// Millimetres per logical unit of the fixed map modes.
double MillimetresPerUnit(MapMode mode) {
  switch (mode) {
    case MapMode::kLoMetric: return 0.1;
    case MapMode::kHiMetric: return 0.01;
    case MapMode::kLoEnglish: return 0.254;
    case MapMode::kHiEnglish: return 0.0254;
    case MapMode::kTwips: return 25.4 / 1440;
    default: return 0;
  }
}

Point2 Scale(const DcState& dc) {
  switch (dc.map_mode) {
    case MapMode::kText: return {1, 1};
    case MapMode::kIsotropic:
    case MapMode::kAnisotropic: {
      Point2 s{dc.viewport_ext.x / dc.window_ext.x, dc.viewport_ext.y / dc.window_ext.y};
      if (dc.map_mode == MapMode::kIsotropic) {
        // The viewport shrinks along one axis so that a unit is as long both ways.
        const double m = std::min(std::fabs(s.x), std::fabs(s.y));
        s = {std::copysign(m, s.x), std::copysign(m, s.y)};
      }
      return s;
    }
    default: {
      // The fixed modes count y upwards.
      const double mm = MillimetresPerUnit(dc.map_mode);
      return {mm * dc.device_per_mm.x, -mm * dc.device_per_mm.y};
    }
  }
}

}  // namespace

cairo_matrix_t PageToDevice(const DcState& dc) {
  const Point2 s = Scale(dc);
  cairo_matrix_t m;
  cairo_matrix_init(&m, s.x, 0, 0, s.y, dc.viewport_org.x - dc.window_org.x * s.x,
                    dc.viewport_org.y - dc.window_org.y * s.y);
  return m;
}

cairo_matrix_t LogicalToDevice(const DcState& dc) {
  const cairo_matrix_t page = PageToDevice(dc);
  cairo_matrix_t m;
  cairo_matrix_multiply(&m, &dc.world, &page);
  return m;
}

bool UsableMatrix(const cairo_matrix_t& m) {
  const double values[] = {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0};
  if (!std::all_of(std::begin(values), std::end(values), [](double v) { return std::isfinite(v); })) return false;
  const double det = m.xx * m.yy - m.yx * m.xy;
  return std::isfinite(det) && std::fabs(det) > 1e-12;
}

void SetExtent(Point2& extent, double x, double y) {
  if (x != 0 && y != 0) extent = {x, y};
}

void SelectObject(DcState& dc, const MetafileObject& object) {
  if (const auto* pen = std::get_if<MetafilePen>(&object)) dc.pen = *pen;
  if (const auto* brush = std::get_if<MetafileBrush>(&object)) dc.brush = *brush;
  if (const auto* font = std::get_if<MetafileFont>(&object)) dc.font = *font;
}

}  // namespace sf
