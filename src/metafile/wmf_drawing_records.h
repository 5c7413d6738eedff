// The WMF records that draw: lines, polygons, rectangles, ellipses and arcs,
// text, and bitmap transfers.
//   for (const WmfRecordKind& kind : WmfDrawingRecords()) ...
#pragma once

#include <span>

#include "metafile/wmf_records.h"

namespace sf {

std::span<const WmfRecordKind> WmfDrawingRecords();

}  // namespace sf
