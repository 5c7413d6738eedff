#include "image/bmp_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/file_util.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/reference_decoder.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(BmpWriter, PalettedAndTrueColourPicturesRoundTrip) {
  // Odd widths exercise the row padding of every depth.
  for (const PixelFormat format : {PixelFormat::kBits1, PixelFormat::kBits4, PixelFormat::kBits8, PixelFormat::kBits24}) {
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{13, 7}, std::pair{47, 33}}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(format)) + " bits, " + std::to_string(width) + "x" +
                   std::to_string(height));
      const Bitmap original = test::MakeGradient(width, height, format);
      const std::vector<std::uint8_t> bytes = EncodeBmp(original);
      const Bitmap read = ReadBmp(bytes);
      EXPECT_EQ(read.Format(), format);
      EXPECT_EQ(read.Palette(), original.Palette());
      EXPECT_EQ(test::FirstDifference(read, original), "");
      EXPECT_EQ(Field32(bytes, 2), bytes.size()) << "bfSize";
      EXPECT_EQ(Field32(bytes, 14), 40u) << "biSize";
      EXPECT_EQ(Field32(bytes, 46), original.Palette().size()) << "biClrUsed";
    }
  }
}

TEST(BmpWriter, KeepsAShortPaletteAndWritesDeepPicturesAs24Bit) {
  Bitmap few(3, 2, PixelFormat::kBits8);
  few.SetPalette({{10, 20, 30}, {200, 100, 0}, {0, 0, 0}});
  few.SetPixelIndex(2, 1, 1);
  const std::vector<std::uint8_t> bytes = EncodeBmp(few);
  EXPECT_EQ(Field32(bytes, 10), 14u + 40u + 3u * 4u) << "pixels right after a three-entry palette";
  EXPECT_EQ(ReadBmp(bytes).PixelColor(2, 1), (Rgb{200, 100, 0}));

  for (const PixelFormat deep : {PixelFormat::kBits16, PixelFormat::kBits32}) {
    const Bitmap original = test::MakeGradient(9, 5, deep);
    const Bitmap read = ReadBmp(EncodeBmp(original));
    EXPECT_EQ(read.Format(), PixelFormat::kBits24);
    EXPECT_EQ(test::FirstDifference(read, original), "");
  }
}

TEST(BmpWriter, ImageMagickReadsTheFilesTheSame) {
  const std::string folder = test::MakeTempDir();
  for (const PixelFormat format : {PixelFormat::kBits4, PixelFormat::kBits8, PixelFormat::kBits24}) {
    const Bitmap original = test::MakeGradient(23, 11, format);
    const std::string path = folder + "/picture" + std::to_string(static_cast<int>(format)) + ".bmp";
    WriteBmpFile(original, path);
    const auto reference = test::ReferenceRgb(path);
    if (!reference) GTEST_SKIP() << "no ImageMagick";
    EXPECT_EQ(test::CompareWithReference(original, *reference, 0), "") << path;
  }
}

TEST(BmpWriter, ReportsAFileThatCannotBeWritten) {
  EXPECT_THAT([&] { (void)(WriteBmpFile(Bitmap(2, 2), "/nonexistent-folder/out.bmp")); },
              ThrowsMessage<std::runtime_error>(
                  StrEq("Unable to create file /nonexistent-folder/out.bmp: No such file or directory")));
}

}  // namespace
}  // namespace sf
