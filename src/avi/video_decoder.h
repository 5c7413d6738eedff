// Decoding video frames into bitmaps: uncompressed 8-bit (palette), 16-bit (5-5-5
// or BI_BITFIELDS masks), 24- and 32-bit frames, bottom-up or top-down with rows
// padded to 4 bytes, 8-bit grey (Y800) and Motion JPEG; nothing else.
//   const auto decoder = VideoDecoder::Open(stream.format);   // nullopt: not decodable
//   const std::optional<Bitmap> frame = decoder->Decode(chunk_bytes, decoder->Palette());
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/bitmap.h"

namespace sf {

class VideoDecoder {
 public:
  // A decoder for frames of this stream format (a BITMAPINFOHEADER and what
  // follows it), or nullopt when the format is not one of the above or its
  // size is absurd.
  static std::optional<VideoDecoder> Open(std::span<const std::uint8_t> format);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // The colour table of the format (paletted frames only).
  const std::vector<Rgb>& Palette() const { return m_palette; }

  // One frame from a chunk's bytes, or nullopt when they do not hold a whole
  // frame (a short chunk, bad JPEG data). Rows count whole padded rows, never
  // the format's image size, which writers get wrong.
  std::optional<Bitmap> Decode(std::span<const std::uint8_t> data, const std::vector<Rgb>& palette) const;

 private:
  enum class Kind : std::uint8_t { kRgb, kGrey, kJpeg };

  std::optional<Bitmap> DecodeRgb(std::span<const std::uint8_t> data, const std::vector<Rgb>& palette) const;
  std::optional<Bitmap> DecodeGrey(std::span<const std::uint8_t> data) const;
  std::optional<Bitmap> DecodeJpegFrame(std::span<const std::uint8_t> data) const;

  Kind m_kind = Kind::kRgb;
  int m_width = 0;
  int m_height = 0;
  bool m_top_down = false;
  PixelFormat m_format = PixelFormat::kBits24;
  ChannelMasks m_masks{};
  std::vector<Rgb> m_palette;
};

// Applies a palette-change chunk (first entry, entry count with 0 meaning 256,
// flags, then red-green-blue-flags entries) to a palette; a malformed or
// out-of-range change is ignored.
void ApplyPaletteChange(std::vector<Rgb>& palette, std::span<const std::uint8_t> change);

}  // namespace sf
