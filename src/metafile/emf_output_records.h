// The EMF records that draw text and bitmaps, and the brushes made from
// bitmaps.
//   for (const EmfRecordKind& kind : EmfOutputRecords()) ...
#pragma once

#include <span>

#include "metafile/emf_records.h"

namespace sf {

std::span<const EmfRecordKind> EmfOutputRecords();

}  // namespace sf
