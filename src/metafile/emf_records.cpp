#include "metafile/emf_records.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "common/format_error.h"
#include "metafile/emf_drawing_records.h"
#include "metafile/emf_output_records.h"

namespace sf {

namespace {

constexpr std::uint32_t kRecordHeaderSize = 8;
constexpr std::size_t kRegionHeaderSize = 32;
constexpr std::size_t kLogFontFaceOffset = 28;

void SetWindowExt(EmfPlayer& p, ByteReader& r) {
  const Point2 e = ReadEmfPoint(r);
  SetExtent(p.canvas.Dc().window_ext, e.x, e.y);
}

void SetViewportExt(EmfPlayer& p, ByteReader& r) {
  const Point2 e = ReadEmfPoint(r);
  SetExtent(p.canvas.Dc().viewport_ext, e.x, e.y);
}

void SetWindowOrg(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().window_org = ReadEmfPoint(r); }
void SetViewportOrg(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().viewport_org = ReadEmfPoint(r); }

template <bool kViewport>
void ScaleExt(EmfPlayer& p, ByteReader& r) {
  const double x_num = r.I32(), x_denom = r.I32(), y_num = r.I32(), y_denom = r.I32();
  if (x_denom == 0 || y_denom == 0) return;
  Point2& ext = kViewport ? p.canvas.Dc().viewport_ext : p.canvas.Dc().window_ext;
  SetExtent(ext, ext.x * x_num / x_denom, ext.y * y_num / y_denom);
}

void SetMapMode(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t mode = r.U32();
  if (mode >= 1 && mode <= 8) p.canvas.Dc().map_mode = static_cast<MapMode>(mode);
}

void SetBkMode(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().opaque_background = r.U32() == 2; }
void SetPolyFillMode(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().winding_fill = r.U32() == 2; }
void SetStretchBltMode(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().smooth_stretch = r.U32() == 4; }
void SetTextAlign(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().text_align = r.U32(); }
void SetTextColor(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().text_color = r.U32() & 0xFFFFFF; }
void SetBkColor(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().background_color = r.U32() & 0xFFFFFF; }
void SetArcDirection(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().clockwise_arcs = r.U32() == 2; }
void SetMiterLimit(EmfPlayer& p, ByteReader& r) { p.canvas.Dc().miter_limit = r.U32(); }
void SaveDc(EmfPlayer& p, ByteReader&) { p.canvas.SaveDc(); }
void RestoreDc(EmfPlayer& p, ByteReader& r) { p.canvas.RestoreDc(r.I32()); }

void OffsetClipRgn(EmfPlayer& p, ByteReader& r) {
  const Point2 d = ReadEmfPoint(r);
  p.canvas.OffsetClip(d.x, d.y);
}

void ExcludeClipRect(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  p.canvas.ExcludeClipRect(a, b);
}

void IntersectClipRect(EmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadEmfBox(r, a, b);
  p.canvas.IntersectClipRect(a, b);
}

void ExtSelectClipRgn(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t size = r.U32();
  const std::uint32_t mode = r.U32();
  if (mode < 1 || mode > 5) return;
  // Without region data only "copy" means something: no clip at all.
  if (size == 0) {
    if (mode == 5) p.canvas.ResetClip();
    return;
  }
  if (size > r.Remaining()) throw FormatError("An EMF clip region runs past its record");
  const std::vector<DeviceRect> rects = ReadEmfRegion(r.Take(size));
  p.canvas.CombineClipRegion(rects, static_cast<ClipCombine>(mode));
}

cairo_matrix_t ReadTransform(ByteReader& r) {
  cairo_matrix_t m;
  m.xx = ReadEmfFloat(r);
  m.yx = ReadEmfFloat(r);
  m.xy = ReadEmfFloat(r);
  m.yy = ReadEmfFloat(r);
  m.x0 = ReadEmfFloat(r);
  m.y0 = ReadEmfFloat(r);
  return m;
}

void SetWorldTransform(EmfPlayer& p, ByteReader& r) {
  const cairo_matrix_t m = ReadTransform(r);
  if (UsableMatrix(m)) p.canvas.Dc().world = m;
}

void ModifyWorldTransform(EmfPlayer& p, ByteReader& r) {
  const cairo_matrix_t m = ReadTransform(r);
  const std::uint32_t mode = r.U32();
  cairo_matrix_t& world = p.canvas.Dc().world;
  cairo_matrix_t result = world;
  switch (mode) {
    case 1: cairo_matrix_init_identity(&result); break;
    case 2: cairo_matrix_multiply(&result, &m, &world); break;  // the new transform applies first
    case 3: cairo_matrix_multiply(&result, &world, &m); break;
    case 4: result = m; break;
    default: return;
  }
  if (UsableMatrix(result)) world = result;
}

void SelectObject(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  if (const auto stock = StockObject(index)) return SelectObject(p.canvas.Dc(), *stock);
  if (const MetafileObject* object = p.objects.Find(index)) SelectObject(p.canvas.Dc(), *object);
}

void DeleteObject(EmfPlayer& p, ByteReader& r) { p.objects.Remove(r.U32()); }

void CreatePen(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  const std::uint32_t style = r.U32();
  const double width = std::abs(r.I32());
  r.Skip(4);  // the height of the width point is not used
  p.objects.Put(index, MetafilePen::FromStyle(style, width, r.U32()));
}

void ExtCreatePen(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  r.Skip(16);  // the pattern bitmap of hatched and pattern pens: they draw in the colour
  const std::uint32_t style = r.U32();
  const std::uint32_t width = r.U32();
  const std::uint32_t brush_style = r.U32();
  const ColorRef color = r.U32();
  r.Skip(4);  // hatch
  const std::uint32_t entries = r.U32();
  MetafilePen pen = MetafilePen::FromStyle(brush_style == 1 ? 5 : style, width, color);
  if (pen.dash == PenDash::kUser) {
    if (entries > r.Remaining() / 4) throw FormatError("An EMF pen holds fewer style entries than it counts");
    const double unit = std::max(1.0, static_cast<double>(width));
    for (std::uint32_t i = 0; i < entries; ++i) pen.user_dashes.push_back(r.U32() / unit);
  }
  p.objects.Put(index, std::move(pen));
}

void CreateBrush(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  const std::uint32_t style = r.U32();
  const ColorRef color = r.U32();
  p.objects.Put(index, MetafileBrush::FromStyle(style, color, r.U32()));
}

void CreateFont(EmfPlayer& p, ByteReader& r) {
  const std::uint32_t index = r.U32();
  MetafileFont font;
  font.height = r.I32();
  r.Skip(4);  // width
  font.escapement = r.I32();
  r.Skip(4);  // orientation
  font.weight = r.I32();
  font.italic = r.U8() != 0;
  font.underline = r.U8() != 0;
  font.strike_out = r.U8() != 0;
  r.Skip(kLogFontFaceOffset - 23);  // character set, precisions, quality, pitch and family
  for (int i = 0; i < 32 && r.Remaining() >= 2; ++i) {
    const std::uint16_t c = r.U16();
    if (c == 0) break;
    font.face += c < 0x80 ? static_cast<char>(c) : '?';
  }
  p.objects.Put(index, std::move(font));
}

void CreatePalette(EmfPlayer& p, ByteReader& r) { p.objects.Put(r.U32(), MetafileOther{}); }

constexpr EmfRecordKind kStateRecords[] = {
    {9, SetWindowExt},       {10, SetWindowOrg},        {11, SetViewportExt},
    {12, SetViewportOrg},    {17, SetMapMode},          {18, SetBkMode},
    {19, SetPolyFillMode},   {21, SetStretchBltMode},   {22, SetTextAlign},
    {24, SetTextColor},      {25, SetBkColor},          {26, OffsetClipRgn},
    {29, ExcludeClipRect},   {30, IntersectClipRect},   {31, ScaleExt<true>},
    {32, ScaleExt<false>},   {33, SaveDc},              {34, RestoreDc},
    {35, SetWorldTransform}, {36, ModifyWorldTransform}, {37, SelectObject},
    {38, CreatePen},         {39, CreateBrush},         {40, DeleteObject},
    {49, CreatePalette},     {57, SetArcDirection},     {58, SetMiterLimit},
    {75, ExtSelectClipRgn},  {82, CreateFont},          {95, ExtCreatePen},
};

EmfHandler FindHandler(std::uint32_t type) {
  for (const auto table : {std::span<const EmfRecordKind>(kStateRecords), EmfDrawingRecords(), EmfOutputRecords()}) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const EmfRecordKind& k) { return k.type == type; });
    if (found != table.end()) return found->play;
  }
  return nullptr;
}

}  // namespace

Point2 ReadEmfPoint(ByteReader& r) {
  const double x = r.I32();
  return {x, static_cast<double>(r.I32())};
}

void ReadEmfBox(ByteReader& r, Point2& a, Point2& b) {
  a = ReadEmfPoint(r);
  b = ReadEmfPoint(r);
}

float ReadEmfFloat(ByteReader& r) { return std::bit_cast<float>(r.U32()); }

std::span<const std::uint8_t> EmfRecordPart(const ByteReader& params, std::uint32_t offset, std::uint32_t size) {
  if (offset < kRecordHeaderSize) throw FormatError("An EMF record points inside its own header");
  ByteReader whole = params;
  whole.Seek(0);
  const std::size_t start = offset - kRecordHeaderSize;
  if (start > whole.Size() || size > whole.Size() - start) throw FormatError("An EMF record points past its end");
  whole.Seek(start);
  return whole.Take(size);
}

std::vector<DeviceRect> ReadEmfRegion(std::span<const std::uint8_t> data) {
  ByteReader r(data);
  if (r.Remaining() < kRegionHeaderSize) throw FormatError("An EMF region is cut short");
  r.Skip(8);  // header size and type
  const std::uint32_t count = r.U32();
  r.Skip(kRegionHeaderSize - 12);
  if (count > r.Remaining() / 16) throw FormatError("An EMF region holds fewer rectangles than it counts");
  std::vector<DeviceRect> rects(count);
  for (DeviceRect& rect : rects) rect = {r.I32(), r.I32(), r.I32(), r.I32()};
  return rects;
}

void PlayEmfRecord(EmfPlayer& player, std::uint32_t type, ByteReader params) {
  if (const EmfHandler play = FindHandler(type)) play(player, params);
}

}  // namespace sf
