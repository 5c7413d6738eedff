#include "metafile/emf_drawing_records.h"

#include <cmath>

#include "common/format_error.h"
#include "metafile/metafile_paint.h"
#include "metafile/metafile_shapes.h"

namespace sf {

namespace {

constexpr std::size_t kBoundsSize = 16;

// `count` points of 16- or 32-bit coordinates.
template <bool kShort>
std::vector<Point2> ReadPoints(ByteReader& r, std::size_t count) {
  if (count > r.Remaining() / (kShort ? 4 : 8)) throw FormatError("An EMF record holds fewer points than it counts");
  std::vector<Point2> points(count);
  for (Point2& p : points) {
    p.x = kShort ? r.I16() : r.I32();
    p.y = kShort ? r.I16() : r.I32();
  }
  return points;
}

// Bounds, a count, then the points.
template <bool kShort>
std::vector<Point2> ReadPolyRecord(ByteReader& r) {
  r.Skip(kBoundsSize);
  const std::uint32_t count = r.U32();
  return ReadPoints<kShort>(r, count);
}

using PolyDrawer = void (*)(MetafileCanvas&, std::span<const Point2>);

template <PolyDrawer kDraw, bool kShort>
void PlayPoly(EmfPlayer& p, ByteReader& r) {
  kDraw(p.canvas, ReadPolyRecord<kShort>(r));
}

using MultiPolyDrawer = void (*)(MetafileCanvas&, std::span<const Point2>, std::span<const std::uint32_t>);

// Bounds, the number of runs, the number of points, each run's count, then
// the points.
template <MultiPolyDrawer kDraw, bool kShort>
void PlayMultiPoly(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  const std::uint32_t runs = r.U32();
  const std::uint32_t total = r.U32();
  if (runs > r.Remaining() / 4) throw FormatError("An EMF record holds fewer polygons than it counts");
  std::vector<std::uint32_t> counts(runs);
  for (std::uint32_t& c : counts) c = r.U32();
  kDraw(p.canvas, ReadPoints<kShort>(r, total), counts);
}

template <bool kShort>
void PlayPolyDraw(EmfPlayer& p, ByteReader& r) {
  const std::vector<Point2> points = ReadPolyRecord<kShort>(r);
  if (points.size() > r.Remaining()) throw FormatError("An EMF record holds fewer point types than points");
  const auto types = r.Take(points.size());
  DrawPolyDraw(p.canvas, points, types);
}

void PlayMoveTo(EmfPlayer& p, ByteReader& r) { MoveTo(p.canvas, ReadEmfPoint(r)); }
void PlayLineTo(EmfPlayer& p, ByteReader& r) { LineTo(p.canvas, ReadEmfPoint(r)); }

void PlayRectangle(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  DrawRectangle(p.canvas, a, b);
}

void PlayRoundRect(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  DrawRoundRect(p.canvas, a, b, ReadEmfPoint(r));
}

void PlayEllipse(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  DrawEllipse(p.canvas, a, b);
}

template <ArcKind kKind>
void PlayArc(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  const Point2 start = ReadEmfPoint(r);
  DrawArc(p.canvas, kKind, a, b, start, ReadEmfPoint(r));
}

void PlayAngleArc(EmfPlayer& p, ByteReader& r) {
  const Point2 center = ReadEmfPoint(r);
  const double radius = r.U32();
  const double start = ReadEmfFloat(r);
  const double sweep = ReadEmfFloat(r);
  if (std::isfinite(start) && std::isfinite(sweep)) DrawAngleArc(p.canvas, center, radius, start, sweep);
}

void PlaySetPixel(EmfPlayer& p, ByteReader& r) {
  const Point2 at = ReadEmfPoint(r);
  SetPixel(p.canvas, at, r.U32());
}

void PlayBeginPath(EmfPlayer& p, ByteReader&) { p.canvas.BeginPath(); }
void PlayEndPath(EmfPlayer& p, ByteReader&) { p.canvas.EndPath(); }
void PlayCloseFigure(EmfPlayer& p, ByteReader&) { p.canvas.CloseFigure(); }
void PlayAbortPath(EmfPlayer& p, ByteReader&) { p.canvas.AbortPath(); }
void PlayFillPath(EmfPlayer& p, ByteReader&) { p.canvas.DrawPath(true, false); }
void PlayStrokePath(EmfPlayer& p, ByteReader&) { p.canvas.DrawPath(false, true); }
void PlayStrokeAndFillPath(EmfPlayer& p, ByteReader&) { p.canvas.DrawPath(true, true); }

void PlaySelectClipPath(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t mode = r.U32();
  if (mode >= 1 && mode <= 5) p.canvas.SelectClipPath(static_cast<ClipCombine>(mode));
}

// The region's rectangles are in device units: fills them with a brush.
void FillRegion(EmfPlayer& p, std::span<const std::uint8_t> data, const MetafileBrush& brush) {
  const std::vector<DeviceRect> rects = ReadEmfRegion(data);
  cairo_t* cr = p.canvas.Context();
  cairo_set_matrix(cr, &p.canvas.DeviceToOutput());
  for (const DeviceRect& rect : rects) {
    cairo_rectangle(cr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  }
  cairo_identity_matrix(cr);
  FillWithBrush(cr, brush, p.canvas.Dc());
  cairo_new_path(cr);
}

void PlayFillRgn(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  const std::uint32_t size = r.U32();
  const std::uint32_t index = r.U32();
  if (size > r.Remaining()) throw FormatError("An EMF region runs past its record");
  const auto data = r.Take(size);
  const auto stock = StockObject(index);
  const MetafileObject* object = stock ? &*stock : p.objects.Find(index);
  if (const auto* brush = object ? std::get_if<MetafileBrush>(object) : nullptr) FillRegion(p, data, *brush);
}

void PlayPaintRgn(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  const std::uint32_t size = r.U32();
  if (size > r.Remaining()) throw FormatError("An EMF region runs past its record");
  FillRegion(p, r.Take(size), p.canvas.Dc().brush);
}

constexpr EmfRecordKind kDrawingRecords[] = {
    {2, PlayPoly<DrawPolyBezier, false>},
    {3, PlayPoly<DrawPolygon, false>},
    {4, PlayPoly<DrawPolyline, false>},
    {5, PlayPoly<DrawPolyBezierTo, false>},
    {6, PlayPoly<DrawPolylineTo, false>},
    {7, PlayMultiPoly<DrawPolyPolyline, false>},
    {8, PlayMultiPoly<DrawPolyPolygon, false>},
    {15, PlaySetPixel},
    {27, PlayMoveTo},
    {41, PlayAngleArc},
    {42, PlayEllipse},
    {43, PlayRectangle},
    {44, PlayRoundRect},
    {45, PlayArc<ArcKind::kArc>},
    {46, PlayArc<ArcKind::kChord>},
    {47, PlayArc<ArcKind::kPie>},
    {54, PlayLineTo},
    {55, PlayArc<ArcKind::kArcTo>},
    {56, PlayPolyDraw<false>},
    {59, PlayBeginPath},
    {60, PlayEndPath},
    {61, PlayCloseFigure},
    {62, PlayFillPath},
    {63, PlayStrokeAndFillPath},
    {64, PlayStrokePath},
    {67, PlaySelectClipPath},
    {68, PlayAbortPath},
    {71, PlayFillRgn},
    {74, PlayPaintRgn},
    {85, PlayPoly<DrawPolyBezier, true>},
    {86, PlayPoly<DrawPolygon, true>},
    {87, PlayPoly<DrawPolyline, true>},
    {88, PlayPoly<DrawPolyBezierTo, true>},
    {89, PlayPoly<DrawPolylineTo, true>},
    {90, PlayMultiPoly<DrawPolyPolyline, true>},
    {91, PlayMultiPoly<DrawPolyPolygon, true>},
    {92, PlayPolyDraw<true>},
};

}  // namespace

std::span<const EmfRecordKind> EmfDrawingRecords() { return kDrawingRecords; }

}  // namespace sf
