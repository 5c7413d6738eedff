#include "image/exif_orientation.h"

#include <algorithm>
#include <optional>

#include "common/byte_reader.h"
#include "common/format_error.h"

namespace sf {

namespace {

constexpr std::uint8_t kMarkerStart = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntrySize = 12;

// The TIFF block's numbers in the byte order its header names.
class TiffReader {
 public:
  explicit TiffReader(std::span<const std::uint8_t> tiff) : m_in(tiff) {
    const std::uint16_t order = m_in.U16();
    if (order != 0x4949 && order != 0x4D4D) throw FormatError("TIFF byte order");  // "II" or "MM"
    m_big_endian = order == 0x4D4D;
    if (U16() != 42) throw FormatError("TIFF magic number");
  }

  std::uint16_t U16() { return m_big_endian ? m_in.U16BigEndian() : m_in.U16(); }
  std::uint32_t U32() { return m_big_endian ? m_in.U32BigEndian() : m_in.U32(); }
  // Offsets count from the start of the TIFF header; Seek refuses one past the end.
  void Seek(std::uint32_t offset) { m_in.Seek(offset); }
  void Skip(std::size_t n) { m_in.Skip(n); }
  std::size_t Remaining() const { return m_in.Remaining(); }

 private:
  ByteReader m_in;
  bool m_big_endian = false;
};

// The tag's value in the first image directory; the directory's link to the
// next one is never followed, so a directory chain that loops costs nothing.
std::optional<std::uint16_t> ReadOrientationTag(std::span<const std::uint8_t> tiff) {
  TiffReader in(tiff);
  in.Seek(in.U32());
  const std::uint16_t count = in.U16();
  if (count > in.Remaining() / kEntrySize) throw FormatError("IFD0 entry count");
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t tag = in.U16();
    const std::uint16_t type = in.U16();
    const std::uint32_t values = in.U32();
    if (tag != kOrientationTag) {
      in.Skip(4);
      continue;
    }
    // A single SHORT sits in the first two bytes of the value field.
    if (type != kShortType || values != 1) return std::nullopt;
    return in.U16();
  }
  return std::nullopt;
}

// The body of the first APP1 segment that holds Exif data, before the first scan.
std::optional<std::span<const std::uint8_t>> FindExifBlock(std::span<const std::uint8_t> jpeg) {
  ByteReader in(jpeg);
  if (in.U8() != kMarkerStart || in.U8() != kStartOfImage) return std::nullopt;
  // Every turn reads at least one byte, so the walk ends with the data.
  while (!in.AtEnd()) {
    // Stray bytes between segments are skipped up to the next marker, as
    // libjpeg does (some editors leave a few).
    if (in.U8() != kMarkerStart) continue;
    const std::uint8_t marker = in.U8();
    if (marker == kMarkerStart) {
      // Fill bytes before a marker: the second FF starts it again.
      in.Seek(in.Position() - 1);
      continue;
    }
    if (marker == kStartOfScan || marker == kEndOfImage) return std::nullopt;
    // Markers without a length: TEM and the restart markers.
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    const std::uint16_t length = in.U16BigEndian();
    if (length < 2) return std::nullopt;
    ByteReader segment = in.Sub(length - 2u);
    if (marker != kApp1 || segment.Remaining() < sizeof kExifSignature) continue;
    const auto signature = segment.Take(sizeof kExifSignature);
    if (std::equal(signature.begin(), signature.end(), std::begin(kExifSignature))) return segment.Rest();
  }
  return std::nullopt;
}

}  // namespace

ExifOrientation ReadExifOrientation(std::span<const std::uint8_t> jpeg) {
  try {
    const auto block = FindExifBlock(jpeg);
    if (!block) return ExifOrientation::kUpright;
    const auto value = ReadOrientationTag(*block);
    if (!value || *value < 1 || *value > 8) return ExifOrientation::kUpright;
    return static_cast<ExifOrientation>(*value);
  } catch (const FormatError&) {
    // A damaged block is treated as no block: the photo shows as stored.
    return ExifOrientation::kUpright;
  }
}

}  // namespace sf
