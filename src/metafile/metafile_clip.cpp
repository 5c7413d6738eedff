#include "metafile/metafile_clip.h"

namespace sf {

namespace {

using RegionPtr = std::shared_ptr<cairo_region_t>;

RegionPtr Own(cairo_region_t* region) { return RegionPtr(region, cairo_region_destroy); }

}  // namespace

MetafileClip::MetafileClip(cairo_rectangle_int_t whole) : m_whole(whole) {}

void MetafileClip::Reset() {
  m_region.reset();
  m_paths.clear();
}

void MetafileClip::Combine(std::span<const cairo_rectangle_int_t> boxes, ClipCombine mode) {
  RegionPtr added = Own(cairo_region_create_rectangles(boxes.data(), static_cast<int>(boxes.size())));
  if (mode == ClipCombine::kCopy) {
    m_region = added;
    m_paths.clear();
    return;
  }
  RegionPtr result = Own(m_region ? cairo_region_copy(m_region.get()) : cairo_region_create_rectangle(&m_whole));
  switch (mode) {
    case ClipCombine::kAnd: cairo_region_intersect(result.get(), added.get()); break;
    case ClipCombine::kOr: cairo_region_union(result.get(), added.get()); break;
    case ClipCombine::kXor: cairo_region_xor(result.get(), added.get()); break;
    default: cairo_region_subtract(result.get(), added.get()); break;
  }
  m_region = result;
}

void MetafileClip::Offset(int dx, int dy) {
  if (!m_region) return;
  RegionPtr moved = Own(cairo_region_copy(m_region.get()));
  cairo_region_translate(moved.get(), dx, dy);
  m_region = moved;
}

void MetafileClip::AddPath(PathPtr path, cairo_fill_rule_t rule, ClipCombine mode) {
  if (mode == ClipCombine::kCopy) Reset();
  if (mode != ClipCombine::kCopy && mode != ClipCombine::kAnd) return;
  m_paths.push_back({std::shared_ptr<cairo_path_t>(path.release(), cairo_path_destroy), rule});
}

void MetafileClip::Apply(cairo_t* cr) const {
  cairo_reset_clip(cr);
  cairo_identity_matrix(cr);
  cairo_new_path(cr);
  if (m_region) {
    const int count = cairo_region_num_rectangles(m_region.get());
    for (int i = 0; i < count; ++i) {
      cairo_rectangle_int_t box;
      cairo_region_get_rectangle(m_region.get(), i, &box);
      cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // An empty path clips everything away, as an empty region should.
    cairo_clip(cr);
  }
  for (const ClipPath& clip : m_paths) {
    cairo_append_path(cr, clip.path.get());
    cairo_set_fill_rule(cr, clip.rule);
    cairo_clip(cr);
  }
}

}  // namespace sf
