// A row's motion cell: how the picture moves while its row shows. The named
// kinds leave their rectangles to the renderer; "Rect" gives the start and end
// rectangles as fractions of the picture.
//   ParseRowMotion("Rect 0 0 1 1 > 0.25 0.25 0.5 0.5")  // zooms into the middle
//   RowMotionText({MotionKind::kZoomIn, {}, {}}) == "Zoom In"
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sf {

struct MotionRect { double x = 0, y = 0, width = 1, height = 1; };  // fractions of the picture
enum class MotionKind { kNone, kZoomIn, kZoomOut, kPanLeft, kPanRight, kRects };
struct RowMotion { MotionKind kind = MotionKind::kNone; MotionRect start, end; };

// "" (or spaces) -> kNone; "Zoom In", "Zoom Out", "Pan Left", "Pan Right";
// "Rect X Y W H > X Y W H" with C-locale decimal numbers, each rectangle inside
// the picture and W, H > 0. Anything else -> nullopt.
std::optional<RowMotion> ParseRowMotion(std::string_view cell);
// The cell text that parses back to motion; the numbers in their shortest
// exact form.
std::string RowMotionText(const RowMotion& motion);

}  // namespace sf
