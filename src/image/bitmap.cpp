#include "image/bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "image/halftone_palette.h"

namespace sf {

namespace {

constexpr Rgb kWhite{255, 255, 255};

std::vector<Rgb> VgaPalette() {
  return {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
          {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

// A channel of `bits` bits widened to 8 by repeating its bits, so that the
// largest value becomes 255 and 0 stays 0.
std::uint8_t Widen(std::uint32_t value, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  std::uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    out = (out << bits) | value;
    filled += bits;
  }
  return static_cast<std::uint8_t>(out >> (filled - 8));
}

std::uint8_t Extract(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask >> shift);
  return Widen((pixel & mask) >> shift, bits);
}

std::uint32_t Insert(std::uint8_t value, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask >> shift);
  const std::uint32_t narrowed = bits >= 8 ? (static_cast<std::uint32_t>(value) << (bits - 8)) : (value >> (8 - bits));
  return (narrowed << shift) & mask;
}

}  // namespace

std::size_t RowStride(std::uint64_t width, PixelFormat format) {
  if (width > (std::uint64_t{1} << 32)) throw std::length_error("Bitmap too large");
  const std::uint64_t bits = width * static_cast<std::uint64_t>(format);
  return static_cast<std::size_t>(((bits + 31) / 32) * 4);
}

std::vector<Rgb> DefaultPalette(PixelFormat format) {
  switch (format) {
    case PixelFormat::kBits1: return {{0, 0, 0}, {255, 255, 255}};
    case PixelFormat::kBits4: return VgaPalette();
    case PixelFormat::kBits8: return HalftonePalette();
    default: return {};
  }
}

Bitmap::Bitmap(int width, int height, PixelFormat format) { Allocate(width, height, format); }

void Bitmap::Allocate(int width, int height, PixelFormat format) {
  if (width < 0 || height < 0) throw std::length_error("Bitmap size is negative");
  const std::size_t stride = RowStride(static_cast<std::uint64_t>(width), format);
  if (height > 0 && stride > kMaxBitmapBytes / static_cast<std::uint64_t>(height)) {
    throw std::length_error("Bitmap too large");
  }
  m_width = width;
  m_height = height;
  m_format = format;
  m_stride = stride;
  m_palette = DefaultPalette(format);
  m_masks = format == PixelFormat::kBits16 ? kMasks555 : format == PixelFormat::kBits32 ? kMasks888 : ChannelMasks{};
  m_pixels.assign(stride * static_cast<std::size_t>(height), 0xFF);
  if (IsPaletted()) Fill(kWhite);
}

std::span<std::uint8_t> Bitmap::Row(int y) {
  return {m_pixels.data() + static_cast<std::size_t>(m_height - 1 - y) * m_stride, m_stride};
}

std::span<const std::uint8_t> Bitmap::Row(int y) const {
  return {m_pixels.data() + static_cast<std::size_t>(m_height - 1 - y) * m_stride, m_stride};
}

void Bitmap::SetPalette(std::vector<Rgb> palette) {
  if (palette.size() > 256) palette.resize(256);
  m_palette = std::move(palette);
}

void Bitmap::SetSize(int width, int height) {
  if (width == m_width && height == m_height) return;
  Bitmap resized(width, height, m_format);
  resized.m_palette = m_palette;
  resized.m_masks = m_masks;
  resized.m_transparent = m_transparent;
  resized.m_transparent_color = m_transparent_color;
  if (IsPaletted()) resized.Fill(kWhite);
  const int rows = std::min(height, m_height);
  const int columns = std::min(width, m_width);
  for (int y = 0; y < rows; ++y) {
    if (BitsPerPixel() >= 8) {
      std::memcpy(resized.Row(y).data(), Row(y).data(), static_cast<std::size_t>(columns) * (BitsPerPixel() / 8));
    } else {
      for (int x = 0; x < columns; ++x) resized.SetPixelIndex(x, y, PixelIndex(x, y));
    }
  }
  *this = std::move(resized);
}

void Bitmap::SetPixelFormat(PixelFormat format) {
  if (format == m_format) return;
  Bitmap converted(m_width, m_height, format);
  converted.m_transparent = m_transparent;
  converted.m_transparent_color = m_transparent_color;
  converted.Draw(*this, 0, 0);
  *this = std::move(converted);
}

std::uint8_t Bitmap::PixelIndex(int x, int y) const {
  const auto row = Row(y);
  switch (m_format) {
    case PixelFormat::kBits1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case PixelFormat::kBits4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case PixelFormat::kBits8: return row[x];
    default: return 0;
  }
}

void Bitmap::SetPixelIndex(int x, int y, std::uint8_t index) {
  auto row = Row(y);
  switch (m_format) {
    case PixelFormat::kBits1: {
      const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<std::uint8_t>((index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
      break;
    }
    case PixelFormat::kBits4:
      row[x >> 1] = static_cast<std::uint8_t>((x & 1) ? ((row[x >> 1] & 0xF0) | (index & 0x0F))
                                                       : ((row[x >> 1] & 0x0F) | (index << 4)));
      break;
    case PixelFormat::kBits8: row[x] = index; break;
    default: break;
  }
}

Rgb Bitmap::PixelColor(int x, int y) const {
  const auto row = Row(y);
  switch (m_format) {
    case PixelFormat::kBits24: return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    case PixelFormat::kBits16: {
      const std::uint32_t p = row[2 * x] | (row[2 * x + 1] << 8);
      return Rgb{Extract(p, m_masks.red), Extract(p, m_masks.green), Extract(p, m_masks.blue)};
    }
    case PixelFormat::kBits32: {
      const std::uint32_t p = static_cast<std::uint32_t>(row[4 * x]) | (row[4 * x + 1] << 8) |
                              (row[4 * x + 2] << 16) | (static_cast<std::uint32_t>(row[4 * x + 3]) << 24);
      return Rgb{Extract(p, m_masks.red), Extract(p, m_masks.green), Extract(p, m_masks.blue)};
    }
    default: {
      const std::uint8_t index = PixelIndex(x, y);
      return index < m_palette.size() ? m_palette[index] : Rgb{};
    }
  }
}

void Bitmap::ReadRowBgr(int y, std::span<std::uint8_t> out) const {
  const auto row = Row(y);
  if (m_format == PixelFormat::kBits24) {
    std::memcpy(out.data(), row.data(), static_cast<std::size_t>(m_width) * 3);
    return;
  }
  if (m_format == PixelFormat::kBits8) {
    for (int x = 0; x < m_width; ++x) {
      const Rgb c = row[x] < m_palette.size() ? m_palette[row[x]] : Rgb{};
      out[3 * x] = c.b;
      out[3 * x + 1] = c.g;
      out[3 * x + 2] = c.r;
    }
    return;
  }
  if (m_format == PixelFormat::kBits32 && m_masks == kMasks888) {
    for (int x = 0; x < m_width; ++x) {
      out[3 * x] = row[4 * x];
      out[3 * x + 1] = row[4 * x + 1];
      out[3 * x + 2] = row[4 * x + 2];
    }
    return;
  }
  for (int x = 0; x < m_width; ++x) {
    const Rgb c = PixelColor(x, y);
    out[3 * x] = c.b;
    out[3 * x + 1] = c.g;
    out[3 * x + 2] = c.r;
  }
}

void Bitmap::SetPixelColor(int x, int y, Rgb color) {
  auto row = Row(y);
  switch (m_format) {
    case PixelFormat::kBits24:
      row[3 * x] = color.b;
      row[3 * x + 1] = color.g;
      row[3 * x + 2] = color.r;
      break;
    case PixelFormat::kBits16: {
      const std::uint32_t p = Insert(color.r, m_masks.red) | Insert(color.g, m_masks.green) | Insert(color.b, m_masks.blue);
      row[2 * x] = static_cast<std::uint8_t>(p);
      row[2 * x + 1] = static_cast<std::uint8_t>(p >> 8);
      break;
    }
    case PixelFormat::kBits32: {
      const std::uint32_t p = Insert(color.r, m_masks.red) | Insert(color.g, m_masks.green) |
                              Insert(color.b, m_masks.blue) | m_masks.alpha;
      for (int i = 0; i < 4; ++i) row[4 * x + i] = static_cast<std::uint8_t>(p >> (8 * i));
      break;
    }
    default: SetPixelIndex(x, y, NearestIndex(m_palette, color));
  }
}

void Bitmap::Fill(Rgb color) {
  if (Empty()) return;
  if (IsPaletted()) {
    // Row 0 pixel by pixel, then its whole bytes copied into the other rows;
    // the bits after the last pixel, and the row padding, stay as they were.
    const std::uint8_t index = NearestIndex(m_palette, color);
    for (int x = 0; x < m_width; ++x) SetPixelIndex(x, 0, index);
    const int bits = BitsPerPixel();
    const std::size_t whole_bytes = static_cast<std::size_t>(m_width) * bits / 8;
    const int tail = static_cast<int>(whole_bytes * 8 / bits);
    const auto first = Row(0);
    for (int y = 1; y < m_height; ++y) {
      std::memcpy(Row(y).data(), first.data(), whole_bytes);
      for (int x = tail; x < m_width; ++x) SetPixelIndex(x, y, index);
    }
    return;
  }
  for (int x = 0; x < m_width; ++x) SetPixelColor(x, 0, color);
  const auto first = Row(0);
  for (int y = 1; y < m_height; ++y) std::memcpy(Row(y).data(), first.data(), m_stride);
}

void Bitmap::Draw(const Bitmap& src, int x, int y) {
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(m_width, x + src.m_width);
  const int bottom = std::min(m_height, y + src.m_height);
  if (left >= right || top >= bottom) return;
  const int sx0 = left - x;
  const int count = right - left;

  // Same layout and colours: copy the stored bytes.
  const bool byte_aligned = BitsPerPixel() >= 8;
  const bool same_colours = IsPaletted() ? (m_palette == src.m_palette) : (m_masks == src.m_masks);
  if (src.m_format == m_format && byte_aligned && same_colours) {
    const std::size_t bpp = static_cast<std::size_t>(BitsPerPixel() / 8);
    for (int ty = top; ty < bottom; ++ty) {
      std::memcpy(Row(ty).data() + left * bpp, src.Row(ty - y).data() + sx0 * bpp, count * bpp);
    }
    return;
  }

  if (IsPaletted() && src.IsPaletted()) {
    // Map each source entry once.
    NearestColorMapper mapper(m_palette);
    std::uint8_t lookup[256] = {};
    for (std::size_t i = 0; i < src.m_palette.size(); ++i) lookup[i] = mapper.Map(src.m_palette[i]);
    for (int ty = top; ty < bottom; ++ty) {
      for (int i = 0; i < count; ++i) SetPixelIndex(left + i, ty, lookup[src.PixelIndex(sx0 + i, ty - y)]);
    }
    return;
  }

  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(src.m_width) * 3);
  NearestColorMapper mapper(m_palette);
  for (int ty = top; ty < bottom; ++ty) {
    src.ReadRowBgr(ty - y, bgr);
    const std::uint8_t* in = bgr.data() + static_cast<std::size_t>(sx0) * 3;
    if (m_format == PixelFormat::kBits24) {
      std::memcpy(Row(ty).data() + static_cast<std::size_t>(left) * 3, in, static_cast<std::size_t>(count) * 3);
    } else if (m_format == PixelFormat::kBits8) {
      auto row = Row(ty);
      for (int i = 0; i < count; ++i) row[left + i] = mapper.Map(Rgb{in[3 * i + 2], in[3 * i + 1], in[3 * i]});
    } else if (IsPaletted()) {
      for (int i = 0; i < count; ++i) SetPixelIndex(left + i, ty, mapper.Map(Rgb{in[3 * i + 2], in[3 * i + 1], in[3 * i]}));
    } else {
      for (int i = 0; i < count; ++i) SetPixelColor(left + i, ty, Rgb{in[3 * i + 2], in[3 * i + 1], in[3 * i]});
    }
  }
}

}  // namespace sf
