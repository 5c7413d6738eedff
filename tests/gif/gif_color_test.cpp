// Colour handling of the GIF codec: the web palette's thresholds, the octree
// quantizer (table size, nearest mapping, quality beside ImageMagick) and the
// rules by which colour tables are merged into one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "gif/gif_color_quantizer.h"
#include "gif/gif_color_reduction.h"
#include "gif_fixture.h"
#include "image/bmp_writer.h"
#include "image/halftone_palette.h"
#include "support/corpus.h"
#include "support/pictures.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

using ::testing::Contains;

// Peak signal-to-noise ratio of colours against the picture's, in dB.
double Psnr(const Bitmap& source, const std::function<Rgb(int, int)>& reduced) {
  double squared = 0;
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) {
      const Rgb a = source.PixelColor(x, y), b = reduced(x, y);
      squared += (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
    }
  }
  return 10 * std::log10(255.0 * 255.0 * 3.0 * source.Width() * source.Height() / squared);
}

TEST(GifColorReduction, WebPaletteLevelsChangeAtTheirOwnThresholds) {
  const std::pair<int, int> rows[] = {{0, 0},   {47, 0},  {48, 1},  {98, 1},  {99, 2},   {149, 2},
                                      {150, 3}, {200, 3}, {201, 4}, {251, 4}, {252, 5}, {255, 5}};
  for (const auto& [value, level] : rows) EXPECT_EQ(WebLevel(static_cast<std::uint8_t>(value)), level) << value;
  TGIFImage image;  // rmNetscape by default
  image.Add(test::MakeFromRows({{0x3063FC}}));  // 48, 99, 252
  EXPECT_EQ(image.Frame(0).GetPixel(0, 0), 36 * 1 + 6 * 2 + 5);
  EXPECT_EQ(image.Frame(0).ColorMap().Count(), 216);
}

TEST(GifColorReduction, QuantizerFillsTheTableAndMapsEveryPixelToItsNearestEntry) {
  TGIFImage image;
  image.SetColorReduction(TColorReduction::rmQuantize);
  image.SetReductionBits(3);
  image.Add(test::MakeFromRows({{0x102030, 0xF0E0D0}}));
  const TGIFColorMap& two = image.Frame(0).ColorMap();
  ASSERT_EQ(two.Count(), 8);
  EXPECT_EQ(two[image.Frame(0).GetPixel(0, 0)], (Rgb{0x10, 0x20, 0x30}));
  EXPECT_EQ(two[image.Frame(0).GetPixel(1, 0)], (Rgb{0xF0, 0xE0, 0xD0}));
  for (int i = 2; i < 8; ++i) EXPECT_EQ(two[static_cast<std::size_t>(i)], (Rgb{0, 0, 0}));

  const Bitmap photo = test::MakeGradient(61, 47);
  TColorQuantizer quantizer(16);
  quantizer.AddColors(photo);
  const std::vector<Rgb> palette = quantizer.Palette();
  ASSERT_EQ(palette.size(), 16u);
  const Bitmap mapped = MapToPalette(photo, palette);
  for (int y = 0; y < photo.Height(); ++y) {
    for (int x = 0; x < photo.Width(); ++x) {
      ASSERT_EQ(mapped.PixelIndex(x, y), NearestIndex(palette, photo.PixelColor(x, y))) << x << "," << y;
    }
  }
  EXPECT_THAT([&] { (void)(image.SetReductionBits(2)); },
              ThrowsMessage<GIFException>(StrEq("Invalid Bits Per Pixel value")));
  EXPECT_THAT([&] { (void)(ReduceColors(photo, TColorReduction::rmWindows20, TDitherMode::dmNearest, 8)); },
              ThrowsMessage<GIFException>(StrEq("Color reduction method not supported")));
}

// Our 256 colours are about as faithful as ImageMagick's without dithering.
TEST(GifColorReduction, QuantizerQualityMatchesImageMagick) {
  const Bitmap photo = test::MakeGradient(240, 180);
  const Bitmap reduced = ReduceColors(photo, TColorReduction::rmQuantize, TDitherMode::dmNearest, 8);
  const double ours = Psnr(photo, [&reduced](int x, int y) { return reduced.PixelColor(x, y); });
  EXPECT_GT(ours, 24.0);
  if (test::RunCommand("test -x /usr/bin/convert") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  const std::string dir = test::MakeTempDir();
  WriteBmpFile(photo, dir + "/photo.bmp");
  std::string raw;
  ASSERT_EQ(test::RunCommand("/usr/bin/convert '" + dir + "/photo.bmp' +dither -colors 256 -depth 8 rgb:-", &raw), 0);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(raw.size(), 240u * 180 * 3);
  const double theirs = Psnr(photo, [&raw](int x, int y) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(raw.data()) + 3 * (static_cast<std::size_t>(y) * 240 + x);
    return Rgb{p[0], p[1], p[2]};
  });
  EXPECT_GT(ours, theirs - 0.5) << "ImageMagick " << theirs << " dB, ours " << ours;
}

TEST(GifColorMapOptimizer, MergesEqualColoursAndMapsTheRestByBrightnessSum) {
  // Frame 0: 256 colours of one brightness sum (i, 0, 255 - i), each used twice.
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;
  for (int i = 0; i < 256; ++i) {
    palette.push_back(Rgb{static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)});
  }
  for (int i = 0; i < 512; ++i) indices.push_back(static_cast<std::uint8_t>(i % 256));
  TGIFImage image;
  image.Add(test::PalettedBitmap(32, 16, palette, indices));
  // Frame 1: a 257th colour, and (5, 0, 250) once more, which makes it the most used.
  image.Add(test::PalettedBitmap(2, 1, {{200, 0, 0}, {5, 0, 250}}, {0, 1}));
  image.OptimizeColorMap();

  const TGIFColorMap& table = image.GlobalColorMap();
  ASSERT_EQ(table.Count(), 256);
  EXPECT_TRUE(table.Sorted());
  EXPECT_EQ(table[0], (Rgb{5, 0, 250}));
  EXPECT_EQ(image.Frame(0).GetPixel(5, 0), 0);
  // Every kept colour is 55 away in brightness sum from (200, 0, 0): the first one wins,
  // not the nearest in space.
  EXPECT_EQ(image.Frame(1).GetPixel(0, 0), 0);
  EXPECT_EQ(image.Frame(1).GetPixel(1, 0), 0);
  EXPECT_TRUE(image.Frame(0).ColorMap().Empty());
  EXPECT_TRUE(image.Frame(1).ColorMap().Empty());

  // An index beyond its table counts as index 0, with a warning.
  TGIFImage stray;
  std::vector<std::string> warnings;
  stray.SetWarningHandler([&warnings](const std::string& text) { warnings.push_back(text); });
  stray.Add(test::PalettedBitmap(2, 1, {{9, 9, 9}, {1, 2, 3}}, {1, 1}));
  stray.Frame(0).MutableData()[0] = 7;
  stray.OptimizeColorMap();
  EXPECT_THAT(warnings, Contains("Color not in color table"));
  EXPECT_EQ(stray.GlobalColorMap()[stray.Frame(0).GetPixel(0, 0)], (Rgb{9, 9, 9}));
}

}  // namespace
}  // namespace sf
