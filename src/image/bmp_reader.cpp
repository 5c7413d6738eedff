#include "image/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>
#include <vector>

#include "common/byte_reader.h"
#include "common/format_error.h"
#include "image/bmp_rle.h"
#include "image/jpeg_reader.h"
#include "image/picture_limits.h"
#include "image/png_reader.h"

namespace sf {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
// A run-length picture may always decode to this many pixels; beyond it every
// byte of data may stand for at most kRlePixelsPerByte pixels (a run of 255
// identical pixels takes two bytes).
constexpr std::uint64_t kRleFreePixels = std::uint64_t{1} << 24;
constexpr std::uint64_t kRlePixelsPerByte = 256;

enum class Compression { kNone, kRle8, kRle4, kRle24, kBitfields, kJpeg, kPng };

struct DibHeader {
  std::uint32_t size = 0;
  bool os2_v1 = false;  // 16-bit sizes and 3-byte palette entries
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  int bit_count = 0;
  Compression compression = Compression::kNone;
  std::uint32_t image_size = 0;
  std::uint32_t colors_used = 0;
  ChannelMasks masks{};
  bool masks_in_header = false;
  bool alpha_bitfields = false;
};

// OS/2 2.x headers run from 16 to 64 bytes; the sizes that Windows headers use
// in that range (40, 52, 56) are read as Windows headers.
bool IsOs2V2Size(std::uint32_t size) {
  return size >= 16 && size <= 64 && size != 40 && size != 52 && size != 56;
}

bool IsWindowsSize(std::uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

Compression ToCompression(std::uint32_t value, bool os2_v2, DibHeader& header) {
  switch (value) {
    case 0: return Compression::kNone;
    case 1: return Compression::kRle8;
    case 2: return Compression::kRle4;
    case 3:
      if (os2_v2) throw FormatError("BMP Huffman 1D compression is not supported");
      return Compression::kBitfields;
    case 4: return os2_v2 ? Compression::kRle24 : Compression::kJpeg;
    case 5: return Compression::kPng;
    case 6: header.alpha_bitfields = true; return Compression::kBitfields;
    default: throw FormatError("BMP compression " + std::to_string(value) + " is not supported");
  }
}

DibHeader ReadDibHeader(ByteReader& file) {
  if (file.Remaining() < 4) throw FormatError("BMP info header is cut short");
  DibHeader h;
  h.size = file.U32();
  if (h.size != 12 && !IsOs2V2Size(h.size) && !IsWindowsSize(h.size)) {
    throw FormatError("BMP info header size " + std::to_string(h.size) + " is not supported");
  }
  if (file.Remaining() < h.size - 4) throw FormatError("BMP info header is cut short");
  ByteReader r = file.Sub(h.size - 4);
  if (h.size == 12) {
    h.os2_v1 = true;
    h.width = r.U16();
    h.height = r.U16();
    r.Skip(2);  // planes
    h.bit_count = r.U16();
    return h;
  }
  h.width = r.I32();
  h.height = r.I32();
  r.Skip(2);  // planes: real files get it wrong, and nothing depends on it
  h.bit_count = r.U16();
  // Shorter OS/2 2.x headers simply end early; missing fields stay 0.
  const bool os2_v2 = IsOs2V2Size(h.size);
  if (r.Remaining() >= 4) h.compression = ToCompression(r.U32(), os2_v2, h);
  if (r.Remaining() >= 4) h.image_size = r.U32();
  if (r.Remaining() >= 8) r.Skip(8);  // pixels per metre
  if (r.Remaining() >= 4) h.colors_used = r.U32();
  if (!os2_v2 && r.Remaining() >= 16) {
    r.Skip(4);  // colours important
    h.masks = ChannelMasks{r.U32(), r.U32(), r.U32(), 0};
    if (r.Remaining() >= 4) h.masks.alpha = r.U32();
    h.masks_in_header = true;
  }
  return h;
}

void CheckHeader(const DibHeader& h) {
  if (h.width < 0) throw FormatError("BMP width is negative");
  if (h.width > INT32_MAX || h.height > INT32_MAX || -h.height > INT32_MAX) {
    throw FormatError("BMP picture is too large");
  }
  CheckPictureSize("BMP", static_cast<std::uint64_t>(h.width), static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height));
  const int b = h.bit_count;
  bool matches = false;
  switch (h.compression) {
    case Compression::kNone: matches = b == 1 || b == 2 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32; break;
    case Compression::kRle8: matches = b == 8; break;
    case Compression::kRle4: matches = b == 4; break;
    case Compression::kRle24: matches = b == 24; break;
    case Compression::kBitfields: matches = b == 16 || b == 32; break;
    case Compression::kJpeg:
    case Compression::kPng: matches = true; break;
  }
  if (!matches) throw FormatError("BMP pixel depth of " + std::to_string(b) + " bits is not supported");
}

bool IsContiguous(std::uint32_t mask) {
  const std::uint32_t shifted = mask >> std::countr_zero(mask);
  return (shifted & (shifted + 1)) == 0;
}

void CheckMasks(const ChannelMasks& masks, int bit_count) {
  const std::uint32_t pixel_bits = bit_count == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  std::uint32_t seen = 0;
  for (const std::uint32_t mask : {masks.red, masks.green, masks.blue, masks.alpha}) {
    if ((mask & ~pixel_bits) != 0) throw FormatError("BMP colour masks do not fit the pixel size");
    if (mask != 0 && !IsContiguous(mask)) throw FormatError("BMP colour mask is not contiguous");
    if ((seen & mask) != 0) throw FormatError("BMP colour masks overlap");
    seen |= mask;
  }
}

// The masks of a BITFIELDS picture: in the header from 52 bytes on, else right
// after it (three, or four with ALPHABITFIELDS).
ChannelMasks ReadMasks(ByteReader& file, const DibHeader& h) {
  if (h.masks_in_header) return h.masks;
  const std::size_t count = h.alpha_bitfields ? 4 : 3;
  if (file.Remaining() < 4 * count) throw FormatError("BMP colour masks are cut short");
  ChannelMasks masks{file.U32(), file.U32(), file.U32(), 0};
  if (h.alpha_bitfields) masks.alpha = file.U32();
  return masks;
}

std::size_t PaletteCount(const DibHeader& h) {
  const bool indexed = h.compression == Compression::kNone || h.compression == Compression::kRle8 ||
                       h.compression == Compression::kRle4;
  if (!indexed || h.bit_count > 8) return 0;
  const std::size_t full = std::size_t{1} << h.bit_count;
  if (h.os2_v1 || h.colors_used == 0) return full;
  return std::min<std::size_t>(h.colors_used, full);
}

// Reads the palette at the reader's position and returns where the pixels
// start: at the declared offset when it lies past the palette, else right after
// it. A declared offset inside the palette's full size shortens the palette
// (OS/2 writers store only the entries they use).
std::size_t ReadPalette(ByteReader& file, const DibHeader& h, std::optional<std::size_t> declared_offset,
                        std::vector<Rgb>& palette) {
  std::size_t count = PaletteCount(h);
  const std::size_t entry_size = h.os2_v1 ? 3 : 4;
  const std::size_t start = file.Position();
  if (declared_offset && *declared_offset >= start) count = std::min(count, (*declared_offset - start) / entry_size);
  if (count > file.Remaining() / entry_size) throw FormatError("BMP palette is cut short");
  palette.resize(count);
  for (Rgb& c : palette) {
    c.b = file.U8();
    c.g = file.U8();
    c.r = file.U8();
    if (entry_size == 4) file.Skip(1);
  }
  const std::size_t end = file.Position();
  return declared_offset && *declared_offset >= end ? *declared_offset : end;
}

PixelFormat FormatFor(int bit_count) {
  return bit_count == 2 ? PixelFormat::kBits4 : static_cast<PixelFormat>(bit_count);
}

Bitmap DecodeUncompressed(std::span<const std::uint8_t> data, const DibHeader& h, int width, int height) {
  const std::uint64_t row_bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(h.bit_count);
  const std::uint64_t stride = ((row_bits + 31) / 32) * 4;
  // Writers often leave out the padding of the last row; its pixels must be there.
  // Divided rather than multiplied, so that no product can overflow.
  const std::uint64_t last_row = (row_bits + 7) / 8;
  if (height > 0 && (last_row > data.size() || (height > 1 && stride > (data.size() - last_row) / (height - 1)))) {
    throw FormatError("BMP pixel data is cut short");
  }

  Bitmap picture(width, height, FormatFor(h.bit_count));
  // A picture 0 pixels wide has no bytes in any of its rows, however many it claims.
  if (stride == 0) return picture;
  const bool top_down = h.height < 0;
  for (int i = 0; i < height; ++i) {
    const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(stride);
    const auto src = data.subspan(at, std::min<std::size_t>(stride, data.size() - at));
    const int y = top_down ? i : height - 1 - i;
    if (h.bit_count == 2) {
      for (int x = 0; x < width; ++x) {
        picture.SetPixelIndex(x, y, static_cast<std::uint8_t>((src[x / 4] >> (6 - 2 * (x % 4))) & 3));
      }
    } else {
      std::copy_n(src.begin(), std::min(src.size(), picture.Stride()), picture.Row(y).begin());
    }
  }
  return picture;
}

Bitmap DecodeRle(std::span<const std::uint8_t> data, const DibHeader& h, int width, int height) {
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (pixels > kRleFreePixels && pixels / kRlePixelsPerByte > data.size()) {
    throw FormatError("BMP compressed picture is too large for its data");
  }
  Bitmap picture(width, height, FormatFor(h.bit_count));
  // Pixels that the codes skip keep palette index 0 (black for 24 bits).
  std::fill(picture.MutableStorage().begin(), picture.MutableStorage().end(), std::uint8_t{0});
  DecodeBmpRle(data, h.bit_count, h.height < 0, picture);
  return picture;
}

struct DibResult {
  Bitmap picture;
  std::size_t pixels_end = 0;
};

DibResult ReadDibAt(std::span<const std::uint8_t> bytes, std::size_t header_pos,
                    std::optional<std::size_t> declared_offset, bool icon) {
  ByteReader file(bytes);
  file.Seek(header_pos);
  DibHeader h = ReadDibHeader(file);
  if (icon) h.height /= 2;  // colour rows, then as many mask rows
  CheckHeader(h);
  if (h.compression == Compression::kBitfields) {
    h.masks = ReadMasks(file, h);
    CheckMasks(h.masks, h.bit_count);
  }
  std::vector<Rgb> palette;
  const std::size_t offset = ReadPalette(file, h, declared_offset, palette);
  if (offset > bytes.size()) throw FormatError("BMP data offset is beyond the end of the file");
  const auto data = bytes.subspan(offset);

  if (h.compression == Compression::kJpeg || h.compression == Compression::kPng) {
    const auto stream = h.image_size > 0 && h.image_size <= data.size() ? data.first(h.image_size) : data;
    return {h.compression == Compression::kJpeg ? DecodeJpeg(stream) : DecodePng(stream), bytes.size()};
  }
  const int width = static_cast<int>(h.width);
  const int height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  const bool run_length = h.compression == Compression::kRle8 || h.compression == Compression::kRle4 ||
                          h.compression == Compression::kRle24;
  DibResult result;
  result.picture = run_length ? DecodeRle(data, h, width, height) : DecodeUncompressed(data, h, width, height);
  if (result.picture.IsPaletted()) result.picture.SetPalette(std::move(palette));
  if (h.compression == Compression::kBitfields) result.picture.SetMasks(h.masks);
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * h.bit_count + 31) / 32) * 4;
  result.pixels_end = run_length ? bytes.size()
                                 : std::min<std::uint64_t>(bytes.size(), offset + stride * static_cast<std::uint64_t>(height));
  return result;
}

}  // namespace

Bitmap ReadBmp(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 'B' || (bytes[1] != 'M' && bytes[1] != 'A')) {
    throw FormatError("Not a BMP file");
  }
  // An OS/2 bitmap array: its first element's file header follows the 14-byte
  // array header, and offsets count from the start of the whole file.
  const std::size_t start = bytes[1] == 'A' ? kFileHeaderSize : 0;
  if (bytes.size() < start + 2 || bytes[start] != 'B' || bytes[start + 1] != 'M') {
    throw FormatError("BMP bitmap array does not begin with a plain bitmap");
  }
  if (bytes.size() < start + kFileHeaderSize) throw FormatError("BMP file header is cut short");
  ByteReader header(bytes);
  header.Seek(start + 10);
  const std::size_t pixel_offset = header.U32();  // bfOffBits
  return ReadDibAt(bytes, start + kFileHeaderSize, pixel_offset, false).picture;
}

IconDib ReadIconDib(std::span<const std::uint8_t> dib) {
  DibResult result = ReadDibAt(dib, 0, std::nullopt, true);
  return {std::move(result.picture), dib.subspan(result.pixels_end)};
}

}  // namespace sf
