#include "avi/video_decoder.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "avi/avi_format.h"
#include "common/byte_reader.h"
#include "common/format_error.h"
#include "image/jpeg_reader.h"
#include "image/picture_limits.h"

namespace sf {

namespace {

constexpr std::int32_t kMaxSide = 32768;

bool IsRaw(std::uint32_t compression) { return compression == kBiRgb || compression == FourCCValue("DIB "); }

bool IsGrey(std::uint32_t compression) {
  return compression == FourCCValue("Y800") || compression == FourCCValue("Y8  ") || compression == FourCCValue("GREY");
}

bool IsJpeg(std::uint32_t compression) {
  for (const char* code : {"MJPG", "mjpg", "AVI1", "AVRn", "JPEG", "jpeg"}) {
    if (compression == FourCCValue(code)) return true;
  }
  return false;
}

std::vector<Rgb> ReadColorTable(std::span<const std::uint8_t> format, std::uint32_t header_size,
                                std::uint32_t colours_used) {
  std::vector<Rgb> palette;
  if (header_size >= format.size()) return palette;
  const std::size_t available = (format.size() - header_size) / 4;
  const std::size_t count = std::min<std::size_t>({colours_used == 0 ? 256 : colours_used, 256, available});
  ByteReader r(format.subspan(header_size, count * 4));
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t blue = r.U8();
    const std::uint8_t green = r.U8();
    const std::uint8_t red = r.U8();
    r.Skip(1);
    palette.push_back(Rgb{red, green, blue});
  }
  return palette;
}

// The masks of a BI_BITFIELDS format follow the 40-byte header, or sit at the
// same place inside a larger (V4, V5) header.
std::optional<ChannelMasks> ReadMasks(std::span<const std::uint8_t> format, int bits) {
  if (format.size() < 40 + 12) return std::nullopt;
  ByteReader r(format.subspan(40, 12));
  ChannelMasks masks;
  masks.red = r.U32();
  masks.green = r.U32();
  masks.blue = r.U32();
  const std::uint32_t all = masks.red | masks.green | masks.blue;
  if (masks.red == 0 || masks.green == 0 || masks.blue == 0) return std::nullopt;
  if (bits == 16 && all > 0xFFFF) return std::nullopt;
  return masks;
}

// The BITMAPINFOHEADER fields a decoder needs; biSizeImage is not trusted.
struct InfoHeader {
  std::uint32_t size = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
};

InfoHeader ReadInfoHeader(std::span<const std::uint8_t> format) {
  ByteReader r(format);
  InfoHeader info;
  info.size = r.U32();
  info.width = r.I32();
  info.height = r.I32();
  r.Skip(2);  // biPlanes
  info.bits = r.U16();
  info.compression = r.U32();
  r.Skip(4 + 4 + 4);  // biSizeImage, pixels per metre
  info.colours_used = r.U32();
  return info;
}

}  // namespace

std::optional<VideoDecoder> VideoDecoder::Open(std::span<const std::uint8_t> format) {
  try {
    const InfoHeader info = ReadInfoHeader(format);
    if (info.size < 40 || info.width <= 0 || info.width > kMaxSide || info.height == 0 || info.height < -kMaxSide ||
        info.height > kMaxSide) {
      return std::nullopt;
    }
    VideoDecoder decoder;
    decoder.m_width = info.width;
    decoder.m_height = info.height < 0 ? -info.height : info.height;
    decoder.m_top_down = info.height < 0;
    if (!PictureSizeAllowed(static_cast<std::uint64_t>(decoder.m_width), static_cast<std::uint64_t>(decoder.m_height))) {
      return std::nullopt;
    }
    if (IsJpeg(info.compression)) {
      decoder.m_kind = Kind::kJpeg;
      return decoder;
    }
    if (IsGrey(info.compression) && info.bits == 8) {
      decoder.m_kind = Kind::kGrey;
      return decoder;
    }
    if (info.compression == kBiBitfields && (info.bits == 16 || info.bits == 32)) {
      const auto masks = ReadMasks(format, info.bits);
      if (!masks) return std::nullopt;
      decoder.m_masks = *masks;
    } else if (IsRaw(info.compression) && (info.bits == 8 || info.bits == 16 || info.bits == 24 || info.bits == 32)) {
      decoder.m_masks = info.bits == 16 ? kMasks555 : kMasks888;
      if (info.bits == 8) decoder.m_palette = ReadColorTable(format, info.size, info.colours_used);
    } else {
      return std::nullopt;
    }
    decoder.m_format = static_cast<PixelFormat>(info.bits);
    return decoder;
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

std::optional<Bitmap> VideoDecoder::Decode(std::span<const std::uint8_t> data, const std::vector<Rgb>& palette) const {
  switch (m_kind) {
    case Kind::kJpeg:
      return DecodeJpegFrame(data);
    case Kind::kGrey:
      return DecodeGrey(data);
    case Kind::kRgb:
      break;
  }
  return DecodeRgb(data, palette);
}

std::optional<Bitmap> VideoDecoder::DecodeRgb(std::span<const std::uint8_t> data,
                                              const std::vector<Rgb>& palette) const {
  const std::size_t stride = RowStride(static_cast<std::uint64_t>(m_width), m_format);
  const std::size_t size = stride * static_cast<std::size_t>(m_height);
  if (data.size() < size) return std::nullopt;
  Bitmap frame(m_width, m_height, m_format);
  if (m_format == PixelFormat::kBits8) frame.SetPalette(palette);
  if (m_format == PixelFormat::kBits16 || m_format == PixelFormat::kBits32) frame.SetMasks(m_masks);
  if (!m_top_down) {
    // Bottom-up rows are already a bitmap's storage.
    std::memcpy(frame.MutableStorage().data(), data.data(), size);
  } else {
    for (int y = 0; y < m_height; ++y) {
      std::memcpy(frame.Row(y).data(), data.data() + static_cast<std::size_t>(y) * stride, stride);
    }
  }
  return frame;
}

std::optional<Bitmap> VideoDecoder::DecodeGrey(std::span<const std::uint8_t> data) const {
  // Grey frames are packed rows, top row first, like the other YUV formats.
  const std::size_t width = static_cast<std::size_t>(m_width);
  if (data.size() / width < static_cast<std::size_t>(m_height)) return std::nullopt;
  Bitmap frame(m_width, m_height, PixelFormat::kBits8);
  std::vector<Rgb> greys(256);
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    greys[i] = Rgb{level, level, level};
  }
  frame.SetPalette(std::move(greys));
  for (int y = 0; y < m_height; ++y)
    std::memcpy(frame.Row(y).data(), data.data() + static_cast<std::size_t>(y) * width, width);
  return frame;
}

std::optional<Bitmap> VideoDecoder::DecodeJpegFrame(std::span<const std::uint8_t> data) const {
  try {
    Bitmap frame = DecodeJpeg(data);
    if (frame.Empty()) return std::nullopt;
    return frame;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void ApplyPaletteChange(std::vector<Rgb>& palette, std::span<const std::uint8_t> change) {
  if (change.size() < 4) return;
  ByteReader r(change);
  const std::size_t first = r.U8();
  const std::size_t stated = r.U8();
  const std::size_t count = stated == 0 ? 256 : stated;
  r.Skip(2);  // flags
  if (first + count > 256 || r.Remaining() / 4 < count) return;
  if (palette.size() < first + count) palette.resize(first + count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t red = r.U8();
    const std::uint8_t green = r.U8();
    const std::uint8_t blue = r.U8();
    r.Skip(1);
    palette[first + i] = Rgb{red, green, blue};
  }
}

}  // namespace sf
