// A cairo picture that metafile records draw on: the drawing state with its
// save/restore stack, fill and stroke with the selected brush and pen, the path
// bracket, and clipping by rectangles, regions and paths.
//   MetafileCanvas canvas(width, height);             // white
//   if (cairo_t* cr = canvas.BeginShape()) { cairo_rectangle(cr, 0, 0, 10, 10); canvas.EndShape(true, true); }
//   Bitmap picture = canvas.ToBitmap();                 // 8-bit, halftone palette
//   MetafileCanvas measure = MetafileCanvas::Measuring();   // no pixels: only where ink went
//   ... play the records ...; std::optional<InkBox> ink = measure.InkExtents();
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/bitmap.h"
#include "metafile/metafile_cairo.h"
#include "metafile/metafile_clip.h"
#include "metafile/metafile_dc.h"

namespace sf {

// A box in pixels of the picture, right and bottom exclusive.
struct InkBox {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

class MetafileCanvas {
 public:
  MetafileCanvas(int width, int height);
  // A canvas without bounds or pixels that only records the drawing, to find
  // where its ink lies (for a header that does not tell it right).
  static MetafileCanvas Measuring();
  MetafileCanvas(const MetafileCanvas&) = delete;
  MetafileCanvas& operator=(const MetafileCanvas&) = delete;

  DcState& Dc() { return m_dc; }
  const DcState& Dc() const { return m_dc; }
  // Device coordinates to pixels of the picture (identity unless set).
  void SetDeviceToOutput(const cairo_matrix_t& m) { m_device_to_output = m; }
  const cairo_matrix_t& DeviceToOutput() const { return m_device_to_output; }
  cairo_matrix_t LogicalToOutput() const;
  // How long one logical unit is on the picture (the square root of the
  // mapping's area scale).
  double LogicalUnitLength() const;

  // One figure: BeginShape gives the context with logical coordinates as its
  // user space (nullptr when the mapping cannot be drawn with); the caller adds
  // the figure and EndShape fills and strokes it, or keeps it in the open path.
  cairo_t* BeginShape();
  // Starts the figure at the current position unless an open path already
  // continues from there (for LineTo, PolylineTo and the like).
  void ContinueFromCurrentPosition(cairo_t* cr);
  void EndShape(bool fill, bool stroke);

  void BeginPath();
  void EndPath();
  void AbortPath();
  void CloseFigure();
  // Fills and/or strokes the path made by the last bracket, then drops it.
  void DrawPath(bool fill, bool stroke);
  void SelectClipPath(ClipCombine mode);
  // The next figure of an open path starts afresh at the current position.
  void MarkFigureEnded() { m_figure_ended = true; }

  void IntersectClipRect(Point2 a, Point2 b);
  void ExcludeClipRect(Point2 a, Point2 b);
  void OffsetClip(double dx, double dy);
  // Rectangles in device units, as region records give them.
  void CombineClipRegion(std::span<const DeviceRect> rects, ClipCombine mode);
  void ResetClip();

  // The context with the clip applied, pixels of the picture as user space
  // and an empty path, for text and images.
  cairo_t* Context();

  void SaveDc();
  // A negative level counts back from the newest save; a positive one names a
  // save by its number. Levels that name no save are ignored.
  void RestoreDc(int level);

  // The picture so far, as an 8-bit bitmap with the halftone palette.
  Bitmap ToBitmap() const;
  // The box around everything drawn so far, or nothing when nothing was.
  std::optional<InkBox> InkExtents() const;

 private:
  MetafileCanvas(SurfacePtr surface, cairo_rectangle_int_t whole);

  struct Saved {
    DcState dc;
    MetafileClip clip;
  };

  void ApplyClip();
  void PaintPath(bool fill, bool stroke);

  SurfacePtr m_surface;
  ContextPtr m_cr;
  DcState m_dc;
  MetafileClip m_clip;
  bool m_clip_dirty = false;
  std::vector<Saved> m_saved;
  cairo_matrix_t m_device_to_output{1, 0, 0, 1, 0, 0};

  bool m_in_bracket = false;
  bool m_figure_ended = true;
  bool m_continuing = false;
  PathPtr m_path;
};

}  // namespace sf
