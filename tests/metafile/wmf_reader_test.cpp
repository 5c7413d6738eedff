#include "metafile/wmf_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "metafile/metafile_fixture.h"

namespace sf::test {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

struct Box {
  int left, top, right, bottom, units_per_inch;
};

// A WMF written record by record; words are 16-bit parameters in file order.
class Wmf {
 public:
  Wmf& Rec(std::uint16_t function, std::vector<int> words) {
    m_records.push_back({function, std::move(words)});
    return *this;
  }
  Wmf& Brush(std::uint32_t color) { return Rec(0x02FC, {0, Lo(color), Hi(color), 0}); }
  Wmf& Pen(int style, int width, std::uint32_t color) { return Rec(0x02FA, {style, width, 0, Lo(color), Hi(color)}); }
  Wmf& Select(int index) { return Rec(0x012D, {index}); }
  Wmf& Rectangle(int l, int t, int r, int b) { return Rec(0x041B, {b, r, t, l}); }
  Wmf& WindowExt(int x, int y) { return Rec(0x020C, {y, x}); }

  std::vector<std::uint8_t> Bytes(std::optional<Box> placeable) const {
    std::vector<std::uint8_t> out;
    if (placeable) {
      Put32(out, 0x9AC6CDD7);
      for (const int w : {0, placeable->left, placeable->top, placeable->right, placeable->bottom,
                          placeable->units_per_inch, 0, 0, 0}) {
        Put16(out, w);
      }
    }
    for (const int w : {1, 9, 0x0300, 0, 0, 8, 0, 0, 0}) Put16(out, w);  // header, 8 objects
    for (const auto& [function, words] : m_records) {
      Put32(out, static_cast<std::uint32_t>(3 + words.size()));
      Put16(out, function);
      for (const int w : words) Put16(out, w);
    }
    Put32(out, 3);
    Put16(out, 0);  // end record
    return out;
  }

  static int Lo(std::uint32_t v) { return static_cast<int>(v & 0xFFFF); }
  static int Hi(std::uint32_t v) { return static_cast<int>(v >> 16); }

 private:
  static void Put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  static void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, static_cast<int>(v & 0xFFFF));
    Put16(out, static_cast<int>(v >> 16));
  }

  struct Record {
    std::uint16_t function;
    std::vector<int> words;
  };
  std::vector<Record> m_records;
};

constexpr Box kInch{0, 0, 96, 96, 96};  // 96 x 96 pixels, one unit a pixel

// Red brush in slot 0, a one-pixel black pen in slot 1, both selected.
Wmf RedWithBlackPen() {
  Wmf wmf;
  wmf.Brush(0x0000FF).Select(0).Pen(0, 1, 0).Select(1);
  return wmf;
}

TEST(WmfReader, NaturalSize) {
  struct Row {
    const char* name;
    Box box;
    MetafileSize size;
  };
  const Row rows[] = {
      {"one inch at 1440 units", {0, 0, 1440, 720, 1440}, {96, 48}},
      {"offset box", {-100, -50, 1340, 670, 1440}, {96, 48}},
      {"rounds to nearest", {0, 0, 1369, 1369, 1200}, {110, 110}},
      {"3096 at 606 rounds down", {-30, -30, 3066, 3094, 606}, {490, 495}},
      {"reversed box", {96, 96, 0, 0, 96}, {96, 96}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(WmfSize(Wmf().Bytes(row.box)), row.size);
  }
  // Without the placeable header a window unit is a pixel; the last extent counts.
  const auto plain = Wmf().WindowExt(1, 1).WindowExt(-120, 80).Bytes(std::nullopt);
  EXPECT_EQ(WmfSize(plain), (MetafileSize{120, 80}));
  EXPECT_EQ(RenderWmf(plain).Width(), 120);
  // A window larger than any picture may be is drawn at the largest size, its aspect kept.
  Wmf large;
  large.WindowExt(30000, 15000).Brush(0xFF0000).Select(0).Rectangle(0, 0, 15000, 15000);
  EXPECT_EQ(WmfSize(large.Bytes(std::nullopt)), (MetafileSize{8192, 4096}));
  const Bitmap drawn = RenderWmf(large.Bytes(std::nullopt));
  EXPECT_EQ(drawn.PixelColor(2000, 2000), kBlue);
  EXPECT_EQ(drawn.PixelColor(6000, 2000), kWhite);
}

TEST(WmfReader, RectangleFillsInsideItsOutline) {
  const Bitmap b = RenderWmf(RedWithBlackPen().Rectangle(10, 10, 50, 40).Bytes(kInch));
  ASSERT_EQ(b.Width(), 96);
  EXPECT_EQ(b.BitsPerPixel(), 8);
  EXPECT_EQ(b.PixelColor(30, 25), kRed);
  EXPECT_EQ(b.PixelColor(10, 25), kBlack);
  EXPECT_EQ(b.PixelColor(30, 10), kBlack);
  EXPECT_EQ(b.PixelColor(9, 25), kWhite);
  EXPECT_EQ(b.PixelColor(60, 60), kWhite);
}

TEST(WmfReader, WindowMapsOntoThePicture) {
  // One inch at 1440 units: the left half of the window is the left 48 pixels.
  Wmf wmf;
  wmf.Brush(0xFF0000).Select(0).Pen(5, 0, 0).Select(1).Rectangle(0, 0, 720, 1440);
  const Bitmap b = RenderWmf(wmf.Bytes(Box{0, 0, 1440, 1440, 1440}));
  EXPECT_EQ(b.PixelColor(47, 50), kBlue);
  EXPECT_EQ(b.PixelColor(49, 50), kWhite);
  // A window record replaces the header's box: now 720 units fill the picture.
  wmf.Rec(0x020B, {0, 0}).WindowExt(720, 720).Rectangle(0, 0, 720, 720);
  EXPECT_EQ(RenderWmf(wmf.Bytes(Box{0, 0, 1440, 1440, 1440})).PixelColor(90, 90), kBlue);
}

TEST(WmfReader, EllipsePolylineAndArc) {
  Wmf wmf = RedWithBlackPen();
  wmf.Rec(0x0418, {60, 60, 0, 0});                     // ellipse in 0,0-60,60
  wmf.Rec(0x0325, {2, 10, 80, 90, 80});                // polyline (10,80)-(90,80)
  wmf.Rec(0x0817, {20, 65, 20, 95, 35, 95, 5, 65});    // arc in 65,5-95,35 from its right to its left
  const Bitmap b = RenderWmf(wmf.Bytes(kInch));
  EXPECT_EQ(b.PixelColor(30, 30), kRed);
  EXPECT_EQ(b.PixelColor(3, 3), kWhite);  // inside the box, outside the ellipse
  EXPECT_EQ(b.PixelColor(50, 80), kBlack);
  EXPECT_EQ(b.PixelColor(50, 78), kWhite);
  EXPECT_EQ(b.PixelColor(50, 82), kWhite);
  // Counter-clockwise from the rightmost point passes over the top of the circle.
  EXPECT_GT(CountNotWhite(b, 70, 3, 90, 9), 0);
  EXPECT_EQ(CountNotWhite(b, 66, 23, 94, 37), 0);
}

TEST(WmfReader, PieReachesTheCentreAndChordDoesNot) {
  for (const bool pie : {true, false}) {
    SCOPED_TRACE(pie ? "pie" : "chord");
    Wmf wmf;
    wmf.Brush(0x0000FF).Select(0).Pen(5, 0, 0).Select(1);
    // The quarter from the circle's right, counter-clockwise to its top.
    wmf.Rec(pie ? 0x081A : 0x0830, {0, 48, 48, 96, 96, 96, 0, 0});
    const Bitmap b = RenderWmf(wmf.Bytes(kInch));
    EXPECT_EQ(b.PixelColor(75, 20), kRed);
    EXPECT_EQ(b.PixelColor(56, 40), pie ? kRed : kWhite);
    EXPECT_EQ(b.PixelColor(20, 60), kWhite);
  }
}

TEST(WmfReader, HatchesShowTheBackgroundModeAndColour) {
  // A black cross hatch over a blue square: between its lines the blue shows
  // through a transparent background, the red background colour through an
  // opaque one.
  for (const bool opaque : {false, true}) {
    SCOPED_TRACE(opaque ? "opaque" : "transparent");
    Wmf wmf;
    wmf.Brush(0xFF0000).Select(0).Pen(5, 0, 0).Select(1).Rectangle(0, 0, 96, 96);
    wmf.Rec(0x02FC, {2, 0, 0, 4}).Select(2);
    wmf.Rec(0x0201, {Wmf::Lo(0x0000FF), Wmf::Hi(0x0000FF)}).Rec(0x0102, {opaque ? 2 : 1});
    wmf.Rectangle(0, 0, 96, 96);
    const Bitmap b = RenderWmf(wmf.Bytes(kInch));
    int black = 0, blue = 0, red = 0;
    for (int y = 20; y < 40; ++y) {
      for (int x = 20; x < 40; ++x) {
        black += b.PixelColor(x, y) == kBlack;
        blue += b.PixelColor(x, y) == kBlue;
        red += b.PixelColor(x, y) == kRed;
      }
    }
    EXPECT_GT(black, 40);
    EXPECT_EQ(blue > 0, !opaque);
    EXPECT_EQ(red > 0, opaque);
  }
}

TEST(WmfReader, BitmapTransfersCountTheirSourceFromTheRightCorner) {
  // 2 x 2 pixels, bottom row first: blue, black; then red, green.
  const std::vector<int> dib = {40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0x00FF, 0, 0, 0, 0, 0x00FF, 0x00FF, 0};
  const auto with_dib = [&](std::vector<int> words) {
    words.insert(words.end(), dib.begin(), dib.end());
    return words;
  };
  Wmf wmf;
  // A bit transfer counts from the top left: its first source pixel is red.
  wmf.Rec(0x0B41, with_dib({0x0020, 0x00CC, 1, 1, 0, 0, 48, 48, 0, 0}));
  // A device-independent one counts from the bottom left: blue.
  wmf.Rec(0x0F43, with_dib({0x0020, 0x00CC, 0, 1, 1, 0, 0, 48, 48, 48, 48}));
  const Bitmap b = RenderWmf(wmf.Bytes(kInch));
  EXPECT_EQ(b.PixelColor(24, 24), kRed);
  EXPECT_EQ(b.PixelColor(72, 72), kBlue);
  EXPECT_EQ(b.PixelColor(72, 24), kWhite);
}

TEST(WmfReader, TextIsDrawnFromItsAlignmentPoint) {
  Wmf wmf;
  // Font 40 pixels high, "HI" at (10, 10), aligned top left.
  wmf.Rec(0x02FB, {-40, 0, 0, 0, 700, 0, 0, 0, 0, 'A' | ('r' << 8), 'i' | ('a' << 8), 'l'}).Select(0);
  wmf.Rec(0x0102, {1});  // transparent background
  wmf.Rec(0x0521, {2, 'H' | ('I' << 8), 10, 10});
  const Bitmap b = RenderWmf(wmf.Bytes(kInch));
  EXPECT_GT(CountNotWhite(b, 10, 10, 60, 50), 100);
  EXPECT_EQ(CountNotWhite(b, 0, 0, 96, 8), 0);
  EXPECT_EQ(CountNotWhite(b, 0, 0, 8, 96), 0);
  EXPECT_EQ(CountNotWhite(b, 0, 55, 96, 96), 0);
}

TEST(WmfReader, ObjectTableAndSavedStates) {
  // A deleted slot is the first free one again; an empty or unknown slot
  // selects nothing.
  Wmf reuse;
  reuse.Brush(0x0000FF).Rec(0x01F0, {0}).Brush(0xFF0000).Select(0).Select(5).Select(500);
  reuse.Pen(5, 0, 0).Select(1).Rectangle(0, 0, 50, 50);
  EXPECT_EQ(RenderWmf(reuse.Bytes(kInch)).PixelColor(25, 25), kBlue);

  Wmf saved = RedWithBlackPen();
  saved.Rec(0x001E, {}).Brush(0xFF0000).Select(2).Rec(0x0127, {-1}).Rectangle(0, 0, 50, 50);
  EXPECT_EQ(RenderWmf(saved.Bytes(kInch)).PixelColor(25, 25), kRed);
}

TEST(WmfReader, ClipRectangles) {
  Wmf wmf = RedWithBlackPen();
  wmf.Rec(0x0416, {96, 48, 0, 0});   // intersect with the left half
  wmf.Rec(0x0415, {30, 30, 10, 10});  // exclude a square
  wmf.Rectangle(0, 0, 96, 96);
  const Bitmap b = RenderWmf(wmf.Bytes(kInch));
  EXPECT_EQ(b.PixelColor(40, 50), kRed);
  EXPECT_EQ(b.PixelColor(60, 50), kWhite);
  EXPECT_EQ(b.PixelColor(20, 20), kWhite);
}

TEST(WmfReader, RefusesDamagedFiles) {
  const auto message = [](const std::vector<std::uint8_t>& bytes) { return FailureMessage(RenderWmf, bytes); };
  auto good = RedWithBlackPen().Rectangle(10, 10, 50, 40).Bytes(kInch);
  auto bad_header = good;
  bad_header[22 + 2] = 7;
  EXPECT_EQ(message(bad_header), "The file is not a Windows metafile");
  auto zero_size = good;
  zero_size[40] = 0;  // size of the first record
  EXPECT_EQ(message(zero_size), "A WMF record is shorter than its own header");
  auto long_record = good;
  long_record[42] = 0x7F;
  EXPECT_EQ(message(long_record), "A WMF record runs past the end of the file");
  EXPECT_EQ(message(Wmf().Rec(0x0324, {500, 1, 2}).Bytes(kInch)), "A WMF record holds fewer points than it counts");
  EXPECT_EQ(message(Wmf().Bytes(std::nullopt)), "The WMF file gives no picture size");
  EXPECT_EQ(message(Wmf().Bytes(Box{0, 0, 100, 100, 0})), "The WMF placeable header gives 0 units per inch");
  EXPECT_THAT(
      [] {
        WmfSize(Wmf().Bytes(Box{-32768, 0, 32767, 96, 1}));
      },
      ThrowsMessage<FormatError>(StrEq("The metafile's picture size of 6291360 x 9216 pixels is too large")));
}

TEST(WmfReader, EveryPrefixAndFlippedByteFailsCleanly) {
  Wmf wmf = RedWithBlackPen();
  wmf.Rec(0x0324, {3, 10, 10, 80, 10, 40, 70}).Rec(0x0538, {1, 3, 0, 0, 9, 0, 9, 9});
  wmf.Rec(0x0A32, {20, 20, 2, 4, 0, 0, 50, 50, 'H' | ('I' << 8), 6, 6});
  PlayEveryPrefixAndFlippedByte(RenderWmf, wmf.Bytes(kInch));
}

TEST(WmfReader, CorpusSizes) {
  const CorpusSize rows[] = {
      {"wmf/dtformats-grid.wmf", {94, 94}},
      {"wmf/gen-grid-standard-no-placeable-header.wmf", {94, 94}},
      {"wmf/imagemagick-clock.wmf", {490, 495}},
      {"wmf/imagemagick-wizard.wmf", {490, 642}},
      {"wmf/libgdiplus-test.wmf", {770, 649}},
      {"wmf/pillow-drawing.wmf", {110, 110}},
  };
  ExpectCorpusSizes(RenderWmf, rows, 1);  // clip art covers a good part of its box
}

}  // namespace
}  // namespace sf::test
