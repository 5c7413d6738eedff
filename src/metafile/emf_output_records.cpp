#include "metafile/emf_output_records.h"

#include <memory>
#include <optional>

#include "common/format_error.h"
#include "metafile/metafile_dib.h"
#include "metafile/metafile_text.h"

namespace sf {

namespace {

constexpr std::size_t kBoundsSize = 16;
constexpr std::uint32_t kGlyphIndices = 0x0010;
constexpr std::uint32_t kAdvancesWithY = 0x2000;
constexpr std::uint32_t kDibRgbColors = 0;

// Offset and size of the bitmap header and of the pixels, as records give them.
struct DibParts {
  std::uint32_t info_offset = 0;
  std::uint32_t info_size = 0;
  std::uint32_t bits_offset = 0;
  std::uint32_t bits_size = 0;
};

DibParts ReadDibParts(ByteReader& r) {
  DibParts parts;
  parts.info_offset = r.U32();
  parts.info_size = r.U32();
  parts.bits_offset = r.U32();
  parts.bits_size = r.U32();
  return parts;
}

Dib ReadRecordDib(EmfPlayer& p, const ByteReader& r, const DibParts& parts) {
  return ReadDib(EmfRecordPart(r, parts.info_offset, parts.info_size),
                 EmfRecordPart(r, parts.bits_offset, parts.bits_size), p.budget);
}

// The advances of a text record: one per character, or two (x and y) when
// the options say so; an offset of 0 means none.
std::vector<double> ReadAdvances(const ByteReader& r, std::uint32_t offset, std::uint32_t count,
                                 std::uint32_t options) {
  std::vector<double> advances;
  if (offset == 0 || count == 0) return advances;
  const std::uint32_t per_char = (options & kAdvancesWithY) ? 2 : 1;
  if (count > (r.Size() + 8) / 4 / per_char) {
    throw FormatError("An EMF text record holds fewer advances than characters");
  }
  ByteReader values(EmfRecordPart(r, offset, count * 4 * per_char));
  for (std::uint32_t i = 0; i < count; ++i) {
    advances.push_back(values.I32());
    if (per_char == 2) values.Skip(4);
  }
  return advances;
}

template <bool kWide>
void PlayExtTextOut(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize + 12);  // bounds, graphics mode, x and y scales
  const Point2 reference = ReadEmfPoint(r);
  const std::uint32_t count = r.U32();
  const std::uint32_t string_offset = r.U32();
  const std::uint32_t options = r.U32();
  TextBox box;
  ReadEmfBox(r, box.a, box.b);
  const std::uint32_t advances_offset = r.U32();
  // Glyph numbers of the writer's font mean nothing in ours.
  if (options & kGlyphIndices) return;
  const std::uint32_t unit = kWide ? 2 : 1;
  if (count > r.Size() / unit) throw FormatError("An EMF text record holds fewer characters than it counts");
  const auto text = EmfRecordPart(r, string_offset, count * unit);
  const std::vector<double> advances = ReadAdvances(r, advances_offset, count, options);
  TextRun run;
  if constexpr (kWide) {
    std::vector<std::uint16_t> units(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      units[i] = static_cast<std::uint16_t>(text[2 * i] | (text[2 * i + 1] << 8));
    }
    run = Utf16Run(units, advances);
  } else {
    run = AnsiRun(text, advances);
  }
  DrawText(p.canvas, reference, run, options, box);
}

// Bit and stretch transfers: a destination, an operation, a source position,
// the source's transform and colour, then the bitmap (or none: a brush fill).
template <bool kStretch>
void PlayBlt(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  BlitTarget t;
  t.dest = ReadEmfPoint(r);
  t.dest_size = ReadEmfPoint(r);
  t.rop = r.U32();
  const Point2 src = ReadEmfPoint(r);
  r.Skip(24 + 4);  // source transform and background colour
  const std::uint32_t usage = r.U32();
  const DibParts parts = ReadDibParts(r);
  const Point2 src_size = kStretch ? ReadEmfPoint(r) : t.dest_size;
  if (parts.info_size == 0) return PatternBlit(p.canvas, t.dest, t.dest_size, t.rop);
  if (usage != kDibRgbColors) return;
  t.source = {src.x, src.y, src_size.x, src_size.y};
  DrawDib(p.canvas, ReadRecordDib(p, r, parts), t);
}

void PlayStretchDibits(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  BlitTarget t;
  t.dest = ReadEmfPoint(r);
  const Point2 src = ReadEmfPoint(r);
  const Point2 src_size = ReadEmfPoint(r);
  const DibParts parts = ReadDibParts(r);
  const std::uint32_t usage = r.U32();
  t.rop = r.U32();
  t.dest_size = ReadEmfPoint(r);
  t.source = {src.x, src.y, src_size.x, src_size.y};
  t.source_from_bottom = true;
  if (parts.info_size == 0) return PatternBlit(p.canvas, t.dest, t.dest_size, t.rop);
  if (usage == kDibRgbColors) DrawDib(p.canvas, ReadRecordDib(p, r, parts), t);
}

void PlaySetDibitsToDevice(EmfPlayer& p, ByteReader& r) {
  r.Skip(kBoundsSize);
  BlitTarget t;
  t.dest = ReadEmfPoint(r);
  const Point2 src = ReadEmfPoint(r);
  const Point2 size = ReadEmfPoint(r);
  const DibParts parts = ReadDibParts(r);
  const std::uint32_t usage = r.U32();
  t.dest_size = size;
  t.source = {src.x, src.y, size.x, size.y};
  t.source_from_bottom = true;
  if (parts.info_size != 0 && usage == kDibRgbColors) DrawDib(p.canvas, ReadRecordDib(p, r, parts), t);
}

// Pattern brushes from a bitmap: index, colour usage, then the bitmap's parts.
void PlayCreatePatternBrush(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  const std::uint32_t usage = r.U32();
  const DibParts parts = ReadDibParts(r);
  if (usage != kDibRgbColors || parts.info_size == 0) return p.objects.Put(index, MetafileOther{});
  MetafileBrush brush;
  brush.kind = BrushKind::kPattern;
  brush.pattern = std::make_shared<const Bitmap>(ReadRecordDib(p, r, parts).picture);
  p.objects.Put(index, std::move(brush));
}

constexpr EmfRecordKind kOutputRecords[] = {
    {76, PlayBlt<false>},           {77, PlayBlt<true>},           {80, PlaySetDibitsToDevice},
    {81, PlayStretchDibits},        {83, PlayExtTextOut<false>},   {84, PlayExtTextOut<true>},
    {93, PlayCreatePatternBrush},   {94, PlayCreatePatternBrush},
};

}  // namespace

std::span<const EmfRecordKind> EmfOutputRecords() { return kOutputRecords; }

}  // namespace sf
