#include "metafile/metafile_canvas.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/format_error.h"
#include "metafile/metafile_paint.h"

namespace sf {

namespace {

// Deeper save stacks than this are not kept: each level copies the state.
constexpr std::size_t kMaxSavedStates = 10000;
// Pixel coordinates of clip boxes stay inside what cairo's integer rectangles hold.
constexpr double kMaxClipCoordinate = 1 << 24;

int ClampToPixel(double v) {
  return static_cast<int>(std::lround(std::clamp(v, -kMaxClipCoordinate, kMaxClipCoordinate)));
}

// The whole-pixel box around the rectangle a-b after the mapping m.
cairo_rectangle_int_t BoxAround(Point2 a, Point2 b, const cairo_matrix_t& m) {
  double xs[4] = {a.x, b.x, a.x, b.x};
  double ys[4] = {a.y, a.y, b.y, b.y};
  for (int i = 0; i < 4; ++i) cairo_matrix_transform_point(&m, &xs[i], &ys[i]);
  const int left = ClampToPixel(*std::min_element(xs, xs + 4));
  const int right = ClampToPixel(*std::max_element(xs, xs + 4));
  const int top = ClampToPixel(*std::min_element(ys, ys + 4));
  const int bottom = ClampToPixel(*std::max_element(ys, ys + 4));
  return {left, top, right - left, bottom - top};
}

}  // namespace

MetafileCanvas::MetafileCanvas(SurfacePtr surface, cairo_rectangle_int_t whole)
    : m_surface(std::move(surface)), m_cr(cairo_create(m_surface.get())), m_clip(whole) {
  // Shapes get hard edges as on a screen; text keeps its own antialiasing.
  cairo_set_antialias(m_cr.get(), CAIRO_ANTIALIAS_NONE);
}

MetafileCanvas::MetafileCanvas(int width, int height) : MetafileCanvas(MakeSurface(width, height), {0, 0, width, height}) {
  cairo_set_source_rgb(m_cr.get(), 1, 1, 1);
  cairo_paint(m_cr.get());
}

MetafileCanvas MetafileCanvas::Measuring() {
  constexpr int kFar = static_cast<int>(kMaxClipCoordinate);
  return MetafileCanvas(SurfacePtr(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr)),
                        {-kFar, -kFar, 2 * kFar, 2 * kFar});
}

cairo_matrix_t MetafileCanvas::LogicalToOutput() const {
  const cairo_matrix_t logical = LogicalToDevice(m_dc);
  cairo_matrix_t m;
  cairo_matrix_multiply(&m, &logical, &m_device_to_output);
  return m;
}

double MetafileCanvas::LogicalUnitLength() const {
  const cairo_matrix_t m = LogicalToOutput();
  return std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
}

void MetafileCanvas::ApplyClip() {
  cairo_t* cr = m_cr.get();
  if (m_clip_dirty) {
    m_clip.Apply(cr);
    m_clip_dirty = false;
  } else {
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
  }
}

cairo_t* MetafileCanvas::BeginShape() {
  const cairo_matrix_t m = LogicalToOutput();
  if (!UsableMatrix(m)) return nullptr;
  ApplyClip();
  if (m_in_bracket && m_path) cairo_append_path(m_cr.get(), m_path.get());
  cairo_set_matrix(m_cr.get(), &m);
  m_continuing = false;
  return m_cr.get();
}

void MetafileCanvas::ContinueFromCurrentPosition(cairo_t* cr) {
  if (!m_in_bracket || m_figure_ended || !cairo_has_current_point(cr)) {
    cairo_move_to(cr, m_dc.current_position.x, m_dc.current_position.y);
  }
  m_continuing = true;
}

void MetafileCanvas::EndShape(bool fill, bool stroke) {
  cairo_t* cr = m_cr.get();
  cairo_identity_matrix(cr);
  m_figure_ended = !m_continuing;
  if (m_in_bracket) {
    m_path.reset(cairo_copy_path(cr));
    cairo_new_path(cr);
    return;
  }
  PaintPath(fill, stroke);
}

void MetafileCanvas::PaintPath(bool fill, bool stroke) {
  cairo_t* cr = m_cr.get();
  if (fill) FillWithBrush(cr, m_dc.brush, m_dc);
  if (stroke) StrokeWithPen(cr, m_dc.pen, LogicalUnitLength(), m_dc.miter_limit);
  cairo_new_path(cr);
}

void MetafileCanvas::BeginPath() {
  m_in_bracket = true;
  m_figure_ended = true;
  m_path.reset();
}

void MetafileCanvas::EndPath() { m_in_bracket = false; }

void MetafileCanvas::AbortPath() {
  m_in_bracket = false;
  m_path.reset();
}

void MetafileCanvas::CloseFigure() {
  if (!m_in_bracket || !m_path) return;
  cairo_t* cr = m_cr.get();
  ApplyClip();
  cairo_append_path(cr, m_path.get());
  cairo_close_path(cr);
  m_path.reset(cairo_copy_path(cr));
  cairo_new_path(cr);
  m_figure_ended = true;
}

void MetafileCanvas::DrawPath(bool fill, bool stroke) {
  if (m_in_bracket || !m_path) return;
  ApplyClip();
  cairo_append_path(m_cr.get(), m_path.get());
  m_path.reset();
  PaintPath(fill, stroke);
}

void MetafileCanvas::SelectClipPath(ClipCombine mode) {
  if (m_in_bracket || !m_path) return;
  m_clip.AddPath(std::move(m_path), m_dc.winding_fill ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD, mode);
  m_clip_dirty = true;
}

void MetafileCanvas::IntersectClipRect(Point2 a, Point2 b) {
  const cairo_matrix_t m = LogicalToOutput();
  if (!UsableMatrix(m)) return;
  const cairo_rectangle_int_t box = BoxAround(a, b, m);
  m_clip.Combine({&box, 1}, ClipCombine::kAnd);
  m_clip_dirty = true;
}

void MetafileCanvas::ExcludeClipRect(Point2 a, Point2 b) {
  const cairo_matrix_t m = LogicalToOutput();
  if (!UsableMatrix(m)) return;
  const cairo_rectangle_int_t box = BoxAround(a, b, m);
  m_clip.Combine({&box, 1}, ClipCombine::kDiff);
  m_clip_dirty = true;
}

void MetafileCanvas::OffsetClip(double dx, double dy) {
  const cairo_matrix_t m = LogicalToOutput();
  if (!UsableMatrix(m)) return;
  cairo_matrix_transform_distance(&m, &dx, &dy);
  m_clip.Offset(ClampToPixel(dx), ClampToPixel(dy));
  m_clip_dirty = true;
}

void MetafileCanvas::CombineClipRegion(std::span<const DeviceRect> rects, ClipCombine mode) {
  std::vector<cairo_rectangle_int_t> boxes;
  boxes.reserve(rects.size());
  for (const DeviceRect& r : rects) {
    boxes.push_back(BoxAround({static_cast<double>(r.left), static_cast<double>(r.top)},
                              {static_cast<double>(r.right), static_cast<double>(r.bottom)}, m_device_to_output));
  }
  m_clip.Combine(boxes, mode);
  m_clip_dirty = true;
}

void MetafileCanvas::ResetClip() {
  m_clip.Reset();
  m_clip_dirty = true;
}

cairo_t* MetafileCanvas::Context() {
  ApplyClip();
  return m_cr.get();
}

void MetafileCanvas::SaveDc() {
  if (m_saved.size() < kMaxSavedStates) m_saved.push_back({m_dc, m_clip});
}

void MetafileCanvas::RestoreDc(int level) {
  const auto depth = static_cast<std::int64_t>(m_saved.size());
  const std::int64_t target = level < 0 ? depth + level : std::int64_t{level} - 1;
  if (level == 0 || target < 0 || target >= depth) return;
  m_dc = m_saved[static_cast<std::size_t>(target)].dc;
  m_clip = m_saved[static_cast<std::size_t>(target)].clip;
  m_saved.erase(m_saved.begin() + static_cast<std::ptrdiff_t>(target), m_saved.end());
  m_clip_dirty = true;
}

Bitmap MetafileCanvas::ToBitmap() const {
  // cairo stops drawing after its first failure, which would pass for a
  // finished picture.
  if (cairo_status(m_cr.get()) != CAIRO_STATUS_SUCCESS) {
    throw FormatError(std::string("The metafile could not be drawn: ") +
                      cairo_status_to_string(cairo_status(m_cr.get())));
  }
  Bitmap picture = BitmapFromSurface(m_surface.get());
  picture.SetPixelFormat(PixelFormat::kBits8);
  return picture;
}

std::optional<InkBox> MetafileCanvas::InkExtents() const {
  double x = 0, y = 0, width = 0, height = 0;
  cairo_surface_flush(m_surface.get());
  cairo_recording_surface_ink_extents(m_surface.get(), &x, &y, &width, &height);
  if (!(width > 0 && height > 0)) return std::nullopt;
  return InkBox{x, y, x + width, y + height};
}

}  // namespace sf
