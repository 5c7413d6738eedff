#include "image/png_reader.h"

#include <png.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "support/corpus.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using ::testing::StartsWith;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A PNG file of RGBA pixels, written by libpng itself.
std::vector<std::uint8_t> RgbaPng(int width, int height, const std::vector<std::uint8_t>& rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  EXPECT_NE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr), 0);
  std::vector<std::uint8_t> bytes(size);
  EXPECT_NE(png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba.data(), 0, nullptr), 0);
  bytes.resize(size);
  return bytes;
}

TEST(PngReader, AlphaIsCompositedOverWhite) {
  const Bitmap picture = DecodePng(RgbaPng(3, 1, {
                                                     10, 20, 30, 255,  // opaque: unchanged
                                                     0, 0, 0, 128,     // half black: mid grey
                                                     200, 0, 0, 0,     // transparent: white
                                                 }));
  ASSERT_EQ(picture.Format(), PixelFormat::kBits24);
  EXPECT_EQ(picture.PixelColor(0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(picture.PixelColor(1, 0), (Rgb{127, 127, 127}));  // 255 x 127 / 255
  EXPECT_EQ(picture.PixelColor(2, 0), (Rgb{255, 255, 255}));
}

TEST(PngReader, DamagedFilesFailWithAMessage) {
  EXPECT_THAT(
      [] {
        DecodePng(std::vector<std::uint8_t>{'B', 'M'});
      },
      ThrowsMessage<FormatError>(StrEq("Not a PNG file")));
  std::vector<std::uint8_t> bytes = RgbaPng(8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 90));
  const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + 40);
  EXPECT_THAT([&] { DecodePng(cut); },
              ThrowsMessage<FormatError>(StrEq("PNG file cannot be read: the file is cut short")));
  bytes[20] ^= 0x40;  // inside IHDR: its CRC no longer matches
  EXPECT_THAT([&] { DecodePng(bytes); }, ThrowsMessage<FormatError>(StartsWith("PNG file cannot be read: ")));
}

TEST(PngReader, OpaquePixelsAgreeWithImageMagick) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  // 16-bit samples are scaled to 8 bits with rounding; ImageMagick may round
  // the other way.
  const std::pair<const char*, int> files[] = {
      {"pillow-hopper.png", 0}, {"libgdiplus-test-interlaced.png", 0}, {"gen-flower-rgb16-interlaced.png", 1}};
  for (const auto& [file, tolerance] : files) {
    SCOPED_TRACE(file);
    const std::string path = *test::CorpusPath(std::string("png/") + file);
    const auto reference = test::ReferenceRgb(path);
    if (!reference) GTEST_SKIP() << "no ImageMagick";
    EXPECT_EQ(test::CompareWithReference(DecodePng(ReadWholeFile(path)), *reference, tolerance), "");
  }
}

}  // namespace
}  // namespace sf
