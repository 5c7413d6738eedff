// Pens, brushes and fonts of a metafile, and the table that records create,
// select and delete them in by index. Palettes, regions and other kinds we do
// not draw with keep their slot as MetafileOther so later indices stay right.
//   MetafileObjectTable table(header.object_count);
//   table.AddAtFirstFree(MetafilePen::FromStyle(style, width, color));
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "image/bitmap.h"
#include "image/color.h"

namespace sf {

enum class PenDash : std::uint8_t { kSolid, kDash, kDot, kDashDot, kDashDotDot, kNull, kUser };
enum class LineCap : std::uint8_t { kRound, kSquare, kFlat };
enum class LineJoin : std::uint8_t { kRound, kBevel, kMiter };

struct MetafilePen {
  PenDash dash = PenDash::kSolid;
  LineCap cap = LineCap::kRound;
  LineJoin join = LineJoin::kRound;
  // In logical units; 0 draws one pixel wide.
  double width = 0;
  ColorRef color = 0;
  // Dash and gap lengths of a user style, in multiples of the width.
  std::vector<double> user_dashes;

  // A pen from the style word that pen records carry (dash in bits 0-3, cap in
  // 8-11, join in 12-15, geometric in bit 16).
  static MetafilePen FromStyle(std::uint32_t style, double width, ColorRef color);
};

enum class BrushKind : std::uint8_t { kSolid, kNull, kHatched, kPattern };

struct MetafileBrush {
  BrushKind kind = BrushKind::kSolid;
  ColorRef color = 0xFFFFFF;
  std::uint32_t hatch = 0;
  std::shared_ptr<const Bitmap> pattern;

  // A brush from a style, colour and hatch as brush records carry them. Styles
  // other than solid, null and hatched give a solid brush of the colour.
  static MetafileBrush FromStyle(std::uint32_t style, ColorRef color, std::uint32_t hatch);
};

struct MetafileFont {
  // In logical units: negative is the character height, positive the cell
  // height, 0 the default size.
  double height = 0;
  // Counter-clockwise, in tenths of a degree.
  double escapement = 0;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  std::string face;
};

struct MetafileOther {};

using MetafileObject = std::variant<MetafileOther, MetafilePen, MetafileBrush, MetafileFont>;

class MetafileObjectTable {
 public:
  // The table starts with `size` empty slots and grows when records use more,
  // up to kMaxSlots.
  explicit MetafileObjectTable(std::size_t size);

  static constexpr std::size_t kMaxSlots = 65536;

  // Puts the object in the lowest empty slot (the WMF rule); ignored when all
  // kMaxSlots slots are taken.
  void AddAtFirstFree(MetafileObject object);
  // Puts the object at an index the record names (the EMF rule); ignored when
  // the index is at or beyond kMaxSlots.
  void Put(std::uint32_t index, MetafileObject object);
  // The object at the index, or nullptr for an empty or unknown slot.
  const MetafileObject* Find(std::uint32_t index) const;
  void Remove(std::uint32_t index);

 private:
  std::vector<std::optional<MetafileObject>> m_slots;
  // No slot below this one is empty.
  std::size_t m_first_free = 0;
};

// The object an EMF record names with the stock bit (0x80000000) set, or
// nullopt for an unknown stock index.
std::optional<MetafileObject> StockObject(std::uint32_t index);

}  // namespace sf
