#include "metafile/wmf_records.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/format_error.h"
#include "metafile/metafile_dib.h"
#include "metafile/wmf_drawing_records.h"

namespace sf {

namespace {

void SetMapMode(WmfPlayer& p, ByteReader& r) {
  // The player maps the window onto the whole picture, as the drawing system
  // does when a picture is played into a rectangle: only the isotropic mode
  // changes that mapping.
  p.canvas.Dc().map_mode = r.U16() == 7 ? MapMode::kIsotropic : MapMode::kAnisotropic;
}

void SetWindowOrg(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().window_org = ReadWmfYX(r); }

void SetWindowExt(WmfPlayer& p, ByteReader& r) {
  const Point2 ext = ReadWmfYX(r);
  SetExtent(p.canvas.Dc().window_ext, ext.x, ext.y);
}

void OffsetWindowOrg(WmfPlayer& p, ByteReader& r) {
  const Point2 d = ReadWmfYX(r);
  p.canvas.Dc().window_org.x += d.x;
  p.canvas.Dc().window_org.y += d.y;
}

void ScaleWindowExt(WmfPlayer& p, ByteReader& r) {
  const double y_denom = r.I16(), y_num = r.I16(), x_denom = r.I16(), x_num = r.I16();
  if (x_denom == 0 || y_denom == 0) return;
  Point2& ext = p.canvas.Dc().window_ext;
  SetExtent(ext, ext.x * x_num / x_denom, ext.y * y_num / y_denom);
}

void SetBkMode(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().opaque_background = r.U16() == 2; }
void SetBkColor(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().background_color = r.U32() & 0xFFFFFF; }
void SetTextColor(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().text_color = r.U32() & 0xFFFFFF; }
void SetTextAlign(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().text_align = r.U16(); }
void SetPolyFillMode(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().winding_fill = r.U16() == 2; }
void SetStretchBltMode(WmfPlayer& p, ByteReader& r) { p.canvas.Dc().smooth_stretch = r.U16() == 4; }
void SaveDc(WmfPlayer& p, ByteReader&) { p.canvas.SaveDc(); }
void RestoreDc(WmfPlayer& p, ByteReader& r) { p.canvas.RestoreDc(r.I16()); }

void CreatePen(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t style = r.U16();
  const double width = std::abs(r.I16());
  r.Skip(2);  // the height of the width point is not used
  p.objects.AddAtFirstFree(MetafilePen::FromStyle(style, width, r.U32()));
}

void CreateBrush(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t style = r.U16();
  const ColorRef color = r.U32();
  p.objects.AddAtFirstFree(MetafileBrush::FromStyle(style, color, r.U16()));
}

void CreateFont(WmfPlayer& p, ByteReader& r) {
  MetafileFont font;
  font.height = r.I16();
  r.Skip(2);  // width
  font.escapement = r.I16();
  r.Skip(2);  // orientation
  font.weight = r.I16();
  font.italic = r.U8() != 0;
  font.underline = r.U8() != 0;
  font.strike_out = r.U8() != 0;
  r.Skip(5);  // character set (text is read as the Western code page), precisions, quality, pitch
  const auto name = r.Take(std::min<std::size_t>(r.Remaining(), 32));
  font.face.assign(name.begin(), std::find(name.begin(), name.end(), 0));
  p.objects.AddAtFirstFree(font);
}

void CreateDibPatternBrush(WmfPlayer& p, ByteReader& r) {
  const std::uint16_t style = r.U16();
  const std::uint16_t usage = r.U16();
  // Only device-independent patterns with their own colours can be read; the
  // others keep their slot without drawing.
  if (style != 5 || usage != 0) return p.objects.AddAtFirstFree(MetafileOther{});
  MetafileBrush brush;
  brush.kind = BrushKind::kPattern;
  brush.pattern = std::make_shared<const Bitmap>(ReadPackedDib(r.Rest(), p.budget).picture);
  p.objects.AddAtFirstFree(std::move(brush));
}

void CreateOther(WmfPlayer& p, ByteReader&) { p.objects.AddAtFirstFree(MetafileOther{}); }

void SelectObject(WmfPlayer& p, ByteReader& r) {
  if (const MetafileObject* object = p.objects.Find(r.U16())) SelectObject(p.canvas.Dc(), *object);
}

void DeleteObject(WmfPlayer& p, ByteReader& r) { p.objects.Remove(r.U16()); }

void ExcludeClipRect(WmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadWmfBox(r, a, b);
  p.canvas.ExcludeClipRect(a, b);
}

void IntersectClipRect(WmfPlayer& p, ByteReader& r) {
  Point2 a, b;
  ReadWmfBox(r, a, b);
  p.canvas.IntersectClipRect(a, b);
}

void OffsetClipRgn(WmfPlayer& p, ByteReader& r) {
  const Point2 d = ReadWmfYX(r);
  p.canvas.OffsetClip(d.x, d.y);
}

// Region objects are not read, so selecting one lifts the clip rather than
// hiding what the picture draws.
void SelectClipRegion(WmfPlayer& p, ByteReader&) { p.canvas.ResetClip(); }

constexpr WmfRecordKind kStateRecords[] = {
    {0x001E, SaveDc},          {0x00F7, CreateOther},          {0x0102, SetBkMode},
    {0x0103, SetMapMode},      {0x0106, SetPolyFillMode},      {0x0107, SetStretchBltMode},
    {0x0127, RestoreDc},       {0x012C, SelectClipRegion},     {0x012D, SelectObject},
    {0x012E, SetTextAlign},    {0x0142, CreateDibPatternBrush}, {0x01F0, DeleteObject},
    {0x01F9, CreateOther},     {0x0201, SetBkColor},           {0x0209, SetTextColor},
    {0x020B, SetWindowOrg},    {0x020C, SetWindowExt},         {0x020F, OffsetWindowOrg},
    {0x0220, OffsetClipRgn},   {0x02FA, CreatePen},            {0x02FB, CreateFont},
    {0x02FC, CreateBrush},     {0x0410, ScaleWindowExt},       {0x0415, ExcludeClipRect},
    {0x0416, IntersectClipRect}, {0x06FF, CreateOther},
};

WmfHandler FindHandler(std::uint16_t function) {
  for (const auto table : {std::span<const WmfRecordKind>(kStateRecords), WmfDrawingRecords()}) {
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const WmfRecordKind& k) { return k.function == function; });
    if (found != table.end()) return found->play;
  }
  return nullptr;
}

}  // namespace

Point2 ReadWmfYX(ByteReader& r) {
  const double y = r.I16();
  return {static_cast<double>(r.I16()), y};
}

void ReadWmfBox(ByteReader& r, Point2& a, Point2& b) {
  b.y = r.I16();
  b.x = r.I16();
  a.y = r.I16();
  a.x = r.I16();
}

std::vector<Point2> ReadWmfPoints(ByteReader& r, std::size_t count) {
  if (count > r.Remaining() / 4) throw FormatError("A WMF record holds fewer points than it counts");
  std::vector<Point2> points(count);
  for (Point2& p : points) {
    p.x = r.I16();
    p.y = r.I16();
  }
  return points;
}

void PlayWmfRecord(WmfPlayer& player, std::uint16_t function, ByteReader params) {
  // The viewport records are not played: the player owns the viewport, which
  // is the whole picture.
  if (const WmfHandler play = FindHandler(function)) play(player, params);
}

}  // namespace sf
