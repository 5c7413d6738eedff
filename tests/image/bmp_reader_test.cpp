#include "image/bmp_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

// A BMP file around the given info header, palette/masks and pixel bytes.
std::vector<std::uint8_t> BmpFile(const std::vector<std::uint8_t>& header_and_palette,
                                  const std::vector<std::uint8_t>& pixels) {
  const std::uint32_t offset = 14 + static_cast<std::uint32_t>(header_and_palette.size());
  const std::uint32_t size = offset + static_cast<std::uint32_t>(pixels.size());
  std::vector<std::uint8_t> file = {'B', 'M'};
  for (const std::uint32_t v : {size, 0u, offset}) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  file.insert(file.end(), header_and_palette.begin(), header_and_palette.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A 40-byte info header.
std::vector<std::uint8_t> InfoHeader(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
                                     std::uint32_t colors_used = 0) {
  std::vector<std::uint8_t> h;
  Put32(h, 40);
  Put32(h, static_cast<std::uint32_t>(width));
  Put32(h, static_cast<std::uint32_t>(height));
  h.push_back(1), h.push_back(0);
  h.push_back(static_cast<std::uint8_t>(bits)), h.push_back(0);
  Put32(h, compression);
  for (int i = 0; i < 3; ++i) Put32(h, 0);
  Put32(h, colors_used);
  Put32(h, 0);
  return h;
}

// Palette entries 0..n-1 as grey levels 10 * i.
std::vector<std::uint8_t> WithGreyPalette(std::vector<std::uint8_t> header, int n) {
  for (int i = 0; i < n; ++i) {
    const auto level = static_cast<std::uint8_t>(10 * i);
    header.insert(header.end(), {level, level, level, 0});
  }
  return header;
}

std::vector<int> Indices(const Bitmap& picture, int y) {
  std::vector<int> out;
  for (int x = 0; x < picture.Width(); ++x) out.push_back(picture.PixelIndex(x, y));
  return out;
}

TEST(BmpReader, Rle8RunsDeltasLiteralsAndClipping) {
  const std::vector<std::uint8_t> rle = {
      3, 1,              // bottom row: three pixels of index 1
      0, 3, 2, 3, 4, 0,  // three literal pixels 2 3 4 and a pad byte: the row overflows and is clipped
      0, 0,              // end of line
      0, 2, 1, 1,        // delta: one right, one up (to the top row)
      9, 5,              // a run of nine, clipped at the right edge
      0, 1,              // end of bitmap
  };
  const Bitmap picture = ReadBmp(BmpFile(WithGreyPalette(InfoHeader(4, 3, 8, 1, 6), 6), rle));
  ASSERT_EQ(picture.Format(), PixelFormat::kBits8);
  EXPECT_EQ(Indices(picture, 2), (std::vector<int>{1, 1, 1, 2})) << "bottom row";
  EXPECT_EQ(Indices(picture, 1), (std::vector<int>{0, 0, 0, 0})) << "skipped by the delta: index 0";
  EXPECT_EQ(Indices(picture, 0), (std::vector<int>{0, 5, 5, 5})) << "top row";
  EXPECT_EQ(picture.PixelColor(1, 0), (Rgb{50, 50, 50}));
}

TEST(BmpReader, Rle4AlternatesNibblesAndStopsWhereTheDataEnds) {
  const std::vector<std::uint8_t> rle = {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 2};  // the last code is cut
  const Bitmap picture = ReadBmp(BmpFile(WithGreyPalette(InfoHeader(8, 2, 4, 2), 16), rle));
  EXPECT_EQ(Indices(picture, 1), (std::vector<int>{1, 2, 1, 2, 1, 3, 4, 5}));
  EXPECT_EQ(Indices(picture, 0), (std::vector<int>(8, 0)));
}

TEST(BmpReader, UncompressedRowsTopDownTwoBitAndBitFields) {
  // 2 x 2 top-down, 24 bits: rows padded to 8 bytes.
  const Bitmap rgb = ReadBmp(BmpFile(InfoHeader(2, -2, 24, 0), {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
  EXPECT_EQ(rgb.PixelColor(0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(rgb.PixelColor(1, 1), (Rgb{12, 11, 10}));

  // 2 bits per pixel become 4-bit indices into the same palette.
  const Bitmap two_bit = ReadBmp(BmpFile(WithGreyPalette(InfoHeader(5, 1, 2, 0), 4), {0b00011011, 0b10000000, 0, 0}));
  EXPECT_EQ(two_bit.Format(), PixelFormat::kBits4);
  EXPECT_EQ(Indices(two_bit, 0), (std::vector<int>{0, 1, 2, 3, 2}));

  // 16-bit 5-6-5 masks after the header, kept with the bitmap.
  std::vector<std::uint8_t> header = InfoHeader(1, 1, 16, 3);
  Put32(header, 0xF800), Put32(header, 0x07E0), Put32(header, 0x001F);
  const Bitmap masked = ReadBmp(BmpFile(header, {0x1F, 0xF8, 0, 0}));
  EXPECT_EQ(masked.Masks(), kMasks565);
  EXPECT_EQ(masked.PixelColor(0, 0), (Rgb{255, 0, 255}));

  // 0 pixels wide: rows without bytes, which are not walked one by one (this
  // header once took seconds).
  const Bitmap empty = ReadBmp(BmpFile(InfoHeader(0, 2000000000, 24, 0), {}));
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(empty.Height(), 2000000000);
}

TEST(BmpReader, RefusesWhatCannotBeSound) {
  const auto refuses = [](const std::vector<std::uint8_t>& bytes, const char* message) {
    EXPECT_THAT([&] { ReadBmp(bytes); }, ThrowsMessage<FormatError>(StrEq(message)));
  };
  refuses({}, "Not a BMP file");
  refuses({'B', 'M', 0, 0}, "BMP file header is cut short");
  refuses(BmpFile(InfoHeader(-4, 4, 24, 0), std::vector<std::uint8_t>(48)), "BMP width is negative");
  refuses(BmpFile(InfoHeader(4, 4, 24, 0), std::vector<std::uint8_t>(47)), "BMP pixel data is cut short");
  // 16000 x 16000 pixels (within the size bound) claimed by a file of a few
  // bytes: refused before allocating.
  refuses(BmpFile(InfoHeader(16000, 16000, 24, 0), {1, 2, 3}), "BMP pixel data is cut short");
  refuses(BmpFile(WithGreyPalette(InfoHeader(16000, 16000, 8, 1), 2), {0, 1}),
          "BMP compressed picture is too large for its data");
  refuses(BmpFile(InfoHeader(4, 4, 7, 0), std::vector<std::uint8_t>(16)), "BMP pixel depth of 7 bits is not supported");
  std::vector<std::uint8_t> overlapping = InfoHeader(1, 1, 16, 3);
  Put32(overlapping, 0xFF00), Put32(overlapping, 0x0FF0), Put32(overlapping, 0x000F);
  refuses(BmpFile(overlapping, {0, 0, 0, 0}), "BMP colour masks overlap");
  // The last row may lack its padding.
  EXPECT_NO_THROW(ReadBmp(BmpFile(InfoHeader(1, 2, 24, 0), {1, 2, 3, 0, 4, 5, 6})));
}

TEST(BmpReader, PixelsAgreeWithImageMagick) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  if (!test::ReferenceRgb(*test::CorpusPath("bmp/bmpsuite/g/rgb24.bmp"))) GTEST_SKIP() << "no ImageMagick";
  // 16-bit channels widen by repeating their bits, ImageMagick by scaling:
  // the two differ by at most one.
  const std::pair<const char*, int> files[] = {
      {"g/pal1bg.bmp", 0},  {"g/pal4.bmp", 0},      {"g/pal4rle.bmp", 0},    {"g/pal8.bmp", 0},
      {"g/pal8os2.bmp", 0}, {"g/pal8rle.bmp", 0},   {"g/pal8topdown.bmp", 0}, {"g/pal8v5.bmp", 0},
      {"g/pal8w125.bmp", 0}, {"g/rgb16.bmp", 1},    {"g/rgb16-565.bmp", 1},  {"g/rgb24.bmp", 0},
      {"g/rgb32.bmp", 0},   {"g/rgb32bf.bmp", 0},   {"q/pal8os2sp.bmp", 0},  {"q/pal8offs.bmp", 0},
      {"q/pal8os2v2-16.bmp", 0}, {"q/rgb32-111110.bmp", 1},
  };
  for (const auto& [file, tolerance] : files) {
    SCOPED_TRACE(file);
    const std::string path = *test::CorpusPath(std::string("bmp/bmpsuite/") + file);
    const auto reference = test::ReferenceRgb(path);
    ASSERT_TRUE(reference);
    EXPECT_EQ(test::CompareWithReference(ReadBmp(ReadWholeFile(path)), *reference, tolerance), "");
  }
  // ImageMagick cannot read bitmap arrays; the array's first bitmap is the OS/2 picture.
  const Bitmap array = ReadBmp(ReadWholeFile(*test::CorpusPath("bmp/bmpsuite/x/ba-bm.bmp")));
  const Bitmap plain = ReadBmp(ReadWholeFile(*test::CorpusPath("bmp/bmpsuite/g/pal8os2.bmp")));
  EXPECT_EQ(test::FirstDifference(array, plain), "");
}

}  // namespace
}  // namespace sf
