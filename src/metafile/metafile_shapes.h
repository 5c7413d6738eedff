// The figures metafile records draw, in logical coordinates: lines and curves
// from the current position, polygons, rectangles, ellipses and the arc family.
// Each fills with the selected brush and strokes with the selected pen as the
// drawing system does, or adds its outline to an open path.
//   DrawPolygon(canvas, points);
//   DrawArc(canvas, ArcKind::kPie, {0, 0}, {100, 100}, {100, 50}, {50, 0});
#pragma once

#include <cstdint>
#include <span>

#include "image/color.h"
#include "metafile/metafile_canvas.h"

namespace sf {

enum class ArcKind : std::uint8_t { kArc, kChord, kPie, kArcTo };

void MoveTo(MetafileCanvas& canvas, Point2 p);
void LineTo(MetafileCanvas& canvas, Point2 p);
void DrawPolyline(MetafileCanvas& canvas, std::span<const Point2> points);
void DrawPolylineTo(MetafileCanvas& canvas, std::span<const Point2> points);
void DrawPolygon(MetafileCanvas& canvas, std::span<const Point2> points);
// Consecutive runs of points, counts[i] points each; polygons fill together,
// so that the fill mode decides their holes.
void DrawPolyPolygon(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint32_t> counts);
void DrawPolyPolyline(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint32_t> counts);
// A start point then three points per curve.
void DrawPolyBezier(MetafileCanvas& canvas, std::span<const Point2> points);
// Three points per curve, from the current position.
void DrawPolyBezierTo(MetafileCanvas& canvas, std::span<const Point2> points);
// Points with a type byte each: move to (6), line to (2), curve to (4, in
// threes), any of them with bit 1 closing the figure.
void DrawPolyDraw(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint8_t> types);

void DrawRectangle(MetafileCanvas& canvas, Point2 a, Point2 b);
// corner: width and height of the ellipse that rounds each corner.
void DrawRoundRect(MetafileCanvas& canvas, Point2 a, Point2 b, Point2 corner);
void DrawEllipse(MetafileCanvas& canvas, Point2 a, Point2 b);
// The ellipse in the box a-b, from the ray towards `start` to the ray towards
// `end`, counter-clockwise on the picture unless the state says clockwise.
void DrawArc(MetafileCanvas& canvas, ArcKind kind, Point2 a, Point2 b, Point2 start, Point2 end);
// A line from the current position to the circle, then the arc; angles in
// degrees, counter-clockwise.
void DrawAngleArc(MetafileCanvas& canvas, Point2 center, double radius, double start, double sweep);
void SetPixel(MetafileCanvas& canvas, Point2 p, ColorRef color);

}  // namespace sf
