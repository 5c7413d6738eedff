#include "image/ico_reader.h"

#include <optional>
#include <vector>

#include "common/byte_reader.h"
#include "common/format_error.h"
#include "image/bmp_reader.h"
#include "image/png_reader.h"

namespace sf {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr Rgb kWhite{255, 255, 255};

struct IconEntry {
  std::span<const std::uint8_t> data;
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  int depth = 0;
  bool png = false;
};

// The entry's real size and depth from its own header; the directory's bytes
// are often wrong (a doubled height, a size field that does not match).
std::optional<IconEntry> InspectEntry(std::span<const std::uint8_t> data) {
  IconEntry entry;
  entry.data = data;
  try {
    ByteReader r(data);
    if (HasPngSignature(data)) {
      entry.png = true;
      r.Skip(16);  // signature, IHDR length and type
      entry.width = r.U32BigEndian();
      entry.height = r.U32BigEndian();
      const int bit_depth = r.U8();
      const int color_type = r.U8();
      const int channels = color_type == 2 ? 3 : color_type == 4 ? 2 : color_type == 6 ? 4 : 1;
      entry.depth = bit_depth * channels;
      return entry;
    }
    const std::uint32_t header_size = r.U32();
    if (header_size < 16) return std::nullopt;
    const std::int32_t width = r.I32();
    const std::int32_t height = r.I32();
    r.Skip(2);  // planes
    entry.depth = r.U16();
    if (width <= 0 || height <= 0) return std::nullopt;
    entry.width = static_cast<std::uint64_t>(width);
    entry.height = static_cast<std::uint64_t>(height) / 2;  // colour rows and mask rows
    return entry;
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

std::vector<IconEntry> ReadDirectory(std::span<const std::uint8_t> bytes) {
  ByteReader r(bytes);
  if (bytes.size() < kDirectoryHeaderSize) throw FormatError("Icon file header is cut short");
  const std::uint16_t reserved = r.U16();
  const std::uint16_t type = r.U16();
  const std::uint16_t count = r.U16();
  if (reserved != 0 || (type != 1 && type != 2)) throw FormatError("Not an icon file");
  if (count == 0) throw FormatError("Icon file holds no pictures");
  if (count > r.Remaining() / kDirectoryEntrySize) throw FormatError("Icon directory is cut short");

  std::vector<IconEntry> entries;
  for (std::uint16_t i = 0; i < count; ++i) {
    r.Skip(8);  // width, height, colours, reserved, planes, bit count: the entry's header says better
    r.Skip(4);  // size: entries often run past it, so the data runs to the end of the file
    const std::uint32_t offset = r.U32();
    if (offset < kDirectoryHeaderSize + kDirectoryEntrySize * count || offset >= bytes.size()) continue;
    if (auto entry = InspectEntry(bytes.subspan(offset))) entries.push_back(*entry);
  }
  if (entries.empty()) throw FormatError("Icon file holds no readable pictures");
  return entries;
}

const IconEntry& BestEntry(const std::vector<IconEntry>& entries) {
  const IconEntry* best = &entries.front();
  for (const IconEntry& entry : entries) {
    const std::uint64_t area = entry.width * entry.height;
    const std::uint64_t best_area = best->width * best->height;
    if (area > best_area || (area == best_area && entry.depth > best->depth)) best = &entry;
  }
  return *best;
}

// 32-bit entries carry alpha; older ones leave it all zero and rely on the mask.
bool CompositeAlpha(const Bitmap& colours, Bitmap& out) {
  if (colours.Format() != PixelFormat::kBits32 || colours.Masks() != kMasks888) return false;
  bool any = false;
  for (int y = 0; y < colours.Height() && !any; ++y) {
    const auto row = colours.Row(y);
    for (int x = 0; x < colours.Width() && !any; ++x) any = row[4 * x + 3] != 0;
  }
  if (!any) return false;
  for (int y = 0; y < colours.Height(); ++y) {
    const auto in = colours.Row(y);
    auto pixels = out.Row(y);
    for (int x = 0; x < colours.Width(); ++x) {
      const unsigned alpha = in[4 * x + 3];
      for (int c = 0; c < 3; ++c) {
        pixels[3 * x + c] = static_cast<std::uint8_t>((in[4 * x + c] * alpha + 255 * (255 - alpha) + 127) / 255);
      }
    }
  }
  return true;
}

// The AND mask: one bit per pixel, bottom row first, set where the icon is
// transparent. A missing mask leaves the icon opaque.
void ApplyMask(std::span<const std::uint8_t> mask, Bitmap& out) {
  const std::size_t stride = ((static_cast<std::size_t>(out.Width()) + 31) / 32) * 4;
  if (mask.size() / stride < static_cast<std::size_t>(out.Height())) return;
  for (int i = 0; i < out.Height(); ++i) {
    const auto bits = mask.subspan(static_cast<std::size_t>(i) * stride, stride);
    const int y = out.Height() - 1 - i;
    for (int x = 0; x < out.Width(); ++x) {
      if ((bits[x >> 3] >> (7 - (x & 7))) & 1) out.SetPixelColor(x, y, kWhite);
    }
  }
}

Bitmap DecodeBmpEntry(std::span<const std::uint8_t> data) {
  IconDib dib = ReadIconDib(data);
  Bitmap out(dib.picture.Width(), dib.picture.Height());
  if (out.Empty()) return out;
  out.Draw(dib.picture, 0, 0);
  if (!CompositeAlpha(dib.picture, out)) ApplyMask(dib.after_pixels, out);
  return out;
}

}  // namespace

Bitmap ReadIco(std::span<const std::uint8_t> bytes) {
  const std::vector<IconEntry> entries = ReadDirectory(bytes);
  const IconEntry& best = BestEntry(entries);
  return best.png ? DecodePng(best.data) : DecodeBmpEntry(best.data);
}

}  // namespace sf
