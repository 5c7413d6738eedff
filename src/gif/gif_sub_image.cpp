#include "gif/gif_sub_image.h"

#include <algorithm>
#include <cstring>

#include "gif/gif_image.h"

namespace sf {

namespace {

constexpr int kMaxScreenSide = 0xFFFF;

// The mask's cache key: the transparent index, or 256 for an opaque frame.
constexpr int kOpaqueKey = 256;

}  // namespace

void TGIFSubImage::Place(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                         std::uint8_t fill) {
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
  m_data.assign(static_cast<std::size_t>(width) * height, fill);
  FreeBitmap();
  m_image->FreeStill();
}

void TGIFSubImage::SetBounds(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height) {
  Place(left, top, width, height, 0);
  TGIFImage& image = *m_image;
  const bool screen_was_set = image.Width() != 0 || image.Height() != 0;
  const int right = std::min(kMaxScreenSide, left + width);
  const int bottom = std::min(kMaxScreenSide, top + height);
  if (screen_was_set && right > image.Width()) image.Warning("Image width too small for contained frames");
  if (screen_was_set && bottom > image.Height()) image.Warning("Image height too small for contained frames");
  image.SetScreenSize(static_cast<std::uint16_t>(std::max<int>(right, image.Width())),
                      static_cast<std::uint16_t>(std::max<int>(bottom, image.Height())));
}

std::span<std::uint8_t> TGIFSubImage::MutableData() {
  FreeBitmap();
  m_image->FreeStill();
  return m_data;
}

std::uint8_t TGIFSubImage::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) throw GIFException("Invalid pixel coordinates");
  return m_data[static_cast<std::size_t>(y) * m_width + static_cast<std::size_t>(x)];
}

const TGIFColorMap& TGIFSubImage::ActiveColorMap() const {
  return m_color_map.Empty() ? m_image->GlobalColorMap() : m_color_map;
}

void TGIFSubImage::AppendExtension(std::shared_ptr<TGIFExtension> extension) {
  m_extensions.push_back(std::move(extension));
}

std::shared_ptr<TGIFGraphicControlExtension> TGIFSubImage::CreateGraphicControlExtension() {
  auto extension = std::make_shared<TGIFGraphicControlExtension>(*this);
  if (!m_graphic_control) m_graphic_control = extension;
  return extension;
}

const Bitmap& TGIFSubImage::GetBitmap() const {
  if (!m_bitmap) Render();
  return *m_bitmap;
}

const Bitmap& TGIFSubImage::GetMask() const {
  const int key = Transparent() ? m_graphic_control->GetTransparentColorIndex() : kOpaqueKey;
  if (m_mask && m_mask_key == key) return *m_mask;
  m_mask = std::make_unique<Bitmap>();
  m_mask_key = key;
  if (key == kOpaqueKey || Empty()) return *m_mask;
  *m_mask = Bitmap(m_width, m_height, PixelFormat::kBits1);
  for (int y = 0; y < m_height; ++y) {
    const std::uint8_t* in = m_data.data() + static_cast<std::size_t>(y) * m_width;
    auto row = m_mask->Row(y);
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    for (int x = 0; x < m_width; ++x) {
      if (in[x] == key) row[x >> 3] = static_cast<std::uint8_t>(row[x >> 3] | (0x80 >> (x & 7)));
    }
  }
  return *m_mask;
}

void TGIFSubImage::FreeBitmap() const {
  m_bitmap.reset();
  m_mask.reset();
}

void TGIFSubImage::Render() const {
  m_bitmap = std::make_unique<Bitmap>();
  if (Empty()) return;
  Bitmap bitmap(m_width, m_height, PixelFormat::kBits8);
  const TGIFColorMap& table = ActiveColorMap();
  if (table.Empty()) {
    bitmap.SetPalette({Rgb{0, 0, 0}, Rgb{255, 255, 255}});
  } else {
    bitmap.SetPalette(std::vector<Rgb>(table.Colors().begin(), table.Colors().end()));
  }
  for (int y = 0; y < m_height; ++y) {
    std::memcpy(bitmap.Row(y).data(), m_data.data() + static_cast<std::size_t>(y) * m_width, m_width);
  }
  *m_bitmap = std::move(bitmap);
}

std::vector<int> GifRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(std::max(height, 0)));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  }
  return rows;
}

}  // namespace sf
