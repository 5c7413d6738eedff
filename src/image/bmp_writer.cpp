#include "image/bmp_writer.h"

#include <stdexcept>
#include <string_view>

#include "common/file_util.h"

namespace sf {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
  void U8(std::uint32_t v) { m_out.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }

 private:
  std::vector<std::uint8_t>& m_out;
};

// The palette as written: an empty one would read back as a full default
// palette (biClrUsed 0), so it becomes a single black entry.
std::vector<Rgb> WrittenPalette(const Bitmap& bitmap) {
  if (!bitmap.IsPaletted()) return {};
  if (bitmap.Palette().empty()) return {Rgb{}};
  return bitmap.Palette();
}

void WriteHeaders(ByteWriter& out, const Bitmap& bitmap, std::size_t palette_size) {
  const std::uint64_t palette_bytes = 4 * static_cast<std::uint64_t>(palette_size);
  const std::uint64_t offset = kFileHeaderSize + kInfoHeaderSize + palette_bytes;
  const std::uint64_t file_size = offset + bitmap.ImageSize();
  if (file_size > 0xFFFFFFFFu) throw std::runtime_error("The picture is too large for a BMP file.");

  out.U8('B');
  out.U8('M');
  out.U32(static_cast<std::uint32_t>(file_size));    // bfSize
  out.U16(0);                                        // bfReserved1
  out.U16(0);                                        // bfReserved2
  out.U32(static_cast<std::uint32_t>(offset));       // bfOffBits

  out.U32(kInfoHeaderSize);                          // biSize
  out.U32(static_cast<std::uint32_t>(bitmap.Width()));   // biWidth
  out.U32(static_cast<std::uint32_t>(bitmap.Height()));  // biHeight: positive, bottom row first
  out.U16(1);                                        // biPlanes
  out.U16(static_cast<std::uint32_t>(bitmap.BitsPerPixel()));  // biBitCount
  out.U32(0);                                        // biCompression: BI_RGB
  out.U32(static_cast<std::uint32_t>(bitmap.ImageSize()));     // biSizeImage
  out.U32(0);                                        // biXPelsPerMeter
  out.U32(0);                                        // biYPelsPerMeter
  out.U32(static_cast<std::uint32_t>(palette_size)); // biClrUsed
  out.U32(0);                                        // biClrImportant: all
}

std::vector<std::uint8_t> EncodeStored(const Bitmap& bitmap) {
  const std::vector<Rgb> palette = WrittenPalette(bitmap);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kFileHeaderSize + kInfoHeaderSize + 4 * palette.size() + bitmap.ImageSize());
  ByteWriter out(bytes);
  WriteHeaders(out, bitmap, palette.size());
  for (const Rgb& c : palette) {
    out.U8(c.b);
    out.U8(c.g);
    out.U8(c.r);
    out.U8(0);
  }
  const auto body = bitmap.Storage();
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap) {
  if (bitmap.Format() == PixelFormat::kBits16 || bitmap.Format() == PixelFormat::kBits32) {
    Bitmap converted = bitmap;
    converted.SetPixelFormat(PixelFormat::kBits24);
    return EncodeStored(converted);
  }
  return EncodeStored(bitmap);
}

void WriteBmpFile(const Bitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap);
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace sf
