// The records of a WMF picture, one function per kind, played onto a canvas.
// Parameters come in the record's own order, which is the drawing call's
// argument order reversed (a rectangle is bottom, right, top, left).
//   WmfPlayer player{canvas, MetafileObjectTable(object_count)};
//   PlayWmfRecord(player, function, params);   // unknown functions are skipped
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/byte_reader.h"
#include "metafile/metafile_canvas.h"
#include "metafile/metafile_dib.h"
#include "metafile/metafile_objects.h"

namespace sf {

struct WmfPlayer {
  MetafileCanvas& canvas;
  MetafileObjectTable objects;
  PixelBudget budget{};
};

inline constexpr std::uint16_t kWmfSetWindowExt = 0x020C;

// Plays one record whose parameter bytes are `params`; a record too short for
// its parameters throws FormatError.
void PlayWmfRecord(WmfPlayer& player, std::uint16_t function, ByteReader params);

using WmfHandler = void (*)(WmfPlayer&, ByteReader&);
struct WmfRecordKind {
  std::uint16_t function;
  WmfHandler play;
};

// A point stored as y then x, as single points in parameters are.
Point2 ReadWmfYX(ByteReader& r);
// A box stored as bottom, right, top, left; a is the top left corner.
void ReadWmfBox(ByteReader& r, Point2& a, Point2& b);
// `count` points stored as x, y pairs; throws FormatError when the record
// holds fewer.
std::vector<Point2> ReadWmfPoints(ByteReader& r, std::size_t count);

}  // namespace sf
