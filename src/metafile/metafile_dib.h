// Device-independent bitmaps inside metafile records, read through the BMP
// reader, and the block transfers that draw them (or a brush) into the picture
// with the common raster operations.
//   const Dib dib = ReadDib(info, bits, budget);
//   DrawDib(canvas, dib, {dest, size, {0, 0, w, h}, kSrcCopy, true});
#pragma once

#include <cstdint>
#include <span>

#include "image/bitmap.h"
#include "metafile/metafile_canvas.h"

namespace sf {

inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;

struct Dib {
  Bitmap picture;
  bool bottom_up = true;
};

// The pixels that all bitmaps of one picture may unpack to, so that many small
// records cannot each unpack a huge run-length bitmap.
class PixelBudget {
 public:
  static constexpr std::uint64_t kMaxPixels = std::uint64_t{64} << 20;
  // Throws FormatError once the total passes kMaxPixels.
  void Spend(std::uint64_t pixels);

 private:
  std::uint64_t m_spent = 0;
};

// A header with its colour table followed directly by the pixels.
Dib ReadPackedDib(std::span<const std::uint8_t> dib, PixelBudget& budget);
// A header with its colour table, and the pixels apart.
Dib ReadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits, PixelBudget& budget);

struct SourceRect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
};

struct BlitTarget {
  Point2 dest;       // logical
  Point2 dest_size;  // logical; negative sizes mirror
  SourceRect source;
  std::uint32_t rop = kSrcCopy;
  // Whether the source's y counts up from the bitmap's last row, as it does
  // for device-independent transfers of bottom-up bitmaps.
  bool source_from_bottom = false;
};

void DrawDib(MetafileCanvas& canvas, const Dib& dib, const BlitTarget& target);
// A transfer without a source: the brush, black, white or inverting.
void PatternBlit(MetafileCanvas& canvas, Point2 dest, Point2 dest_size, std::uint32_t rop);

}  // namespace sf
