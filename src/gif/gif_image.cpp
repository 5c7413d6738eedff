#include "gif/gif_image.h"

#include <algorithm>
#include <cstring>

#include "common/file_util.h"
#include "gif/gif_color_map_optimizer.h"
#include "gif/gif_color_reduction.h"
#include "gif/gif_reader.h"
#include "gif/gif_render.h"
#include "gif/gif_writer.h"

namespace sf {

namespace {

constexpr int kMaxFrameSide = 0xFFFF;

// The bitmap's indices, one byte per pixel, rows top to bottom.
void CopyIndices(const Bitmap& bitmap, std::span<std::uint8_t> out) {
  const auto width = static_cast<std::size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* row = out.data() + static_cast<std::size_t>(y) * width;
    if (bitmap.Format() == PixelFormat::kBits8) {
      std::memcpy(row, bitmap.Row(y).data(), width);
    } else {
      for (int x = 0; x < bitmap.Width(); ++x) row[x] = bitmap.PixelIndex(x, y);
    }
  }
}

}  // namespace

void TGIFImage::SetScreenSize(std::uint16_t width, std::uint16_t height) {
  m_width = width;
  m_height = height;
  FreeStill();
}

int TGIFImage::BitsPerPixel() const {
  int bits = m_global_color_map.BitsPerPixel();
  for (const auto& frame : m_frames) bits = std::max(bits, frame->ColorMap().BitsPerPixel());
  return bits;
}

TGIFSubImage& TGIFImage::AppendFrame() {
  m_frames.push_back(std::make_unique<TGIFSubImage>(*this));
  FreeStill();
  return *m_frames.back();
}

void TGIFImage::SetReductionBits(int bits) {
  if (bits < 3 || bits > 8) throw GIFException("Invalid Bits Per Pixel value");
  m_reduction_bits = bits;
}

void TGIFImage::SetAnimationSpeed(int speed) { m_animation_speed = std::clamp(speed, 0, 1000); }

void TGIFImage::Warning(const std::string& text) const {
  if (m_warning_handler) m_warning_handler(text);
}

void TGIFImage::Clear() {
  m_frames.clear();
  m_global_color_map.Clear();
  m_width = 0;
  m_height = 0;
  m_background_index = 0;
  m_aspect_ratio = 0;
  FreeStill();
}

void TGIFImage::LoadFromStream(std::span<const std::uint8_t> bytes) {
  Clear();
  ReadGif(bytes, *this);
}

void TGIFImage::LoadFromFile(const std::string& path) { LoadFromStream(ReadWholeFile(path)); }

int TGIFImage::Add(const Bitmap& bitmap) {
  if (bitmap.Width() > kMaxFrameSide || bitmap.Height() > kMaxFrameSide) {
    throw GIFException("Picture too large for a GIF frame");
  }
  Bitmap reduced;
  const bool reduce = !bitmap.Empty() && !bitmap.IsPaletted();
  if (reduce) reduced = ReduceColors(bitmap, m_color_reduction, m_dither_mode, m_reduction_bits);
  const Bitmap& source = reduce ? reduced : bitmap;

  TGIFSubImage& frame = AppendFrame();
  if (!source.Empty()) {
    frame.SetBounds(0, 0, static_cast<std::uint16_t>(source.Width()), static_cast<std::uint16_t>(source.Height()));
    frame.ColorMap().Assign(source.Palette());
    CopyIndices(source, frame.MutableData());
  }
  FreeStill();
  return Count() - 1;
}

void TGIFImage::Assign(const Bitmap& bitmap) {
  Clear();
  Add(bitmap);
}

void TGIFImage::Pack() {
  FreeStill();
  for (const auto& frame : m_frames) frame->FreeBitmap();
  if (m_global_color_map.Empty() && m_frames.size() == 1) {
    TGIFColorMap& local = m_frames.front()->ColorMap();
    m_global_color_map.Assign(local.Colors());
    local.Clear();
  }
}

void TGIFImage::OptimizeColorMap() { TColorMapOptimizer(*this).Optimize(); }

void TGIFImage::SaveToStream(std::ostream& out) const { WriteGif(*this, out); }

void TGIFImage::SaveToFile(const std::string& path) const { WriteGifFile(*this, path); }

const Bitmap& TGIFImage::StillBitmap() const {
  if (!m_still) m_still = std::make_unique<Bitmap>(RenderStill(*this));
  return *m_still;
}

}  // namespace sf
