#include "image/exif_orientation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "image/jpeg_writer.h"
#include "support/exif_jpeg.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::ByteOrder;
using Bytes = std::vector<std::uint8_t>;

// Where the fields of ExifOrientationBlock's body sit (the TIFF header at 6).
constexpr std::size_t kIfdOffsetAt = 10;
constexpr std::size_t kEntryCountAt = 14;
constexpr std::size_t kOrientationTypeAt = 30;
constexpr std::size_t kOrientationValueAt = 36;
constexpr std::size_t kNextIfdAt = 40;

const Bytes& SmallJpeg() {
  static const Bytes jpeg = EncodeJpeg(test::MakeGradient(8, 8), 90);
  return jpeg;
}

void PutU16(Bytes& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, value & 0xFFFF);
  PutU16(bytes, at + 2, value >> 16);
}

// A little-endian block for orientation 6, changed by the row.
Bytes Block(const std::function<void(Bytes&)>& change) {
  Bytes block = test::ExifOrientationBlock(6, ByteOrder::kIntel);
  change(block);
  return block;
}

int Read(const Bytes& jpeg) { return static_cast<int>(ReadExifOrientation(jpeg)); }

TEST(ExifOrientation, ReadsEveryValueInBothByteOrders) {
  for (const ByteOrder order : {ByteOrder::kIntel, ByteOrder::kMotorola}) {
    for (int value = 1; value <= 8; ++value) {
      SCOPED_TRACE((order == ByteOrder::kIntel ? "II " : "MM ") + std::to_string(value));
      EXPECT_EQ(Read(test::WithExifOrientation(SmallJpeg(), value, order)), value);
    }
  }
  EXPECT_EQ(Read(SmallJpeg()), 1) << "a JPEG without EXIF";
}

TEST(ExifOrientation, FindsTheExifSegmentAmongOthers) {
  // An XMP packet is also APP1; the EXIF block after it still counts.
  const std::string xmp = "http://ns.adobe.com/xap/1.0/";
  const Bytes with_exif = test::WithExifOrientation(SmallJpeg(), 8, ByteOrder::kMotorola);
  EXPECT_EQ(Read(test::WithApp1(with_exif, Bytes(xmp.begin(), xmp.end()))), 8);

  // Fill bytes before the marker are allowed.
  Bytes filled = with_exif;
  filled.insert(filled.begin() + 2, {0xFF, 0xFF});
  EXPECT_EQ(Read(filled), 8);
  // So are stray bytes between segments, which libjpeg skips too.
  Bytes stray = with_exif;
  stray.insert(stray.begin() + 2, {0x00, 0x12, 0xE1});
  EXPECT_EQ(Read(stray), 8);

  // Only the segments before the image data are looked at: an APP1 block
  // standing in the data after the end-of-image marker is not read.
  Bytes trailing = SmallJpeg();
  const Bytes late = test::WithExifOrientation({0xFF, 0xD8}, 6, ByteOrder::kIntel);
  trailing.insert(trailing.end(), late.begin() + 2, late.end());
  EXPECT_EQ(Read(trailing), 1);
}

TEST(ExifOrientation, DamagedBlocksGiveNoOrientation) {
  struct Row {
    const char* name;
    Bytes jpeg;
  };
  const auto in_jpeg = [](const Bytes& block) { return test::WithApp1(SmallJpeg(), block); };
  const Bytes whole = test::WithExifOrientation(SmallJpeg(), 6, ByteOrder::kIntel);
  Bytes long_segment = whole;
  long_segment[4] = 0xFF;   // an APP1 length past the end of a small file
  long_segment[5] = 0xF0;
  long_segment.resize(200);
  Bytes short_segment = whole;
  short_segment[4] = 0;
  short_segment[5] = 1;     // a length that does not even cover itself

  const Row rows[] = {
      {"value 0", in_jpeg(Block([](Bytes& b) { PutU16(b, kOrientationValueAt, 0); }))},
      {"value 9", in_jpeg(Block([](Bytes& b) { PutU16(b, kOrientationValueAt, 9); }))},
      {"value 65535", in_jpeg(Block([](Bytes& b) { PutU16(b, kOrientationValueAt, 0xFFFF); }))},
      {"type LONG", in_jpeg(Block([](Bytes& b) { PutU16(b, kOrientationTypeAt, 4); }))},
      {"IFD0 past the end", in_jpeg(Block([](Bytes& b) { PutU32(b, kIfdOffsetAt, 0xFFFFFFF0u); }))},
      {"IFD0 at the last byte",
       in_jpeg(Block([](Bytes& b) { PutU32(b, kIfdOffsetAt, static_cast<std::uint32_t>(b.size() - 7)); }))},
      {"huge entry count", in_jpeg(Block([](Bytes& b) { PutU16(b, kEntryCountAt, 0xFFFF); }))},
      {"count one past the entries", in_jpeg(Block([](Bytes& b) { PutU16(b, kEntryCountAt, 4); }))},
      {"bad TIFF magic", in_jpeg(Block([](Bytes& b) { PutU16(b, 8, 43); }))},
      {"bad byte order", in_jpeg(Block([](Bytes& b) { b[6] = 'X'; }))},
      {"cut inside the entry", in_jpeg(Block([](Bytes& b) { b.resize(kOrientationValueAt); }))},
      {"signature only", in_jpeg(Bytes{'E', 'x', 'i', 'f', 0, 0})},
      {"no signature", in_jpeg(Block([](Bytes& b) { b[0] = 'e'; }))},
      {"empty APP1", in_jpeg(Bytes{})},
      {"segment past the end", long_segment},
      {"segment length 1", short_segment},
      {"start marker only", Bytes{0xFF, 0xD8}},
      {"nothing", Bytes{}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Read(row.jpeg), 1);
  }
}

TEST(ExifOrientation, DirectoryLinksAreNeverFollowed) {
  // IFD0 linking to itself: the tag in it is read once and the walk stops.
  EXPECT_EQ(Read(test::WithApp1(SmallJpeg(), Block([](Bytes& b) { PutU32(b, kNextIfdAt, 8); }))), 6);
  // A chain IFD0 -> IFD0 without the tag gives no orientation rather than a hang.
  EXPECT_EQ(Read(test::WithApp1(SmallJpeg(), Block([](Bytes& b) {
              PutU16(b, 28, 0x0113);   // the orientation entry becomes another tag
              PutU32(b, kNextIfdAt, 8);
            }))),
            1);
}

}  // namespace
}  // namespace sf
