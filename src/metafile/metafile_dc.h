// The drawing state a metafile's records change (the device context): mapping
// of logical to device coordinates, the selected pen, brush and font, colours,
// modes and the current position. Pure data and arithmetic, no drawing.
//   DcState dc;  dc.map_mode = MapMode::kAnisotropic;  dc.window_ext = {1000, 1000};
//   const cairo_matrix_t m = LogicalToDevice(dc);
#pragma once

#include <cairo.h>

#include <cstdint>

#include "image/color.h"
#include "metafile/metafile_objects.h"

namespace sf {

struct Point2 {
  double x = 0;
  double y = 0;
};

enum class MapMode : std::uint8_t {
  kText = 1,
  kLoMetric,
  kHiMetric,
  kLoEnglish,
  kHiEnglish,
  kTwips,
  kIsotropic,
  kAnisotropic,
};

// Text alignment bits as records carry them.
inline constexpr std::uint32_t kAlignUpdateCp = 0x01;
inline constexpr std::uint32_t kAlignRight = 0x02;
inline constexpr std::uint32_t kAlignCenter = 0x06;
inline constexpr std::uint32_t kAlignBottom = 0x08;
inline constexpr std::uint32_t kAlignBaseline = 0x18;

struct DcState {
  MapMode map_mode = MapMode::kText;
  Point2 window_org;
  Point2 window_ext{1, 1};
  Point2 viewport_org;
  Point2 viewport_ext{1, 1};
  // Device pixels per millimetre, for the metric and English map modes.
  Point2 device_per_mm{96 / 25.4, 96 / 25.4};
  // Logical (world) to page coordinates; identity unless an EMF sets it.
  cairo_matrix_t world{1, 0, 0, 1, 0, 0};

  MetafilePen pen;
  MetafileBrush brush;
  MetafileFont font;
  ColorRef text_color = 0x000000;
  ColorRef background_color = 0xFFFFFF;
  bool opaque_background = true;
  bool winding_fill = false;
  bool clockwise_arcs = false;
  bool smooth_stretch = false;
  std::uint32_t text_align = 0;
  double miter_limit = 10;
  Point2 current_position;
};

// Page to device coordinates for the state's map mode, window and viewport.
cairo_matrix_t PageToDevice(const DcState& dc);
// The world transform followed by the page mapping.
cairo_matrix_t LogicalToDevice(const DcState& dc);

// Whether a matrix can be used for drawing: finite and invertible.
bool UsableMatrix(const cairo_matrix_t& m);

// Sets an extent unless a component is 0, as the drawing system refuses those.
void SetExtent(Point2& extent, double x, double y);

// Makes a pen, brush or font the selected one; other objects change nothing.
void SelectObject(DcState& dc, const MetafileObject& object);

}  // namespace sf
