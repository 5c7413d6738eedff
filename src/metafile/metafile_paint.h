// Filling with a metafile brush and stroking with a metafile pen on a cairo
// context whose current path is in pixels of the picture. Filling keeps the
// path; stroking uses it up.
//   FillWithBrush(cr, dc.brush, dc);
//   StrokeWithPen(cr, dc.pen, canvas.LogicalUnitLength(), dc.miter_limit);
#pragma once

#include <cairo.h>

#include "image/color.h"
#include "metafile/metafile_dc.h"
#include "metafile/metafile_objects.h"

namespace sf {

void SetSourceColor(cairo_t* cr, ColorRef color);
// Uses the state's fill mode, and its background colour and mode for hatches.
void FillWithBrush(cairo_t* cr, const MetafileBrush& brush, const DcState& dc);
// unit_length: pixels per logical unit, which scales geometric pens.
void StrokeWithPen(cairo_t* cr, const MetafilePen& pen, double unit_length, double miter_limit);
// The width in pixels a pen strokes with: at least one pixel.
double PenWidthInPixels(const MetafilePen& pen, double unit_length);

}  // namespace sf
