#include "avi/video_compressor.h"

#include <algorithm>
#include <array>

#include "avi/avi_format.h"
#include "image/jpeg_writer.h"

namespace sf {

namespace {

constexpr std::array<CompressorInfo, 2> kCompressors = {{
    {Codec::kUncompressed, "DIB ", "Full Frames (Uncompressed)", false},
    {Codec::kMotionJpeg, "MJPG", "Motion JPEG", true},
}};

void Put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

std::span<const CompressorInfo> Compressors() { return kCompressors; }

bool IsStorableFrame(const Bitmap& frame) {
  switch (frame.Format()) {
    case PixelFormat::kBits8:
    case PixelFormat::kBits24:
      return true;
    case PixelFormat::kBits16:
      return frame.Masks() == kMasks555;
    case PixelFormat::kBits32:
      return frame.Masks() == kMasks888;
    default:
      return false;
  }
}

std::vector<std::uint8_t> VideoFrameFormat(const Bitmap& frame, Codec codec) {
  const bool jpeg = codec == Codec::kMotionJpeg;
  const bool paletted = !jpeg && frame.IsPaletted();
  const auto colours = static_cast<std::uint32_t>(paletted ? frame.Palette().size() : 0);
  const std::uint64_t jpeg_size =
      std::uint64_t{3} * static_cast<std::uint64_t>(frame.Width()) * static_cast<std::uint64_t>(frame.Height());
  std::vector<std::uint8_t> out;
  out.reserve(40 + 4 * colours);
  Put32(out, 40);                                                            // biSize
  Put32(out, static_cast<std::uint32_t>(frame.Width()));                     // biWidth
  Put32(out, static_cast<std::uint32_t>(frame.Height()));                    // biHeight: rows bottom-up
  Put16(out, 1);                                                             // biPlanes
  Put16(out, static_cast<std::uint16_t>(jpeg ? 24 : frame.BitsPerPixel()));  // biBitCount
  Put32(out, jpeg ? FourCCValue("MJPG") : kBiRgb);                           // biCompression
  Put32(out, static_cast<std::uint32_t>(jpeg ? std::min<std::uint64_t>(jpeg_size, 0xFFFFFFFFu)
                                             : frame.ImageSize()));  // biSizeImage
  Put32(out, 0);                                                     // biXPelsPerMeter
  Put32(out, 0);                                                     // biYPelsPerMeter
  Put32(out, colours);                                               // biClrUsed
  Put32(out, 0);                                                     // biClrImportant
  for (std::uint32_t i = 0; i < colours; ++i) {
    const Rgb c = frame.Palette()[i];
    out.insert(out.end(), {c.b, c.g, c.r, 0});  // RGBQUAD
  }
  return out;
}

FrameCompressor::FrameCompressor(const Compression& compression) : m_compression(compression) {
  m_compression.quality = std::clamp(m_compression.quality, 1, 100);
}

std::uint32_t FrameCompressor::Handler() const {
  return m_compression.codec == Codec::kMotionJpeg ? FourCCValue("MJPG") : 0;
}

std::string_view FrameCompressor::ChunkKind() const { return m_compression.codec == Codec::kMotionJpeg ? "dc" : "db"; }

std::span<const std::uint8_t> FrameCompressor::Compress(const Bitmap& frame, bool repeat) {
  if (m_compression.codec == Codec::kUncompressed) return frame.Storage();
  if (repeat && !m_buffer.empty()) return m_buffer;
  m_buffer = EncodeJpeg(frame, m_compression.quality);
  return m_buffer;
}

}  // namespace sf
