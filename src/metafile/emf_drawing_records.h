// The EMF records that draw figures: lines, curves, polygons in 16- and
// 32-bit point forms, rectangles, ellipses, the arc family, paths, pixels
// and filled regions.
//   for (const EmfRecordKind& kind : EmfDrawingRecords()) ...
#pragma once

#include <span>

#include "metafile/emf_records.h"

namespace sf {

std::span<const EmfRecordKind> EmfDrawingRecords();

}  // namespace sf
