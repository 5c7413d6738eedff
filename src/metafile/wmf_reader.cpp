#include "metafile/wmf_reader.h"

#include <optional>

#include "common/byte_reader.h"
#include "common/format_error.h"
#include "metafile/metafile_canvas.h"
#include "metafile/wmf_records.h"

namespace sf {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kRecordHeaderSize = 6;

struct PlaceableBox {
  std::int16_t left = 0;
  std::int16_t top = 0;
  std::int16_t right = 0;
  std::int16_t bottom = 0;
  std::uint16_t units_per_inch = 0;
};

struct WmfHeader {
  std::optional<PlaceableBox> placeable;
  std::uint16_t object_count = 0;
  std::size_t records_at = 0;
};

WmfHeader ReadHeader(std::span<const std::uint8_t> bytes) {
  ByteReader r(bytes);
  WmfHeader header;
  if (r.Remaining() >= 4 && r.U32() == kPlaceableKey) {
    if (bytes.size() < kPlaceableSize) throw FormatError("The WMF placeable header is cut short");
    r.Skip(2);  // handle
    PlaceableBox box;
    box.left = r.I16();
    box.top = r.I16();
    box.right = r.I16();
    box.bottom = r.I16();
    box.units_per_inch = r.U16();
    r.Skip(6);  // reserved, checksum (often wrong in real files, so not checked)
    if (box.units_per_inch == 0) throw FormatError("The WMF placeable header gives 0 units per inch");
    header.placeable = box;
  } else {
    r.Seek(0);
  }
  if (r.Remaining() < kHeaderSize) throw FormatError("The WMF header is cut short");
  const std::uint16_t type = r.U16();
  const std::uint16_t header_words = r.U16();
  if ((type != 1 && type != 2) || header_words != kHeaderSize / 2) {
    throw FormatError("The file is not a Windows metafile");
  }
  r.Skip(2 + 4);  // version; file size, which writers count in different ways
  header.object_count = r.U16();
  r.Skip(4 + 2);  // largest record, unused
  header.records_at = r.Position();
  return header;
}

// Calls visit(function, parameters) for each record up to the end record. A
// file that stops after a whole record without the end record is read to
// there.
template <typename Visit>
void WalkRecords(std::span<const std::uint8_t> bytes, std::size_t at, Visit&& visit) {
  ByteReader r(bytes);
  r.Seek(at);
  while (r.Remaining() >= kRecordHeaderSize) {
    const std::uint64_t size = std::uint64_t{r.U32()} * 2;
    const std::uint16_t function = r.U16();
    if (size < kRecordHeaderSize) throw FormatError("A WMF record is shorter than its own header");
    if (size - kRecordHeaderSize > r.Remaining()) throw FormatError("A WMF record runs past the end of the file");
    ByteReader params = r.Sub(static_cast<std::size_t>(size - kRecordHeaderSize));
    if (function == 0) return;
    visit(function, params);
  }
}

// The last window extent the records set, or nullopt when they set none.
std::optional<Point2> LastWindowExtent(std::span<const std::uint8_t> bytes, const WmfHeader& header) {
  std::optional<Point2> extent;
  WalkRecords(bytes, header.records_at, [&](std::uint16_t function, ByteReader& params) {
    if (function != kWmfSetWindowExt || params.Remaining() < 4) return;
    const Point2 e = ReadWmfYX(params);
    if (e.x != 0 && e.y != 0) extent = e;
  });
  return extent;
}

struct Frame {
  MetafileSize size;
  Point2 window_org;
  Point2 window_ext;
};

Frame FrameOf(std::span<const std::uint8_t> bytes, const WmfHeader& header) {
  Frame frame;
  if (header.placeable) {
    const PlaceableBox& box = *header.placeable;
    const std::int64_t width = std::int64_t{box.right} - box.left;
    const std::int64_t height = std::int64_t{box.bottom} - box.top;
    const std::int64_t w = UnitsToPixels(width, box.units_per_inch);
    const std::int64_t h = UnitsToPixels(height, box.units_per_inch);
    CheckMetafileSize(w, h);
    frame.size = {static_cast<int>(w), static_cast<int>(h)};
    frame.window_org = {static_cast<double>(box.left), static_cast<double>(box.top)};
    frame.window_ext = {static_cast<double>(width), static_cast<double>(height)};
    return frame;
  }
  const std::optional<Point2> extent = LastWindowExtent(bytes, header);
  if (!extent) throw FormatError("The WMF file gives no picture size");
  // A window unit is a pixel, unless the window is larger than any picture
  // may be: then the drawing is scaled down to the largest size, its aspect kept.
  const auto w = static_cast<std::int64_t>(extent->x < 0 ? -extent->x : extent->x);
  const auto h = static_cast<std::int64_t>(extent->y < 0 ? -extent->y : extent->y);
  frame.size = FitMetafileSize(w, h);
  frame.window_ext = *extent;
  return frame;
}

}  // namespace

MetafileSize WmfSize(std::span<const std::uint8_t> bytes) {
  const WmfHeader header = ReadHeader(bytes);
  return FrameOf(bytes, header).size;
}

Bitmap RenderWmf(std::span<const std::uint8_t> bytes) {
  const WmfHeader header = ReadHeader(bytes);
  const Frame frame = FrameOf(bytes, header);
  if (frame.size.width == 0 || frame.size.height == 0) {
    return Bitmap(frame.size.width, frame.size.height, PixelFormat::kBits8);
  }
  MetafileCanvas canvas(frame.size.width, frame.size.height);
  DcState& dc = canvas.Dc();
  dc.map_mode = MapMode::kAnisotropic;
  dc.window_org = frame.window_org;
  SetExtent(dc.window_ext, frame.window_ext.x, frame.window_ext.y);
  dc.viewport_ext = {static_cast<double>(frame.size.width), static_cast<double>(frame.size.height)};
  WmfPlayer player{canvas, MetafileObjectTable(header.object_count)};
  WalkRecords(bytes, header.records_at,
              [&](std::uint16_t function, ByteReader& params) { PlayWmfRecord(player, function, params); });
  return canvas.ToBitmap();
}

}  // namespace sf
