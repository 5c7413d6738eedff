// A GIF picture or animation in memory: the logical screen, the global colour
// table, the frames with their extensions, and the options used when bitmaps
// are added. Reads GIF87a/GIF89a files, builds animations and writes them.
//   TGIFImage animation;  animation.SetColorReduction(TColorReduction::rmQuantize);
//   const int k = animation.Add(frame_bitmap);  animation.Pack();  ...  animation.SaveToFile(path);
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gif/gif_color_map.h"
#include "gif/gif_sub_image.h"
#include "gif/gif_types.h"
#include "image/bitmap.h"

namespace sf {

class TGIFImage {
 public:
  TGIFImage() = default;
  TGIFImage(const TGIFImage&) = delete;
  TGIFImage& operator=(const TGIFImage&) = delete;

  // The logical screen.
  std::uint16_t Width() const { return m_width; }
  std::uint16_t Height() const { return m_height; }
  void SetScreenSize(std::uint16_t width, std::uint16_t height);
  std::uint8_t BackgroundColorIndex() const { return m_background_index; }
  void SetBackgroundColorIndex(std::uint8_t index) { m_background_index = index; }
  std::uint8_t AspectRatio() const { return m_aspect_ratio; }
  void SetAspectRatio(std::uint8_t aspect) { m_aspect_ratio = aspect; }
  TGIFColorMap& GlobalColorMap() { return m_global_color_map; }
  const TGIFColorMap& GlobalColorMap() const { return m_global_color_map; }
  // The largest bits per pixel over the global table and every local table.
  int BitsPerPixel() const;

  // Frames, 0-based; the count includes an empty frame made of trailing extensions.
  int Count() const { return static_cast<int>(m_frames.size()); }
  TGIFSubImage& Frame(int index) { return *m_frames.at(static_cast<std::size_t>(index)); }
  const TGIFSubImage& Frame(int index) const { return *m_frames.at(static_cast<std::size_t>(index)); }
  // Appends an empty frame without table or extensions.
  TGIFSubImage& AppendFrame();

  TGIFDrawOptions DrawOptions() const { return m_draw_options; }
  void SetDrawOptions(TGIFDrawOptions options) { m_draw_options = options; }
  TColorReduction ColorReduction() const { return m_color_reduction; }
  void SetColorReduction(TColorReduction reduction) { m_color_reduction = reduction; }
  int ReductionBits() const { return m_reduction_bits; }
  // 3..8; anything else throws GIFException "Invalid Bits Per Pixel value".
  void SetReductionBits(int bits);
  TDitherMode DitherMode() const { return m_dither_mode; }
  void SetDitherMode(TDitherMode mode) { m_dither_mode = mode; }
  TGIFCompression Compression() const { return m_compression; }
  void SetCompression(TGIFCompression compression) { m_compression = compression; }
  int AnimationSpeed() const { return m_animation_speed; }
  // Percent, clamped to 0..1000.
  void SetAnimationSpeed(int speed);

  void SetWarningHandler(GIFWarningHandler handler) { m_warning_handler = std::move(handler); }
  void Warning(const std::string& text) const;

  // No frames, no global table, a 0 x 0 screen; the options stay.
  void Clear();
  // Clears the image, then reads a GIF file from its bytes. On GIFException the
  // frames read before the failure stay in the image.
  void LoadFromStream(std::span<const std::uint8_t> bytes);
  void LoadFromFile(const std::string& path);

  // Converts a bitmap into a new last frame (1-, 4- and 8-bit bitmaps keep
  // their palette, others are reduced with ColorReduction) and returns its index.
  int Add(const Bitmap& bitmap);
  // Clears the image, then adds the bitmap as its only frame.
  void Assign(const Bitmap& bitmap);
  // Drops every rendered bitmap; a lone frame's local table becomes the global table.
  void Pack();
  // Merges all colour tables into one global table of at most 256 colours.
  void OptimizeColorMap();

  // Writes the GIF file; an image without frames throws "Unsupported GIF version".
  void SaveToStream(std::ostream& out) const;
  // Writes beside path and renames over it, so a failed save leaves no partial file.
  void SaveToFile(const std::string& path) const;

  // The first frame on the logical screen, built on demand (see RenderStill).
  const Bitmap& StillBitmap() const;
  // Drops the cached still; frames call it when their pixels change.
  void FreeStill() const { m_still.reset(); }

 private:
  std::uint16_t m_width = 0;
  std::uint16_t m_height = 0;
  std::uint8_t m_background_index = 0;
  std::uint8_t m_aspect_ratio = 0;
  TGIFColorMap m_global_color_map;
  std::vector<std::unique_ptr<TGIFSubImage>> m_frames;

  TGIFDrawOptions m_draw_options = GIFImageDefaultDrawOptions;
  TColorReduction m_color_reduction = GIFImageDefaultColorReduction;
  int m_reduction_bits = GIFImageDefaultColorReductionBits;
  TDitherMode m_dither_mode = GIFImageDefaultDitherMode;
  TGIFCompression m_compression = GIFImageDefaultCompression;
  int m_animation_speed = GIFImageDefaultAnimationSpeed;
  GIFWarningHandler m_warning_handler;
  mutable std::unique_ptr<Bitmap> m_still;
};

}  // namespace sf
