// The records of an EMF picture, one function per kind, played onto a canvas.
// A record's parameters start after its type and size; offsets inside a
// record count from the record's start, 8 bytes before its parameters.
//   EmfPlayer player{canvas, MetafileObjectTable(handle_count)};
//   PlayEmfRecord(player, type, params);   // unknown types are skipped
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/byte_reader.h"
#include "metafile/metafile_canvas.h"
#include "metafile/metafile_dib.h"
#include "metafile/metafile_objects.h"

namespace sf {

struct EmfPlayer {
  MetafileCanvas& canvas;
  MetafileObjectTable objects;
  PixelBudget budget{};
};

inline constexpr std::uint32_t kEmfHeader = 1;
inline constexpr std::uint32_t kEmfEof = 14;

// Plays one record of the type whose parameter bytes are `params`; a record
// too short for what it holds throws FormatError.
void PlayEmfRecord(EmfPlayer& player, std::uint32_t type, ByteReader params);

using EmfHandler = void (*)(EmfPlayer&, ByteReader&);
struct EmfRecordKind {
  std::uint32_t type;
  EmfHandler play;
};

Point2 ReadEmfPoint(ByteReader& r);
// A rectangle as left, top, right, bottom.
void ReadEmfBox(ByteReader& r, Point2& a, Point2& b);
float ReadEmfFloat(ByteReader& r);
// The `size` bytes at `offset` from the record's start; throws FormatError when
// they are not inside the record.
std::span<const std::uint8_t> EmfRecordPart(const ByteReader& params, std::uint32_t offset, std::uint32_t size);
// The rectangles of region data (a 32-byte header, then the rectangles).
std::vector<DeviceRect> ReadEmfRegion(std::span<const std::uint8_t> data);

}  // namespace sf
