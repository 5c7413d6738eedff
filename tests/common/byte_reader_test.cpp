#include "common/byte_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/format_error.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

auto EndOfData() { return ThrowsMessage<FormatError>(StrEq("Unexpected end of data")); }

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
  EXPECT_THAT([&] { (void)(r.U32()); }, EndOfData());
  EXPECT_EQ(r.Position(), 10u) << "a failed read must not move";
  EXPECT_THAT([&] { (void)(r.Take(3)); }, EndOfData());
  EXPECT_THAT([&] { (void)(r.Skip(SIZE_MAX)); }, EndOfData());
  EXPECT_THAT([&] { (void)(r.Seek(13)); }, EndOfData());
  EXPECT_EQ(r.U16(), 0xFFFF);
  EXPECT_THAT([&] { (void)(r.U8()); }, EndOfData());
  EXPECT_THAT([&] { (void)(r.PeekU8()); }, EndOfData());
}

TEST(ByteReader, SubReaderStopsAtItsOwnEnd) {
  ByteReader r(kBytes);
  r.Skip(4);
  ByteReader chunk = r.Sub(4);
  EXPECT_EQ(r.Position(), 8u);
  EXPECT_EQ(chunk.FourCC(), "RIFF");
  EXPECT_THAT([&] { (void)(chunk.U8()); }, EndOfData())
      << "the bytes after the chunk belong to the outer reader";
  EXPECT_THAT([&] { (void)(r.Sub(5)); }, EndOfData());
}

}  // namespace
}  // namespace sf
