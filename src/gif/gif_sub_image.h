// One frame of a GIF image: its place on the logical screen, one colour index
// per pixel, an optional local colour table, the extensions written before it
// and, rendered on demand, its bitmap and transparency mask.
//   const std::uint8_t index = image.Frame(0).GetPixel(0, image.Frame(0).Height() - 1);
//   const Bitmap& picture = image.Frame(0).GetBitmap();   // 8-bit, the active colour table
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gif/gif_color_map.h"
#include "gif/gif_extensions.h"
#include "gif/gif_types.h"
#include "image/bitmap.h"

namespace sf {

class TGIFImage;

class TGIFSubImage {
 public:
  explicit TGIFSubImage(TGIFImage& image) : m_image(&image) {}
  TGIFSubImage(const TGIFSubImage&) = delete;
  TGIFSubImage& operator=(const TGIFSubImage&) = delete;

  std::uint16_t Left() const { return m_left; }
  std::uint16_t Top() const { return m_top; }
  std::uint16_t Width() const { return m_width; }
  std::uint16_t Height() const { return m_height; }
  // A frame of width or height 0 writes only its extensions.
  bool Empty() const { return m_width == 0 || m_height == 0; }
  GifRect GetClientRect() const { return {0, 0, m_width, m_height}; }
  GifRect GetBoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }

  // Places the frame and gives it width x height pixels of index 0. The logical
  // screen grows to hold the frame (with a warning when it was not 0 x 0).
  void SetBounds(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height);
  // Places the frame with every pixel set to fill; the logical screen stays as it is.
  void Place(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height, std::uint8_t fill);

  // One index per pixel, rows top to bottom, no padding.
  std::span<const std::uint8_t> Data() const { return m_data; }
  // Writable pixels; the rendered bitmap is dropped.
  std::span<std::uint8_t> MutableData();
  // The index at column x of row y; GIFException "Invalid pixel coordinates" outside.
  std::uint8_t GetPixel(int x, int y) const;

  bool Interlaced() const { return (m_descriptor_flags & 0x40) != 0; }
  // The image descriptor's packed byte as read (0 for frames made from bitmaps).
  std::uint8_t DescriptorFlags() const { return m_descriptor_flags; }
  void SetDescriptorFlags(std::uint8_t flags) { m_descriptor_flags = flags; }

  TGIFColorMap& ColorMap() { return m_color_map; }
  const TGIFColorMap& ColorMap() const { return m_color_map; }
  // The local table when it has entries, else the image's global table.
  const TGIFColorMap& ActiveColorMap() const;

  // In file order; each is written before the image descriptor.
  const std::vector<std::shared_ptr<TGIFExtension>>& Extensions() const { return m_extensions; }
  void AppendExtension(std::shared_ptr<TGIFExtension> extension);
  // A new graphic control extension with every field 0. A frame without one
  // takes it as its own at once, even before it is appended to the list; a frame
  // that has one keeps it.
  std::shared_ptr<TGIFGraphicControlExtension> CreateGraphicControlExtension();
  TGIFGraphicControlExtension* GraphicControlExtension() const { return m_graphic_control.get(); }
  // Mirrors the graphic control extension's transparency flag.
  bool Transparent() const { return m_graphic_control && m_graphic_control->GetTransparent(); }

  // The frame as an 8-bit bitmap of its own size whose palette is the active
  // colour table (black and white when the image has no table at all).
  const Bitmap& GetBitmap() const;
  // For a transparent frame a 1-bit bitmap, 1 where the pixel has the
  // transparent index; an empty bitmap otherwise.
  const Bitmap& GetMask() const;
  // Drops the rendered bitmap and mask; the indices stay.
  void FreeBitmap() const;

 private:
  void Render() const;

  TGIFImage* m_image;
  std::uint16_t m_left = 0;
  std::uint16_t m_top = 0;
  std::uint16_t m_width = 0;
  std::uint16_t m_height = 0;
  std::uint8_t m_descriptor_flags = 0;
  std::vector<std::uint8_t> m_data;
  TGIFColorMap m_color_map;
  std::vector<std::shared_ptr<TGIFExtension>> m_extensions;
  std::shared_ptr<TGIFGraphicControlExtension> m_graphic_control;
  mutable std::unique_ptr<Bitmap> m_bitmap;
  mutable std::unique_ptr<Bitmap> m_mask;
  mutable int m_mask_key = 0;
};

// The order in which the rows of a frame of the given height stand in its
// image data: top to bottom, or the four interlace passes (every 8th row from
// 0, every 8th from 4, every 4th from 2, every 2nd from 1).
std::vector<int> GifRowOrder(int height, bool interlaced);

}  // namespace sf
