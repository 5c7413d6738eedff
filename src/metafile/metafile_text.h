// Text that metafile records draw: the selected font matched to a DejaVu face
// through cairo, placed by the text alignment, with the per-character advances
// the record gives, an opaque or clipping rectangle, and the background box.
//   const TextRun run = Utf16Run(units, advances);
//   DrawText(canvas, {x, y}, run, options, rect);
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "metafile/metafile_canvas.h"

namespace sf {

// Text output options as records carry them.
inline constexpr std::uint32_t kTextOpaque = 0x02;
inline constexpr std::uint32_t kTextClipped = 0x04;

struct TextRun {
  std::u32string chars;
  // Logical advance after each character, or empty for the font's own.
  std::vector<double> advances;
};

struct TextBox {
  Point2 a;
  Point2 b;
};

// UTF-16 code units; a surrogate pair becomes one character whose advance is
// the sum of both units' advances (advances: one per unit, or empty).
TextRun Utf16Run(std::span<const std::uint16_t> units, std::span<const double> advances);
// Bytes in the Windows Western code page.
TextRun AnsiRun(std::span<const std::uint8_t> bytes, std::span<const double> advances);

// reference: the logical point the alignment refers to (the current position
// instead when the alignment says so). box: the record's rectangle, used when
// options ask for an opaque or clipping rectangle.
void DrawText(MetafileCanvas& canvas, Point2 reference, const TextRun& run, std::uint32_t options,
              std::optional<TextBox> box);

// The DejaVu family drawn for a face name.
const char* FamilyForFace(const std::string& face);

}  // namespace sf
