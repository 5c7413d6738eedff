#include "compile/slide_motion.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "list/image_list.h"
#include "list/row_motion.h"

namespace sf {

namespace {

// How many picture pixels the closest rectangle may show per frame pixel
// before the picture is shrunk: above it the resampling filter would only
// average more pixels into the same result.
constexpr double kMostPixelsPerFramePixel = 1.5;

bool UsableRegion(const SourceRegion& region) {
  constexpr double kSlack = 1e-9;
  return region.x >= 0 && region.y >= 0 && region.width > 0 && region.height > 0 &&
         region.x + region.width <= 1 + kSlack && region.y + region.height <= 1 + kSlack;
}

// The rectangle at t: its size changes by the same factor every frame (a zoom
// of constant speed, not one that speeds up as it closes in), and its corner
// moves with the size, so the point a zoom closes in on stays where it is; a
// rectangle of one size throughout moves evenly.
SourceRegion Between(const SourceRegion& a, const SourceRegion& b, double t) {
  const double width = std::pow(a.width, 1 - t) * std::pow(b.width, t);
  const double height = std::pow(a.height, 1 - t) * std::pow(b.height, t);
  double along = t;
  if (a.width != b.width) {
    along = (width - a.width) / (b.width - a.width);
  } else if (a.height != b.height) {
    along = (height - a.height) / (b.height - a.height);
  }
  return {a.x + (b.x - a.x) * along, a.y + (b.y - a.y) * along, width, height};
}

SourceRegion RegionOf(const MotionRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

}  // namespace

std::optional<MotionPath> MotionPathFor(std::string_view cell) {
  const std::optional<RowMotion> motion = ParseRowMotion(cell);
  if (!motion) return std::nullopt;
  constexpr SourceRegion kWhole{0, 0, 1, 1};
  constexpr SourceRegion kMiddle{0.1, 0.1, 0.8, 0.8};
  constexpr SourceRegion kLeft{0, 0.1, 0.8, 0.8};
  constexpr SourceRegion kRight{0.2, 0.1, 0.8, 0.8};
  switch (motion->kind) {
    case MotionKind::kNone: return std::nullopt;
    case MotionKind::kZoomIn: return MotionPath{kWhole, kMiddle};
    case MotionKind::kZoomOut: return MotionPath{kMiddle, kWhole};
    case MotionKind::kPanLeft: return MotionPath{kRight, kLeft};
    case MotionKind::kPanRight: return MotionPath{kLeft, kRight};
    case MotionKind::kRects: return MotionPath{RegionOf(motion->start), RegionOf(motion->end)};
  }
  return std::nullopt;
}

std::optional<MotionPath> RowMotionPath(const ImageList& list, int row) {
  if (list.ColumnCount() <= kMotionColumn) return std::nullopt;
  return MotionPathFor(list.Cell(row, kMotionColumn));
}

double MotionProgress(std::int64_t index, std::int64_t count) {
  if (count <= 1) return 0;
  return std::clamp(static_cast<double>(index) / static_cast<double>(count - 1), 0.0, 1.0);
}

SlideMotion::SlideMotion(const Bitmap& picture, const MotionPath& path, const FrameRecipe& recipe)
    : m_path(path), m_recipe(recipe) {
  if (picture.Empty()) throw std::invalid_argument("A motion needs a picture.");
  if (!UsableRegion(path.start) || !UsableRegion(path.end)) {
    throw std::invalid_argument("A motion's rectangles must lie within the picture and have a size.");
  }
  const double sw = picture.Width();
  const double sh = picture.Height();
  m_place = ComputeFitPlacement(std::max(1, static_cast<int>(std::lround(path.start.width * sw))),
                                std::max(1, static_cast<int>(std::lround(path.start.height * sh))), recipe.width,
                                recipe.height, recipe.border_width, recipe.border_height, recipe.maintain_aspect, true);
  m_background = BackgroundFrame(*recipe.background, recipe.resize, recipe.width, recipe.height);

  // The closest rectangle decides how many picture pixels are worth keeping.
  const double closest_w = std::min(path.start.width, path.end.width) * sw;
  const double closest_h = std::min(path.start.height, path.end.height) * sh;
  const double keep = std::max(kMostPixelsPerFramePixel * std::max(1, m_place.width) / closest_w,
                               kMostPixelsPerFramePixel * std::max(1, m_place.height) / closest_h);
  if (keep < 1.0) {
    m_picture = Bitmap(std::max(1, static_cast<int>(std::lround(sw * keep))),
                       std::max(1, static_cast<int>(std::lround(sh * keep))));
    ResizeFilteredRegion(picture, SourceRegion{0, 0, sw, sh}, m_picture);
  } else {
    m_picture = picture;
    if (m_picture.Format() != PixelFormat::kBits24) m_picture.SetPixelFormat(PixelFormat::kBits24);
  }
}

Bitmap SlideMotion::FrameAt(double progress) const {
  const SourceRegion part = Between(m_path.start, m_path.end, std::clamp(progress, 0.0, 1.0));
  const double w = m_picture.Width();
  const double h = m_picture.Height();
  Bitmap frame = m_background;
  if (m_place.width > 0 && m_place.height > 0) {
    Bitmap seen(m_place.width, m_place.height);
    ResizeFilteredRegion(m_picture, SourceRegion{part.x * w, part.y * h, part.width * w, part.height * h}, seen);
    frame.Draw(seen, m_place.left, m_place.top);
  }
  return FrameOf(frame, m_recipe);
}

}  // namespace sf
