#include "metafile/metafile_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "metafile/metafile_paint.h"

namespace sf {

namespace {

struct Ellipse {
  double cx, cy, rx, ry;
};

Ellipse EllipseIn(Point2 a, Point2 b) {
  return {(a.x + b.x) / 2, (a.y + b.y) / 2, std::fabs(b.x - a.x) / 2, std::fabs(b.y - a.y) / 2};
}

// Adds an elliptical arc to the path; the angles are those of the unit circle
// the ellipse is stretched from, in cairo's sense (clockwise on a y-down page).
void AddEllipticArc(cairo_t* cr, const Ellipse& e, double from, double to, bool negative) {
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, e.cx, e.cy);
  cairo_scale(cr, e.rx, e.ry);
  if (negative) {
    cairo_arc_negative(cr, 0, 0, 1, from, to);
  } else {
    cairo_arc(cr, 0, 0, 1, from, to);
  }
  cairo_set_matrix(cr, &saved);
}

void AddPoints(cairo_t* cr, std::span<const Point2> points) {
  cairo_move_to(cr, points[0].x, points[0].y);
  for (std::size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].x, points[i].y);
}

void AddCurves(cairo_t* cr, std::span<const Point2> points) {
  for (std::size_t i = 0; i + 2 < points.size(); i += 3) {
    cairo_curve_to(cr, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x, points[i + 2].y);
  }
}

// Whether the mapping mirrors the page, which turns the sense of arcs.
bool Mirrored(const MetafileCanvas& canvas) {
  const cairo_matrix_t m = canvas.LogicalToOutput();
  return m.xx * m.yy - m.xy * m.yx < 0;
}

}  // namespace

void MoveTo(MetafileCanvas& canvas, Point2 p) {
  canvas.Dc().current_position = p;
  canvas.MarkFigureEnded();
}

void LineTo(MetafileCanvas& canvas, Point2 p) {
  if (cairo_t* cr = canvas.BeginShape()) {
    canvas.ContinueFromCurrentPosition(cr);
    cairo_line_to(cr, p.x, p.y);
    canvas.EndShape(false, true);
  }
  canvas.Dc().current_position = p;
}

void DrawPolyline(MetafileCanvas& canvas, std::span<const Point2> points) {
  if (points.size() < 2) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    AddPoints(cr, points);
    canvas.EndShape(false, true);
  }
}

void DrawPolylineTo(MetafileCanvas& canvas, std::span<const Point2> points) {
  if (points.empty()) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    canvas.ContinueFromCurrentPosition(cr);
    for (const Point2& p : points) cairo_line_to(cr, p.x, p.y);
    canvas.EndShape(false, true);
  }
  canvas.Dc().current_position = points.back();
}

void DrawPolygon(MetafileCanvas& canvas, std::span<const Point2> points) {
  if (points.size() < 2) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    AddPoints(cr, points);
    cairo_close_path(cr);
    canvas.EndShape(true, true);
  }
}

void DrawPolyPolygon(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint32_t> counts) {
  cairo_t* cr = canvas.BeginShape();
  if (!cr) return;
  std::size_t at = 0;
  for (const std::uint32_t count : counts) {
    if (count > points.size() - at) break;
    if (count >= 2) {
      AddPoints(cr, points.subspan(at, count));
      cairo_close_path(cr);
    }
    at += count;
  }
  canvas.EndShape(true, true);
}

void DrawPolyPolyline(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint32_t> counts) {
  cairo_t* cr = canvas.BeginShape();
  if (!cr) return;
  std::size_t at = 0;
  for (const std::uint32_t count : counts) {
    if (count > points.size() - at) break;
    if (count >= 2) AddPoints(cr, points.subspan(at, count));
    at += count;
  }
  canvas.EndShape(false, true);
}

void DrawPolyBezier(MetafileCanvas& canvas, std::span<const Point2> points) {
  if (points.size() < 4) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    cairo_move_to(cr, points[0].x, points[0].y);
    AddCurves(cr, points.subspan(1));
    canvas.EndShape(false, true);
  }
}

void DrawPolyBezierTo(MetafileCanvas& canvas, std::span<const Point2> points) {
  const std::size_t used = points.size() / 3 * 3;
  if (used == 0) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    canvas.ContinueFromCurrentPosition(cr);
    AddCurves(cr, points);
    canvas.EndShape(false, true);
  }
  canvas.Dc().current_position = points[used - 1];
}

void DrawPolyDraw(MetafileCanvas& canvas, std::span<const Point2> points, std::span<const std::uint8_t> types) {
  const std::size_t count = std::min(points.size(), types.size());
  if (count == 0) return;
  cairo_t* cr = canvas.BeginShape();
  if (cr) canvas.ContinueFromCurrentPosition(cr);
  Point2 figure_start = canvas.Dc().current_position;
  std::size_t i = 0;
  while (i < count) {
    const std::uint8_t type = types[i] & 0x06;
    std::size_t last = i;
    if (type == 0x04 && i + 2 < count) {
      if (cr) AddCurves(cr, points.subspan(i, 3));
      last = i + 2;
    } else if (type == 0x06) {
      if (cr) cairo_move_to(cr, points[i].x, points[i].y);
      figure_start = points[i];
    } else if (cr) {
      cairo_line_to(cr, points[i].x, points[i].y);
    }
    canvas.Dc().current_position = points[last];
    if ((types[last] & 0x01) != 0) {
      if (cr) cairo_close_path(cr);
      canvas.Dc().current_position = figure_start;
    }
    i = last + 1;
  }
  if (cr) canvas.EndShape(false, true);
}

void DrawRectangle(MetafileCanvas& canvas, Point2 a, Point2 b) {
  if (cairo_t* cr = canvas.BeginShape()) {
    cairo_rectangle(cr, std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    canvas.EndShape(true, true);
  }
}

void DrawRoundRect(MetafileCanvas& canvas, Point2 a, Point2 b, Point2 corner) {
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const double rx = std::min(std::fabs(corner.x) / 2, (right - left) / 2);
  const double ry = std::min(std::fabs(corner.y) / 2, (bottom - top) / 2);
  if (rx <= 0 || ry <= 0) return DrawRectangle(canvas, a, b);
  cairo_t* cr = canvas.BeginShape();
  if (!cr) return;
  const double quarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  AddEllipticArc(cr, {right - rx, top + ry, rx, ry}, -quarter, 0, false);
  AddEllipticArc(cr, {right - rx, bottom - ry, rx, ry}, 0, quarter, false);
  AddEllipticArc(cr, {left + rx, bottom - ry, rx, ry}, quarter, 2 * quarter, false);
  AddEllipticArc(cr, {left + rx, top + ry, rx, ry}, 2 * quarter, 3 * quarter, false);
  cairo_close_path(cr);
  canvas.EndShape(true, true);
}

void DrawEllipse(MetafileCanvas& canvas, Point2 a, Point2 b) {
  const Ellipse e = EllipseIn(a, b);
  if (e.rx <= 0 || e.ry <= 0) return;
  if (cairo_t* cr = canvas.BeginShape()) {
    cairo_new_sub_path(cr);
    AddEllipticArc(cr, e, 0, 2 * std::numbers::pi, false);
    cairo_close_path(cr);
    canvas.EndShape(true, true);
  }
}

void DrawArc(MetafileCanvas& canvas, ArcKind kind, Point2 a, Point2 b, Point2 start, Point2 end) {
  const Ellipse e = EllipseIn(a, b);
  if (e.rx <= 0 || e.ry <= 0) return;
  const double from = std::atan2((start.y - e.cy) / e.ry, (start.x - e.cx) / e.rx);
  double to = std::atan2((end.y - e.cy) / e.ry, (end.x - e.cx) / e.rx);
  // Counter-clockwise on the picture is decreasing cairo angles on an unmirrored page.
  const bool negative = canvas.Dc().clockwise_arcs == Mirrored(canvas);
  // Rays through the same point draw the whole ellipse.
  if (to == from) to = negative ? from - 2 * std::numbers::pi : from + 2 * std::numbers::pi;
  const Point2 arc_start{e.cx + e.rx * std::cos(from), e.cy + e.ry * std::sin(from)};
  const Point2 arc_end{e.cx + e.rx * std::cos(to), e.cy + e.ry * std::sin(to)};
  if (cairo_t* cr = canvas.BeginShape()) {
    if (kind == ArcKind::kArcTo) {
      canvas.ContinueFromCurrentPosition(cr);
      cairo_line_to(cr, arc_start.x, arc_start.y);
    } else if (kind == ArcKind::kPie) {
      cairo_move_to(cr, e.cx, e.cy);
    } else {
      cairo_new_sub_path(cr);
    }
    AddEllipticArc(cr, e, from, to, negative);
    if (kind == ArcKind::kChord || kind == ArcKind::kPie) cairo_close_path(cr);
    const bool closed = kind == ArcKind::kChord || kind == ArcKind::kPie;
    canvas.EndShape(closed, true);
  }
  if (kind == ArcKind::kArcTo) canvas.Dc().current_position = arc_end;
}

void DrawAngleArc(MetafileCanvas& canvas, Point2 center, double radius, double start, double sweep) {
  // More than a turn draws the same circle again.
  sweep = std::clamp(sweep, -360.0, 360.0);
  start = std::fmod(start, 360.0);
  const double from = -start * std::numbers::pi / 180;
  const double to = -(start + sweep) * std::numbers::pi / 180;
  const double r = std::fabs(radius);
  const Point2 arc_end{center.x + r * std::cos(to), center.y + r * std::sin(to)};
  if (r > 0) {
    if (cairo_t* cr = canvas.BeginShape()) {
      canvas.ContinueFromCurrentPosition(cr);
      cairo_line_to(cr, center.x + r * std::cos(from), center.y + r * std::sin(from));
      AddEllipticArc(cr, {center.x, center.y, r, r}, from, to, sweep > 0);
      canvas.EndShape(false, true);
    }
  }
  canvas.Dc().current_position = arc_end;
}

void SetPixel(MetafileCanvas& canvas, Point2 p, ColorRef color) {
  const cairo_matrix_t m = canvas.LogicalToOutput();
  if (!UsableMatrix(m)) return;
  cairo_matrix_transform_point(&m, &p.x, &p.y);
  cairo_t* cr = canvas.Context();
  cairo_rectangle(cr, std::floor(p.x), std::floor(p.y), 1, 1);
  SetSourceColor(cr, color);
  cairo_fill(cr);
}

}  // namespace sf
