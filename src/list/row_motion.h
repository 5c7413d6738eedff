#pragma once
#include <optional>
#include <string>
#include <string_view>
namespace sf {
struct MotionRect { double x = 0, y = 0, width = 1, height = 1; };
enum class MotionKind { kNone, kZoomIn, kZoomOut, kPanLeft, kPanRight, kRects };
struct RowMotion { MotionKind kind = MotionKind::kNone; MotionRect start, end; };
std::optional<RowMotion> ParseRowMotion(std::string_view cell);
std::string RowMotionText(const RowMotion& motion);
}
