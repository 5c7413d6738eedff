#include "metafile/wmf_drawing_records.h"

#include <optional>

#include "common/format_error.h"
#include "metafile/metafile_dib.h"
#include "metafile/metafile_shapes.h"
#include "metafile/metafile_text.h"

namespace sf {

namespace {

void PlayLineTo(WmfPlayer& p, ByteReader& r) { LineTo(p.canvas, ReadWmfYX(r)); }
void PlayMoveTo(WmfPlayer& p, ByteReader& r) { MoveTo(p.canvas, ReadWmfYX(r)); }

void PlayPolyline(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t count = r.U16();
  DrawPolyline(p.canvas, ReadWmfPoints(r, count));
}

void PlayPolygon(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t count = r.U16();
  DrawPolygon(p.canvas, ReadWmfPoints(r, count));
}

void PlayPolyPolygon(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t polygons = r.U16();
  if (polygons > r.Remaining() / 2) throw FormatError("A WMF record holds fewer polygons than it counts");
  std::vector<std::uint32_t> counts(polygons);
  std::size_t total = 0;
  for (std::uint32_t& c : counts) total += c = r.U16();
  DrawPolyPolygon(p.canvas, ReadWmfPoints(r, total), counts);
}

void PlayRectangle(WmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadWmfBox(r, a, b);
  DrawRectangle(p.canvas, a, b);
}

void PlayRoundRect(WmfPlayer& p, ByteReader& r) {
  const Point2 corner = ReadWmfYX(r);
  Point2 a, b;
  ReadWmfBox(r, a, b);
  DrawRoundRect(p.canvas, a, b, corner);
}

void PlayEllipse(WmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadWmfBox(r, a, b);
  DrawEllipse(p.canvas, a, b);
}

template <ArcKind kKind>
void PlayArc(WmfPlayer& p, ByteReader& r) {
  const Point2 end = ReadWmfYX(r);
  const Point2 start = ReadWmfYX(r);
  Point2 a, b;
  ReadWmfBox(r, a, b);
  DrawArc(p.canvas, kKind, a, b, start, end);
}

void PlaySetPixel(WmfPlayer& p, ByteReader& r) {
  const ColorRef color = r.U32();
  SetPixel(p.canvas, ReadWmfYX(r), color);
}

void PlayPatBlt(WmfPlayer& p, ByteReader& r) {
  const std::uint32_t rop = r.U32();
  const Point2 size = ReadWmfYX(r);
  PatternBlit(p.canvas, ReadWmfYX(r), size, rop);
}

// The characters of a text record: `count` bytes, padded to a whole word.
std::span<const std::uint8_t> ReadChars(ByteReader& r, std::size_t count) {
  const auto chars = r.Take(count);
  if (count % 2 == 1 && r.Remaining() > 0) r.Skip(1);
  return chars;
}

void PlayTextOut(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t count = r.U16();
  const auto chars = ReadChars(r, count);
  DrawText(p.canvas, ReadWmfYX(r), AnsiRun(chars, {}), 0, std::nullopt);
}

void PlayExtTextOut(WmfPlayer& p, ByteReader& r) {
  const Point2 reference = ReadWmfYX(r);
  const std::uint16_t count = r.U16();
  const std::uint16_t options = r.U16();
  std::optional<TextBox> box;
  if (options & (kTextOpaque | kTextClipped)) {
    TextBox b;
    b.a.x = r.I16();
    b.a.y = r.I16();
    b.b.x = r.I16();
    b.b.y = r.I16();
    box = b;
  }
  const auto chars = ReadChars(r, count);
  std::vector<double> advances;
  // The advances are optional: present when the record still holds them.
  if (r.Remaining() >= std::size_t{count} * 2) {
    for (std::uint16_t i = 0; i < count; ++i) advances.push_back(r.I16());
  }
  DrawText(p.canvas, reference, AnsiRun(chars, advances), options, box);
}

// Whether a transfer record carries a bitmap: without one the record is as
// long as its function number's high byte says, in words.
bool HasBitmap(std::uint16_t function, const ByteReader& r) {
  return r.Size() != static_cast<std::size_t>(function >> 8) * 2;
}

void PlayDibBitBlt(WmfPlayer& p, ByteReader& r) {
  const bool has_bitmap = HasBitmap(0x0940, r);
  BlitTarget t;
  t.rop = r.U32();
  const Point2 src = ReadWmfYX(r);
  if (!has_bitmap) r.Skip(2);
  t.dest_size = ReadWmfYX(r);
  t.dest = ReadWmfYX(r);
  if (!has_bitmap) return PatternBlit(p.canvas, t.dest, t.dest_size, t.rop);
  t.source = {src.x, src.y, t.dest_size.x, t.dest_size.y};
  DrawDib(p.canvas, ReadPackedDib(r.Rest(), p.budget), t);
}

void PlayDibStretchBlt(WmfPlayer& p, ByteReader& r) {
  const bool has_bitmap = HasBitmap(0x0B41, r);
  BlitTarget t;
  t.rop = r.U32();
  const Point2 src_size = ReadWmfYX(r);
  const Point2 src = ReadWmfYX(r);
  if (!has_bitmap) r.Skip(2);
  t.dest_size = ReadWmfYX(r);
  t.dest = ReadWmfYX(r);
  if (!has_bitmap) return PatternBlit(p.canvas, t.dest, t.dest_size, t.rop);
  t.source = {src.x, src.y, src_size.x, src_size.y};
  DrawDib(p.canvas, ReadPackedDib(r.Rest(), p.budget), t);
}

void PlayStretchDib(WmfPlayer& p, ByteReader& r) {
  BlitTarget t;
  t.rop = r.U32();
  const std::uint16_t usage = r.U16();
  const Point2 src_size = ReadWmfYX(r);
  const Point2 src = ReadWmfYX(r);
  t.dest_size = ReadWmfYX(r);
  t.dest = ReadWmfYX(r);
  t.source = {src.x, src.y, src_size.x, src_size.y};
  t.source_from_bottom = true;
  // Colours given as indices into a logical palette are not drawn.
  if (usage == 0) DrawDib(p.canvas, ReadPackedDib(r.Rest(), p.budget), t);
}

void PlaySetDibToDev(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t usage = r.U16();
  r.Skip(4);  // scan count and first scan: the bitmap holds the rows it draws
  const Point2 src = ReadWmfYX(r);
  const Point2 size = ReadWmfYX(r);
  BlitTarget t;
  t.dest = ReadWmfYX(r);
  t.dest_size = size;
  t.source = {src.x, src.y, size.x, size.y};
  t.source_from_bottom = true;
  if (usage == 0) DrawDib(p.canvas, ReadPackedDib(r.Rest(), p.budget), t);
}

constexpr WmfRecordKind kDrawingRecords[] = {
    {0x0213, PlayLineTo},        {0x0214, PlayMoveTo},         {0x0324, PlayPolygon},
    {0x0325, PlayPolyline},      {0x0418, PlayEllipse},        {0x041B, PlayRectangle},
    {0x041F, PlaySetPixel},      {0x0521, PlayTextOut},        {0x0538, PlayPolyPolygon},
    {0x061C, PlayRoundRect},     {0x061D, PlayPatBlt},         {0x0817, PlayArc<ArcKind::kArc>},
    {0x081A, PlayArc<ArcKind::kPie>}, {0x0830, PlayArc<ArcKind::kChord>}, {0x0940, PlayDibBitBlt},
    {0x0A32, PlayExtTextOut},    {0x0B41, PlayDibStretchBlt},  {0x0D33, PlaySetDibToDev},
    {0x0F43, PlayStretchDib},
};

}  // namespace

std::span<const WmfRecordKind> WmfDrawingRecords() { return kDrawingRecords; }

}  // namespace sf
