#include "image/bitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "image/halftone_palette.h"
#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

constexpr Rgb kWhite{255, 255, 255};

TEST(Bitmap, StoresRowsAsABmpBody) {
  Bitmap b(3, 2);
  EXPECT_EQ(b.Stride(), 12u) << "9 bytes of pixels padded to 12";
  EXPECT_EQ(b.ImageSize(), 24u);
  b.SetPixelColor(0, 0, {1, 2, 3});  // top-left
  // The top row is stored last; pixels are blue, green, red.
  EXPECT_EQ(b.Storage()[12], 3);
  EXPECT_EQ(b.Storage()[13], 2);
  EXPECT_EQ(b.Storage()[14], 1);
  EXPECT_EQ(b.PixelColor(0, 1), kWhite) << "new bitmaps start white";
  EXPECT_EQ(RowStride(1, PixelFormat::kBits1), 4u);
  EXPECT_EQ(RowStride(33, PixelFormat::kBits1), 8u);
  EXPECT_EQ(RowStride(3, PixelFormat::kBits4), 4u);
  EXPECT_EQ(RowStride(720, PixelFormat::kBits24), 2160u);
}

TEST(Bitmap, NewAreasAreWhiteAndTheTopLeftStays) {
  for (const PixelFormat format : {PixelFormat::kBits1, PixelFormat::kBits4, PixelFormat::kBits8,
                                   PixelFormat::kBits16, PixelFormat::kBits24, PixelFormat::kBits32}) {
    SCOPED_TRACE(static_cast<int>(format));
    Bitmap b(2, 2, format);
    b.Fill({0, 0, 0});
    b.SetSize(5, 3);
    EXPECT_EQ(b.PixelColor(1, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(b.PixelColor(2, 0), kWhite);
    EXPECT_EQ(b.PixelColor(4, 2), kWhite);
    EXPECT_EQ(b.PixelColor(0, 2), kWhite);
    b.SetSize(1, 1);
    EXPECT_EQ(b.PixelColor(0, 0), (Rgb{0, 0, 0}));
  }
}

TEST(Bitmap, FillReachesTheLastPixelOfEveryRowAndNoBitBeyond) {
  for (const PixelFormat format : {PixelFormat::kBits1, PixelFormat::kBits4, PixelFormat::kBits8}) {
    for (const int width : {1, 7, 13, 16}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(format)) + " bits, " + std::to_string(width) + " wide");
      Bitmap b(width, 5, format);
      b.SetPalette({Rgb{0, 0, 0}, kWhite});
      for (std::uint8_t& byte : b.MutableStorage()) byte = 0xA5;  // padding and spare bits to be kept
      b.Fill(kWhite);
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) ASSERT_EQ(b.PixelIndex(x, y), 1);
      }
      // Setting the same pixels one by one gives the same bytes.
      Bitmap expected(width, 5, format);
      expected.SetPalette({Rgb{0, 0, 0}, kWhite});
      for (std::uint8_t& byte : expected.MutableStorage()) byte = 0xA5;
      for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < width; ++x) expected.SetPixelIndex(x, y, 1);
      }
      EXPECT_TRUE(std::equal(b.Storage().begin(), b.Storage().end(), expected.Storage().begin()));
    }
  }
}

TEST(Bitmap, ConvertsTo8BitsThroughTheHalftonePaletteOnly) {
  Bitmap photo = test::MakeGradient(47, 33);
  Bitmap eight = photo;
  eight.SetPixelFormat(PixelFormat::kBits8);
  EXPECT_TRUE(IsHalftonePalette(eight.Palette()));
  for (int y = 0; y < 33; y += 4) {
    for (int x = 0; x < 47; x += 3) {
      const Rgb c = photo.PixelColor(x, y);
      EXPECT_EQ(eight.PixelIndex(x, y), NearestHalftoneIndex(c.r, c.g, c.b));
    }
  }
  // An 8-bit picture keeps its own palette.
  Bitmap own(2, 1, PixelFormat::kBits8);
  own.SetPalette({{1, 2, 3}, {255, 255, 255}});
  own.SetPixelIndex(0, 0, 0);
  own.SetPixelFormat(PixelFormat::kBits8);
  EXPECT_EQ(own.Palette().size(), 2u);
  EXPECT_EQ(own.PixelColor(0, 0), (Rgb{1, 2, 3}));
}

TEST(Bitmap, DrawMapsIntoTheTargetPaletteAndClips) {
  Bitmap target(4, 4, PixelFormat::kBits8);
  target.SetPalette({{0, 0, 0}, {250, 0, 0}, {255, 255, 255}});
  target.Fill(kWhite);
  Bitmap src = test::MakeFromRows({{0xF00000, 0x101010}, {0xFFFFFF, 0xC01010}});
  target.Draw(src, 3, 3);  // only the top-left source pixel lands
  EXPECT_EQ(target.PixelIndex(3, 3), 1);
  EXPECT_EQ(target.PixelIndex(2, 3), 2);
  target.Draw(src, -1, -1);  // only the bottom-right source pixel lands at (0, 0)
  EXPECT_EQ(target.PixelIndex(0, 0), 1);
  EXPECT_EQ(target.PixelIndex(1, 0), 2);

  Bitmap copy(2, 2);
  copy.Draw(src, 0, 0);
  EXPECT_TRUE(test::SamePixels(copy, src));
}

TEST(Bitmap, DecodesChannelMasksByRepeatingBits) {
  Bitmap b(1, 1, PixelFormat::kBits16);
  b.Row(0)[0] = 0xFF;
  b.Row(0)[1] = 0x7F;  // 555: every channel at its top
  EXPECT_EQ(b.PixelColor(0, 0), kWhite);
  b.Row(0)[0] = 0x10;
  b.Row(0)[1] = 0x42;  // 0x4210: each channel 0b10000
  EXPECT_EQ(b.PixelColor(0, 0), (Rgb{0x84, 0x84, 0x84}));
  b.SetMasks(kMasks565);
  b.SetPixelColor(0, 0, {255, 0, 255});
  EXPECT_EQ(b.Row(0)[0] | (b.Row(0)[1] << 8), 0xF81F);
}

TEST(Bitmap, RefusesAbsurdSizesWithoutAllocating) {
  EXPECT_THAT([&] { (void)(Bitmap(100000, 100000)); }, ThrowsMessage<std::length_error>(StrEq("Bitmap too large")));
  EXPECT_THAT([&] { (void)(Bitmap(-1, 5)); }, ThrowsMessage<std::length_error>(StrEq("Bitmap size is negative")));
  const Bitmap empty(0, 10);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace sf
