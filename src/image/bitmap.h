// A picture in memory, stored as the body of a BMP file: rows bottom row first,
// each padded to a multiple of 4 bytes, 24-bit pixels as blue, green, red. Row(y)
// counts from the top. A bitmap that is given a size starts white, and the new
// area of a bitmap made larger is white. 16- and 32-bit pixels carry channel
// masks (5-5-5 and 8-8-8 by default), 1-, 4- and 8-bit pixels index a palette.
//   Bitmap frame(720, 480);                  // 24-bit, white
//   frame.Draw(picture, 40, 0);              // palette targets take the nearest colour
//   frame.SetPixelFormat(PixelFormat::kBits8);   // the halftone palette
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/color.h"

namespace sf {

enum class PixelFormat : std::uint8_t {
  kBits1 = 1,
  kBits4 = 4,
  kBits8 = 8,
  kBits16 = 16,
  kBits24 = 24,
  kBits32 = 32,
};

// Where red, green, blue (and alpha) sit in a 16- or 32-bit pixel.
struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  std::uint32_t alpha = 0;
  friend bool operator==(const ChannelMasks&, const ChannelMasks&) = default;
};

inline constexpr ChannelMasks kMasks555{0x7C00, 0x03E0, 0x001F, 0};
inline constexpr ChannelMasks kMasks565{0xF800, 0x07E0, 0x001F, 0};
inline constexpr ChannelMasks kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF, 0};

// The largest pixel storage a bitmap may have.
inline constexpr std::uint64_t kMaxBitmapBytes = std::uint64_t{1} << 31;

// Bytes of one stored row of width pixels; throws std::length_error when absurd.
std::size_t RowStride(std::uint64_t width, PixelFormat format);

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, PixelFormat format = PixelFormat::kBits24);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Empty() const { return m_width == 0 || m_height == 0; }
  PixelFormat Format() const { return m_format; }
  int BitsPerPixel() const { return static_cast<int>(m_format); }
  bool IsPaletted() const { return BitsPerPixel() <= 8; }

  std::size_t Stride() const { return m_stride; }
  std::size_t ImageSize() const { return m_pixels.size(); }
  std::span<std::uint8_t> Row(int y);
  std::span<const std::uint8_t> Row(int y) const;
  // The whole BMP body, bottom row first.
  std::span<const std::uint8_t> Storage() const { return m_pixels; }
  std::span<std::uint8_t> MutableStorage() { return m_pixels; }

  const std::vector<Rgb>& Palette() const { return m_palette; }
  void SetPalette(std::vector<Rgb> palette);
  const ChannelMasks& Masks() const { return m_masks; }
  void SetMasks(const ChannelMasks& masks) { m_masks = masks; }

  // Resizes, keeping the top-left content; new areas are white.
  void SetSize(int width, int height);
  // Converts the pixels. To 8 bits a bitmap that is not 8-bit gets the halftone
  // palette; an 8-bit bitmap keeps its own. 4 and 1 bits use the 16 VGA colours
  // and black and white.
  void SetPixelFormat(PixelFormat format);

  Rgb PixelColor(int x, int y) const;
  // The palette index at (x, y) of a 1-, 4- or 8-bit bitmap.
  std::uint8_t PixelIndex(int x, int y) const;
  void SetPixelIndex(int x, int y, std::uint8_t index);
  void SetPixelColor(int x, int y, Rgb color);
  void Fill(Rgb color);

  // Copies src onto this bitmap with its top-left corner at (x, y), clipped to
  // both bitmaps. A paletted target takes the nearest entry of its palette for
  // every colour (no dithering).
  void Draw(const Bitmap& src, int x, int y);
  // Reads row y as blue-green-red triples into out (3 x Width bytes).
  void ReadRowBgr(int y, std::span<std::uint8_t> out) const;

  // The transparency mark, read only by the GIF codec.
  bool Transparent() const { return m_transparent; }
  ColorRef TransparentColor() const { return m_transparent_color; }
  void SetTransparent(bool transparent, ColorRef color = 0) {
    m_transparent = transparent;
    m_transparent_color = color;
  }

 private:
  void Allocate(int width, int height, PixelFormat format);

  int m_width = 0;
  int m_height = 0;
  PixelFormat m_format = PixelFormat::kBits24;
  std::size_t m_stride = 0;
  std::vector<std::uint8_t> m_pixels;
  std::vector<Rgb> m_palette;
  ChannelMasks m_masks{};
  bool m_transparent = false;
  ColorRef m_transparent_color = 0;
};

// The default palette of a paletted format: 2 (black, white), 16 (VGA) or the
// halftone 256.
std::vector<Rgb> DefaultPalette(PixelFormat format);

}  // namespace sf
