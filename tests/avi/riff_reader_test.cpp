// Chunk sizes that lie stop at their parent's end. (Writing is checked by
// ffmpeg reading the files the AVI writer makes, odd Motion JPEG chunks and all.)
#include "avi/riff_reader.h"

#include <gtest/gtest.h>

namespace sf {
namespace {

TEST(RiffReader, ClampsSizesThatRunPastTheirParent) {
  const std::vector<std::uint8_t> bytes = {
      'L', 'I', 'S', 'T', 40,   0,    0,    0,    'o', 'u', 't', 'r',  // a list of 24 bytes claiming 40
      'o', 'd', 'd', ' ', 1,    0,    0,    0,    7,   0,              // one byte and its pad
      'b', 'i', 'g', ' ', 0xFF, 0xFF, 0xFF, 0x7F, 9,   9,              // a chunk claiming 2 GiB
  };
  const auto list = ChunkAt(bytes, 0);
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->truncated);
  EXPECT_EQ(list->list_type, "outr");
  RiffWalker inside(list->body, list->body_offset);
  const auto odd = inside.Next();
  EXPECT_EQ(odd->body_offset, 20u);
  EXPECT_EQ(odd->body.size(), 1u);
  const auto big = inside.Next();
  ASSERT_TRUE(big) << "the pad byte is skipped";
  EXPECT_EQ(big->id, "big ");
  EXPECT_TRUE(big->truncated);
  EXPECT_EQ(big->body.size(), 2u);
  EXPECT_FALSE(inside.Next());
  EXPECT_FALSE(ChunkAt(bytes, 26)) << "no whole header left";
  EXPECT_FALSE(ChunkAt(bytes, 0xFFFFFFFFFFFFFFF0u));
}

}  // namespace
}  // namespace sf
