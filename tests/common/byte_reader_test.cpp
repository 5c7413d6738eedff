#include "common/byte_reader.h"

#include <gtest/gtest.h>

#include "common/format_error.h"

namespace sf {
namespace {

constexpr std::uint8_t kBytes[] = {0x01, 0x02, 0x03, 0x04, 'R', 'I', 'F', 'F', 0xFE, 0xFF, 0xFF, 0xFF};

TEST(ByteReader, ReadsLittleAndBigEndianFields) {
  ByteReader r(kBytes);
  EXPECT_EQ(r.U16(), 0x0201);
  EXPECT_EQ(r.U16BigEndian(), 0x0304);
  EXPECT_EQ(r.FourCC(), "RIFF");
  EXPECT_EQ(r.PeekU8(), 0xFE);
  EXPECT_EQ(r.I32(), -2);
  EXPECT_TRUE(r.AtEnd());
}

TEST(ByteReader, RefusesEveryReadPastTheEnd) {
  ByteReader r(kBytes);
  r.Skip(10);
  EXPECT_THROW(r.U32(), FormatError);
  EXPECT_EQ(r.Position(), 10u) << "a failed read must not move";
  EXPECT_THROW(r.Take(3), FormatError);
  EXPECT_THROW(r.Skip(SIZE_MAX), FormatError);
  EXPECT_THROW(r.Seek(13), FormatError);
  EXPECT_EQ(r.U16(), 0xFFFF);
  EXPECT_THROW(r.U8(), FormatError);
  EXPECT_THROW(r.PeekU8(), FormatError);
}

TEST(ByteReader, SubReaderStopsAtItsOwnEnd) {
  ByteReader r(kBytes);
  r.Skip(4);
  ByteReader chunk = r.Sub(4);
  EXPECT_EQ(r.Position(), 8u);
  EXPECT_EQ(chunk.FourCC(), "RIFF");
  EXPECT_THROW(chunk.U8(), FormatError) << "the bytes after the chunk belong to the outer reader";
  EXPECT_THROW(r.Sub(5), FormatError);
}

}  // namespace
}  // namespace sf
