#include "metafile/emf_reader.h"

#include <algorithm>

#include "common/byte_reader.h"
#include "common/format_error.h"
#include "metafile/emf_records.h"
#include "metafile/metafile_canvas.h"

namespace sf {

namespace {

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kMinHeaderSize = 88;
constexpr std::uint32_t kRecordHeaderSize = 8;
constexpr std::int64_t kFrameUnitsPerInch = 2540;

struct FrameBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct EmfHeader {
  FrameBox frame;  // hundredths of a millimetre
  std::uint16_t handle_count = 0;
  Point2 device_pixels;
  Point2 device_millimetres;
  std::uint32_t size = 0;
};

EmfHeader ReadHeader(std::span<const std::uint8_t> bytes) {
  ByteReader r(bytes);
  if (r.Remaining() < kMinHeaderSize) throw FormatError("The EMF header is cut short");
  EmfHeader header;
  if (r.U32() != kEmfHeader) throw FormatError("The file is not an enhanced metafile");
  header.size = r.U32();
  if (header.size < kMinHeaderSize) throw FormatError("The EMF header record is too short");
  if (header.size > bytes.size()) throw FormatError("The EMF header record runs past the end of the file");
  r.Skip(16);  // bounds in device pixels
  header.frame = {r.I32(), r.I32(), r.I32(), r.I32()};
  if (r.U32() != kSignature) throw FormatError("The file is not an enhanced metafile");
  r.Skip(12);  // version, file size and record count, which the walk finds for itself
  header.handle_count = r.U16();
  // The description and palette offsets are not followed: nothing here needs them.
  r.Skip(2 + 12);
  header.device_pixels = ReadEmfPoint(r);
  header.device_millimetres = ReadEmfPoint(r);
  return header;
}

MetafileSize SizeOf(const EmfHeader& header) {
  const FrameBox& f = header.frame;
  const std::int64_t w = UnitsToPixels(std::int64_t{f.right} - f.left, kFrameUnitsPerInch);
  const std::int64_t h = UnitsToPixels(std::int64_t{f.bottom} - f.top, kFrameUnitsPerInch);
  CheckMetafileSize(w, h);
  return {static_cast<int>(w), static_cast<int>(h)};
}

// Device pixels per millimetre of the reference device, or 96 per inch when
// the header does not say.
Point2 DevicePerMillimetre(const EmfHeader& header) {
  const auto per_mm = [](double pixels, double mm) { return pixels > 0 && mm > 0 ? pixels / mm : 96 / 25.4; };
  return {per_mm(header.device_pixels.x, header.device_millimetres.x),
          per_mm(header.device_pixels.y, header.device_millimetres.y)};
}

// Maps the frame, in device pixels, onto the whole picture.
cairo_matrix_t FrameToPicture(const EmfHeader& header, Point2 per_mm, MetafileSize size) {
  const FrameBox& f = header.frame;
  const double left = std::min(f.left, f.right) * per_mm.x / 100;
  const double right = std::max(f.left, f.right) * per_mm.x / 100;
  const double top = std::min(f.top, f.bottom) * per_mm.y / 100;
  const double bottom = std::max(f.top, f.bottom) * per_mm.y / 100;
  const double sx = size.width / (right - left);
  const double sy = size.height / (bottom - top);
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, sy, -left * sx, -top * sy);
  return m;
}

// Calls visit(type, parameters) for each record after the header up to the
// end record. A file that stops after a whole record without the end record
// is read to there.
template <typename Visit>
void WalkRecords(std::span<const std::uint8_t> bytes, const EmfHeader& header, Visit&& visit) {
  ByteReader r(bytes);
  r.Seek(header.size);
  while (r.Remaining() >= kRecordHeaderSize) {
    const std::uint32_t type = r.U32();
    const std::uint32_t size = r.U32();
    if (size < kRecordHeaderSize) throw FormatError("An EMF record is shorter than its own header");
    if (size - kRecordHeaderSize > r.Remaining()) throw FormatError("An EMF record runs past the end of the file");
    ByteReader params = r.Sub(size - kRecordHeaderSize);
    if (type == kEmfEof) return;
    visit(type, params);
  }
}

}  // namespace

MetafileSize EmfSize(std::span<const std::uint8_t> bytes) { return SizeOf(ReadHeader(bytes)); }

Bitmap RenderEmf(std::span<const std::uint8_t> bytes) {
  const EmfHeader header = ReadHeader(bytes);
  const MetafileSize size = SizeOf(header);
  if (size.width == 0 || size.height == 0) return Bitmap(size.width, size.height, PixelFormat::kBits8);
  MetafileCanvas canvas(size.width, size.height);
  const Point2 per_mm = DevicePerMillimetre(header);
  canvas.Dc().device_per_mm = per_mm;
  canvas.SetDeviceToOutput(FrameToPicture(header, per_mm, size));
  EmfPlayer player{canvas, MetafileObjectTable(header.handle_count)};
  WalkRecords(bytes, header, [&](std::uint32_t type, ByteReader& params) { PlayEmfRecord(player, type, params); });
  return canvas.ToBitmap();
}

}  // namespace sf
