#include "metafile/emf_reader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>

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
constexpr double kMaxInkBoxSide = 2048;

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

// Device pixels per millimetre of the reference device, or 96 per inch when
// the header does not say.
Point2 DevicePerMillimetre(const EmfHeader& header) {
  const auto per_mm = [](double pixels, double mm) { return pixels > 0 && mm > 0 ? pixels / mm : 96 / 25.4; };
  return {per_mm(header.device_pixels.x, header.device_millimetres.x),
          per_mm(header.device_pixels.y, header.device_millimetres.y)};
}

// What the picture shows: a box in device pixels and the picture's size.
struct PictureFrame {
  InkBox device;
  MetafileSize size;
};

// The header's frame in device pixels, and its size at 96 pixels per inch
// (exact rounding from its hundredths of a millimetre).
InkBox HeaderBox(const EmfHeader& header, Point2 per_mm) {
  const FrameBox& f = header.frame;
  return {std::min(f.left, f.right) * per_mm.x / 100, std::min(f.top, f.bottom) * per_mm.y / 100,
          std::max(f.left, f.right) * per_mm.x / 100, std::max(f.top, f.bottom) * per_mm.y / 100};
}
std::int64_t HeaderWidth(const EmfHeader& h) { return UnitsToPixels(std::int64_t{h.frame.right} - h.frame.left, kFrameUnitsPerInch); }
std::int64_t HeaderHeight(const EmfHeader& h) { return UnitsToPixels(std::int64_t{h.frame.bottom} - h.frame.top, kFrameUnitsPerInch); }

bool WithinLimits(std::int64_t width, std::int64_t height) {
  return width <= kMaxMetafileSide && height <= kMaxMetafileSide && width * height <= kMaxMetafilePixels;
}

bool Overlap(const InkBox& a, const InkBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Maps the frame's box, in device pixels, onto the whole picture.
cairo_matrix_t FrameToPicture(const PictureFrame& frame) {
  const InkBox& box = frame.device;
  const double sx = frame.size.width / (box.right - box.left);
  const double sy = frame.size.height / (box.bottom - box.top);
  cairo_matrix_t m;
  cairo_matrix_init(&m, sx, 0, 0, sy, -box.left * sx, -box.top * sy);
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

// Plays every record onto the canvas.
void Play(std::span<const std::uint8_t> bytes, const EmfHeader& header, MetafileCanvas& canvas) {
  EmfPlayer player{canvas, MetafileObjectTable(header.handle_count)};
  WalkRecords(bytes, header, [&](std::uint32_t type, ByteReader& params) { PlayEmfRecord(player, type, params); });
}

// The header's frame, unless it cannot be what the drawing means. Some
// converters (pstoedit among them) write the bounds and frame in their own
// logical units, so the frame is far too large and the drawing lies wholly
// outside it: the picture would be blank or refused. Then the picture is the
// box around the drawing's ink instead. That box is a guess, and a stray
// coordinate can make it huge, so it is scaled down to kMaxInkBoxSide pixels
// on its longer side (a page at 96 pixels to the inch is far smaller).
PictureFrame ChooseFrame(std::span<const std::uint8_t> bytes, const EmfHeader& header, Point2 per_mm) {
  const std::int64_t width = HeaderWidth(header);
  const std::int64_t height = HeaderHeight(header);
  const PictureFrame from_header{HeaderBox(header, per_mm), {static_cast<int>(std::min<std::int64_t>(width, INT_MAX)),
                                                             static_cast<int>(std::min<std::int64_t>(height, INT_MAX))}};
  if (width == 0 || height == 0) return from_header;
  MetafileCanvas measure = MetafileCanvas::Measuring();
  measure.Dc().device_per_mm = per_mm;
  Play(bytes, header, measure);
  const std::optional<InkBox> ink = measure.InkExtents();
  if (WithinLimits(width, height) && (!ink || Overlap(*ink, from_header.device))) return from_header;
  if (!ink) CheckMetafileSize(width, height);
  const InkBox box{std::floor(ink->left), std::floor(ink->top), std::ceil(ink->right), std::ceil(ink->bottom)};
  // Device pixels to pixels at 96 to the inch.
  const double w = (box.right - box.left) / per_mm.x / 25.4 * 96;
  const double h = (box.bottom - box.top) / per_mm.y / 25.4 * 96;
  const double scale = std::min(1.0, kMaxInkBoxSide / std::max(w, h));
  const auto side = [scale](double length) { return std::max(1, static_cast<int>(std::lround(length * scale))); };
  return {box, {side(w), side(h)}};
}

}  // namespace

MetafileSize EmfSize(std::span<const std::uint8_t> bytes) {
  const EmfHeader header = ReadHeader(bytes);
  return ChooseFrame(bytes, header, DevicePerMillimetre(header)).size;
}

Bitmap RenderEmf(std::span<const std::uint8_t> bytes) {
  const EmfHeader header = ReadHeader(bytes);
  const Point2 per_mm = DevicePerMillimetre(header);
  const PictureFrame frame = ChooseFrame(bytes, header, per_mm);
  const MetafileSize size = frame.size;
  if (size.width == 0 || size.height == 0) return Bitmap(size.width, size.height, PixelFormat::kBits8);
  MetafileCanvas canvas(size.width, size.height);
  canvas.Dc().device_per_mm = per_mm;
  canvas.SetDeviceToOutput(FrameToPicture(frame));
  Play(bytes, header, canvas);
  return canvas.ToBitmap();
}

}  // namespace sf
