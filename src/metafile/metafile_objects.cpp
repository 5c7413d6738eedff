#include "metafile/metafile_objects.h"

#include <algorithm>

namespace sf {

namespace {

constexpr std::uint32_t kStockBit = 0x80000000;
constexpr std::uint32_t kGeometricPen = 0x10000;

PenDash DashFromStyle(std::uint32_t style) {
  switch (style & 0x0F) {
    case 1: return PenDash::kDash;
    case 2: return PenDash::kDot;
    case 3: return PenDash::kDashDot;
    case 4: return PenDash::kDashDotDot;
    case 5: return PenDash::kNull;
    case 7: return PenDash::kUser;
    case 8: return PenDash::kDot;  // every other pixel
    default: return PenDash::kSolid;  // solid and inside-frame
  }
}

MetafileBrush SolidBrush(ColorRef color) { return MetafileBrush::FromStyle(0, color, 0); }

MetafileFont DefaultFont(bool fixed_pitch) {
  MetafileFont font;
  font.height = 16;
  font.weight = 700;
  font.face = fixed_pitch ? "Courier" : "System";
  return font;
}

}  // namespace

MetafilePen MetafilePen::FromStyle(std::uint32_t style, double width, ColorRef color) {
  MetafilePen pen;
  pen.dash = DashFromStyle(style);
  switch (style & 0x0F00) {
    case 0x0100: pen.cap = LineCap::kSquare; break;
    case 0x0200: pen.cap = LineCap::kFlat; break;
    default: pen.cap = LineCap::kRound; break;
  }
  switch (style & 0xF000) {
    case 0x1000: pen.join = LineJoin::kBevel; break;
    case 0x2000: pen.join = LineJoin::kMiter; break;
    default: pen.join = LineJoin::kRound; break;
  }
  // A cosmetic pen is one device pixel wide whatever width it claims.
  const bool geometric = (style & kGeometricPen) != 0 || width > 1;
  pen.width = geometric ? std::max(width, 0.0) : 0;
  pen.color = color & 0xFFFFFF;
  return pen;
}

MetafileBrush MetafileBrush::FromStyle(std::uint32_t style, ColorRef color, std::uint32_t hatch) {
  MetafileBrush brush;
  brush.color = color & 0xFFFFFF;
  switch (style) {
    case 1: brush.kind = BrushKind::kNull; break;
    case 2:
      brush.kind = hatch <= 5 ? BrushKind::kHatched : BrushKind::kSolid;
      brush.hatch = hatch;
      break;
    default: brush.kind = BrushKind::kSolid; break;
  }
  return brush;
}

MetafileObjectTable::MetafileObjectTable(std::size_t size) : m_slots(std::min(size, kMaxSlots)) {}

void MetafileObjectTable::AddAtFirstFree(MetafileObject object) {
  while (m_first_free < m_slots.size() && m_slots[m_first_free]) ++m_first_free;
  if (m_first_free == m_slots.size()) {
    if (m_slots.size() == kMaxSlots) return;
    m_slots.emplace_back();
  }
  m_slots[m_first_free++] = std::move(object);
}

void MetafileObjectTable::Put(std::uint32_t index, MetafileObject object) {
  if (index >= kMaxSlots) return;
  if (index >= m_slots.size()) m_slots.resize(index + 1);
  m_slots[index] = std::move(object);
}

const MetafileObject* MetafileObjectTable::Find(std::uint32_t index) const {
  if (index >= m_slots.size() || !m_slots[index]) return nullptr;
  return &*m_slots[index];
}

void MetafileObjectTable::Remove(std::uint32_t index) {
  if (index >= m_slots.size()) return;
  m_slots[index].reset();
  m_first_free = std::min<std::size_t>(m_first_free, index);
}

std::optional<MetafileObject> StockObject(std::uint32_t index) {
  if ((index & kStockBit) == 0) return std::nullopt;
  switch (index & ~kStockBit) {
    case 0: return SolidBrush(0xFFFFFF);
    case 1: return SolidBrush(0xC0C0C0);
    case 2: return SolidBrush(0x808080);
    case 3: return SolidBrush(0x404040);
    case 4: return SolidBrush(0x000000);
    case 5: return MetafileBrush::FromStyle(1, 0, 0);
    case 6: return MetafilePen::FromStyle(0, 0, 0xFFFFFF);
    case 7: return MetafilePen::FromStyle(0, 0, 0x000000);
    case 8: return MetafilePen::FromStyle(5, 0, 0);
    case 10:
    case 11:
    case 16: return DefaultFont(true);
    case 12:
    case 13:
    case 14:
    case 17: return DefaultFont(false);
    case 18: return SolidBrush(0xFFFFFF);  // the DC brush starts white
    case 19: return MetafilePen::FromStyle(0, 0, 0x000000);
    default: return std::nullopt;
  }
}

}  // namespace sf
