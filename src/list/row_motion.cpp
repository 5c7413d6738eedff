#include "list/row_motion.h"
namespace sf {
std::optional<RowMotion> ParseRowMotion(std::string_view cell) {
  RowMotion m;
  if (cell.empty()) return m;
  if (cell == "Zoom In") { m.kind = MotionKind::kZoomIn; return m; }
  if (cell == "Zoom Out") { m.kind = MotionKind::kZoomOut; return m; }
  if (cell == "Pan Left") { m.kind = MotionKind::kPanLeft; return m; }
  if (cell == "Pan Right") { m.kind = MotionKind::kPanRight; return m; }
  return std::nullopt;
}
std::string RowMotionText(const RowMotion&) { return ""; }
}
