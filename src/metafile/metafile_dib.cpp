#include "metafile/metafile_dib.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/byte_reader.h"
#include "common/format_error.h"
#include "image/bmp_reader.h"
#include "metafile/metafile_paint.h"
#include "metafile/metafile_size.h"

namespace sf {

namespace {

constexpr std::size_t kFileHeaderSize = 14;

constexpr std::uint32_t kSrcPaint = 0x00EE0086;    // source OR destination
constexpr std::uint32_t kSrcAnd = 0x008800C6;      // source AND destination
constexpr std::uint32_t kSrcInvert = 0x00660046;   // source XOR destination
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kPatInvert = 0x005A0049;
constexpr std::uint32_t kDstInvert = 0x00550009;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;

struct DibInfo {
  std::uint32_t header_size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint16_t bit_count = 0;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
};

DibInfo ReadInfo(std::span<const std::uint8_t> info, PixelBudget& budget) {
  ByteReader r(info);
  DibInfo d;
  d.header_size = r.U32();
  if (d.header_size == 12) {
    d.width = r.U16();
    d.height = r.U16();
    r.Skip(2);
    d.bit_count = r.U16();
  } else {
    if (d.header_size < 16) throw FormatError("A bitmap in the metafile has a bad header");
    d.width = r.I32();
    d.height = r.I32();
    r.Skip(2);
    d.bit_count = r.U16();
    if (d.header_size >= 20) d.compression = r.U32();
    if (d.header_size >= 36) {
      r.Skip(12);
      d.colors_used = r.U32();
    }
  }
  const std::int64_t rows = std::llabs(d.height);
  if (d.width > kMaxMetafileSide * 4 || rows > kMaxMetafileSide * 4 || d.width * rows > kMaxMetafilePixels) {
    throw FormatError("A bitmap in the metafile is too large");
  }
  if (d.width > 0) budget.Spend(static_cast<std::uint64_t>(d.width * rows));
  return d;
}

// Bytes from the header's start to the pixels of a packed bitmap.
std::uint64_t PixelOffset(const DibInfo& d) {
  const std::uint64_t entry = d.header_size == 12 ? 3 : 4;
  std::uint64_t colors = d.colors_used;
  if (d.bit_count <= 8) {
    const std::uint64_t full = std::uint64_t{1} << d.bit_count;
    colors = (d.header_size == 12 || colors == 0) ? full : std::min(colors, full);
  }
  std::uint64_t masks = 0;
  if (d.header_size == 40 && d.compression == 3) masks = 12;
  if (d.header_size == 40 && d.compression == 6) masks = 16;
  return d.header_size + masks + colors * entry;
}

// A BMP file around the header and pixels, so that the BMP reader reads it.
Dib ReadAsBmp(std::span<const std::uint8_t> info, std::uint64_t pixel_offset, std::span<const std::uint8_t> bits,
              const DibInfo& d) {
  if (pixel_offset > info.size()) throw FormatError("A bitmap in the metafile is cut short");
  std::vector<std::uint8_t> file(kFileHeaderSize);
  const std::uint64_t total = kFileHeaderSize + info.size() + bits.size();
  const auto put32 = [&](std::size_t at, std::uint64_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, std::min<std::uint64_t>(total, 0xFFFFFFFF));  // bfSize
  put32(10, kFileHeaderSize + pixel_offset);            // bfOffBits
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), bits.begin(), bits.end());
  return {ReadBmp(file), d.height > 0};
}

cairo_operator_t OperatorFor(std::uint32_t rop) {
  // Logical operations on colours, approximated by blending: the common masks
  // are black or white, where these agree with the bitwise ones.
  switch (rop) {
    case kSrcPaint: return CAIRO_OPERATOR_LIGHTEN;
    case kSrcAnd: return CAIRO_OPERATOR_MULTIPLY;
    case kSrcInvert: return CAIRO_OPERATOR_DIFFERENCE;
    default: return CAIRO_OPERATOR_OVER;
  }
}

}  // namespace

void PixelBudget::Spend(std::uint64_t pixels) {
  m_spent += pixels;
  if (m_spent > kMaxPixels) throw FormatError("The bitmaps in the metafile are too large together");
}

Dib ReadPackedDib(std::span<const std::uint8_t> dib, PixelBudget& budget) {
  const DibInfo d = ReadInfo(dib, budget);
  return ReadAsBmp(dib, PixelOffset(d), {}, d);
}

Dib ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, PixelBudget& budget) {
  const DibInfo d = ReadInfo(info, budget);
  return ReadAsBmp(info, info.size(), bits, d);
}

void DrawDib(MetafileCanvas& canvas, const Dib& dib, const BlitTarget& target) {
  const SourceRect& s = target.source;
  if (dib.picture.Empty() || s.width == 0 || s.height == 0 || target.dest_size.x == 0 || target.dest_size.y == 0) {
    return;
  }
  const double top = target.source_from_bottom && dib.bottom_up ? dib.picture.Height() - s.y - s.height : s.y;
  cairo_matrix_t m = canvas.LogicalToOutput();
  cairo_matrix_translate(&m, target.dest.x, target.dest.y);
  cairo_matrix_scale(&m, target.dest_size.x / s.width, target.dest_size.y / s.height);
  cairo_matrix_translate(&m, -s.x, -top);
  if (!UsableMatrix(m)) return;
  SurfacePtr surface = SurfaceFromBitmap(dib.picture);
  cairo_t* cr = canvas.Context();
  cairo_set_matrix(cr, &m);
  cairo_set_source_surface(cr, surface.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), canvas.Dc().smooth_stretch ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_rectangle(cr, s.x, top, s.width, s.height);
  cairo_set_operator(cr, OperatorFor(target.rop));
  cairo_fill(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_identity_matrix(cr);
}

void PatternBlit(MetafileCanvas& canvas, Point2 dest, Point2 dest_size, std::uint32_t rop) {
  const cairo_matrix_t m = canvas.LogicalToOutput();
  if (!UsableMatrix(m)) return;
  cairo_t* cr = canvas.Context();
  cairo_set_matrix(cr, &m);
  cairo_rectangle(cr, dest.x, dest.y, dest_size.x, dest_size.y);
  cairo_identity_matrix(cr);
  switch (rop) {
    case kPatCopy: FillWithBrush(cr, canvas.Dc().brush, canvas.Dc()); break;
    case kBlackness: SetSourceColor(cr, 0x000000); cairo_fill_preserve(cr); break;
    case kWhiteness: SetSourceColor(cr, 0xFFFFFF); cairo_fill_preserve(cr); break;
    case kDstInvert:
    case kPatInvert:
      cairo_set_operator(cr, CAIRO_OPERATOR_DIFFERENCE);
      SetSourceColor(cr, rop == kDstInvert ? 0xFFFFFF : canvas.Dc().brush.color);
      cairo_fill_preserve(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
      break;
    default: break;
  }
  cairo_new_path(cr);
}

}  // namespace sf
