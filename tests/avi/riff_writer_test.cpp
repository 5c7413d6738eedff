// The chunk layer both ways: sizes patched and odd bodies padded on writing,
// sizes that lie clamped to their parent on reading.
#include "avi/riff_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "avi/riff_reader.h"
#include "common/file_util.h"
#include "support/corpus.h"

namespace sf {
namespace {

TEST(RiffWriter, PatchesSizesAndPadsOddBodies) {
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/chunks.riff";
  {
    RiffWriter riff(path);
    const auto form = riff.BeginList("TEST", "RIFF");
    const auto odd = riff.BeginChunk("odd ");
    riff.Bytes(std::vector<std::uint8_t>{1, 2, 3});
    riff.EndChunk(odd);
    const auto list = riff.BeginList("kids");
    const auto even = riff.BeginChunk("even");
    riff.U16(0xBEEF);
    riff.PatchU32(0, 0x46464952);  // rewriting "RIFF" in place keeps the write position
    riff.EndChunk(even);
    riff.EndChunk(list);
    riff.EndChunk(form);
    riff.Close();
  }
  const auto bytes = ReadWholeFile(path);
  const std::vector<std::uint8_t> expected = {
      'R', 'I', 'F', 'F', 38, 0, 0, 0, 'T', 'E', 'S', 'T',
      'o', 'd', 'd', ' ', 3, 0, 0, 0, 1, 2, 3, 0,                 // odd body, one pad byte
      'L', 'I', 'S', 'T', 14, 0, 0, 0, 'k', 'i', 'd', 's',
      'e', 'v', 'e', 'n', 2, 0, 0, 0, 0xEF, 0xBE,
  };
  EXPECT_EQ(bytes, expected);

  RiffWalker top(bytes);
  const auto form = top.Next();
  ASSERT_TRUE(form);
  EXPECT_EQ(form->list_type, "TEST");
  EXPECT_FALSE(top.Next());
  RiffWalker inside(form->body, form->body_offset);
  const auto odd = inside.Next();
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->id, "odd ");
  EXPECT_EQ(odd->body.size(), 3u);
  EXPECT_EQ(odd->body_offset, 20u);
  const auto list = inside.Next();
  ASSERT_TRUE(list);
  EXPECT_EQ(list->list_type, "kids") << "the pad byte is skipped";
  EXPECT_EQ(list->body_offset, 36u);
  EXPECT_FALSE(inside.Next());
  std::filesystem::remove_all(dir);

  EXPECT_THROW(RiffWriter(dir + "/gone/x.riff"), std::runtime_error);
}

TEST(RiffReader, ClampsSizesThatRunPastTheirParent) {
  const std::vector<std::uint8_t> bytes = {
      'L', 'I', 'S', 'T', 20, 0, 0, 0, 'o', 'u', 't', 'r',       // a list of 12 bytes claiming 20
      'b', 'i', 'g', ' ', 0xFF, 0xFF, 0xFF, 0x7F, 9, 9,          // a chunk claiming 2 GiB
  };
  RiffWalker top(bytes);
  const auto list = top.Next();
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->truncated);
  EXPECT_EQ(list->body.size(), 10u);
  RiffWalker inside(list->body, list->body_offset);
  const auto big = inside.Next();
  ASSERT_TRUE(big);
  EXPECT_TRUE(big->truncated);
  EXPECT_EQ(big->declared_size, 0x7FFFFFFFu);
  EXPECT_EQ(big->body.size(), 2u);
  EXPECT_FALSE(inside.Next());

  EXPECT_TRUE(ChunkAt(bytes, 12));
  EXPECT_FALSE(ChunkAt(bytes, 16)) << "no whole header left";
  EXPECT_FALSE(ChunkAt(bytes, 0xFFFFFFFFFFFFFFF0u));
}

}  // namespace
}  // namespace sf
