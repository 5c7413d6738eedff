#include "metafile/emf_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

#include "metafile/metafile_fixture.h"

namespace sf::test {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::int64_t Float(float f) { return std::bit_cast<std::uint32_t>(f); }
// Two 16-bit coordinates in one 32-bit value.
std::int64_t P16(int x, int y) { return (x & 0xFFFF) | (static_cast<std::int64_t>(y & 0xFFFF) << 16); }

// An EMF written record by record; values are 32-bit, in file order. The
// reference device has 96 pixels to the inch, so device pixels are pixels of
// the picture when the frame starts at 0.
class Emf {
 public:
  Emf& Rec(std::uint32_t type, std::vector<std::int64_t> values) {
    m_records.push_back({type, std::move(values)});
    return *this;
  }
  Emf& Brush(int index, std::uint32_t color) { return Rec(39, {index, 0, color, 0}); }
  Emf& NullPen() { return Rec(37, {0x80000008}); }
  Emf& Select(std::int64_t index) { return Rec(37, {index}); }
  Emf& Rectangle(int l, int t, int r, int b) { return Rec(43, {l, t, r, b}); }

  // The frame in hundredths of a millimetre.
  std::vector<std::uint8_t> Bytes(int frame_right = 2540, int frame_bottom = 2540, int frame_left = 0,
                                  int frame_top = 0) const {
    std::vector<std::uint8_t> out;
    for (const std::int64_t v : {1, 88, 0, 0, 96, 96}) Put(out, v);  // type, size, bounds
    for (const std::int64_t v : {frame_left, frame_top, frame_right, frame_bottom}) Put(out, v);
    for (const std::int64_t v : {0x464D4520, 0x10000, 0, 0, 8, 0, 0, 0, 960, 960, 254, 254}) Put(out, v);
    for (const auto& [type, values] : m_records) {
      Put(out, type);
      Put(out, static_cast<std::int64_t>(8 + 4 * values.size()));
      for (const std::int64_t v : values) Put(out, v);
    }
    for (const std::int64_t v : {14, 20, 0, 0, 20}) Put(out, v);  // end record
    return out;
  }

 private:
  static void Put(std::vector<std::uint8_t>& out, std::int64_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  struct Record {
    std::uint32_t type;
    std::vector<std::int64_t> values;
  };
  std::vector<Record> m_records;
};

Emf RedNoOutline() {
  Emf emf;
  emf.Brush(1, 0x0000FF).Select(1).NullPen();
  return emf;
}

TEST(EmfReader, SizeIsTheFrameAt96PixelsPerInch) {
  EXPECT_EQ(EmfSize(Emf().Bytes(2540, 1270)), (MetafileSize{96, 48}));
  EXPECT_EQ(EmfSize(Emf().Bytes(20760, 25300)), (MetafileSize{785, 956}));
  EXPECT_EQ(EmfSize(Emf().Bytes(0, 2540)), (MetafileSize{0, 96}));
  EXPECT_EQ(RenderEmf(Emf().Bytes(0, 2540)).Width(), 0);
  // A frame 1,000,000 pixels wide.
  EXPECT_THAT([] { EmfSize(Emf().Bytes(26458333, 2540)); },
              ThrowsMessage<FormatError>(StrEq("The metafile's picture size of 1000000 x 96 pixels is too large")));
}

TEST(EmfReader, FrameMapsOntoThePicture) {
  // A frame from half an inch to an inch and a half: device pixel 48 is the
  // picture's left edge.
  const Bitmap b = RenderEmf(RedNoOutline().Rectangle(48, 48, 96, 96).Bytes(3810, 3810, 1270, 1270));
  ASSERT_EQ(b.Width(), 96);
  EXPECT_EQ(b.BitsPerPixel(), 8);
  EXPECT_EQ(b.PixelColor(20, 20), kRed);
  EXPECT_EQ(b.PixelColor(50, 50), kWhite);
}

TEST(EmfReader, AFrameTheDrawingMissesGivesWayToTheDrawingsOwnBox) {
  // As pstoedit writes them: the frame in the drawing's logical units (here
  // twips, 15 to the pixel through the mapping), so it lies far from the ink.
  Emf twips = RedNoOutline();
  twips.Rec(17, {8}).Rec(9, {1440, 1440}).Rec(11, {96, 96}).Rectangle(1500, 3000, 3000, 6000);
  const Bitmap b = RenderEmf(twips.Bytes(79375, 158750, 39687, 79375));  // 1500..3000 x 3000..6000 "pixels"
  ASSERT_EQ(b.Width(), 100);
  ASSERT_EQ(b.Height(), 200);
  EXPECT_EQ(CountNotWhite(b, 0, 0, 100, 200), 100 * 200);
  // A frame too large to draw, with the ink wholly inside it, is the ink's box
  // too; nothing drawn keeps the refusal.
  const Bitmap large = RenderEmf(RedNoOutline().Rectangle(10, 10, 60, 40).Bytes(26458333, 26458333));
  EXPECT_EQ(large.Width(), 50);
  EXPECT_EQ(large.Height(), 30);
  EXPECT_THAT([] { RenderEmf(Emf().Bytes(26458333, 2540)); }, ThrowsMessage<FormatError>(testing::HasSubstr("too large")));
  // A drawing that only partly leaves its frame keeps the frame.
  EXPECT_EQ(EmfSize(RedNoOutline().Rectangle(50, 50, 500, 500).Bytes()), (MetafileSize{96, 96}));
}

TEST(EmfReader, MappingModesAndWorldTransform) {
  struct Row {
    const char* name;
    Emf setup;
    std::vector<std::int64_t> rect;
    int filled_x, filled_y, empty_x, empty_y;
  };
  const Row rows[] = {
      {"world scale 2", Emf().Rec(35, {Float(2), 0, 0, Float(2), 0, 0}), {0, 0, 20, 20}, 35, 35, 45, 45},
      {"set a shift, then scale before it",
       Emf().Rec(36, {Float(1), 0, 0, Float(1), Float(50), 0, 4}).Rec(36, {Float(2), 0, 0, Float(2), 0, 0, 2}),
       {0, 0, 20, 20}, 85, 35, 35, 35},
      {"anisotropic", Emf().Rec(17, {8}).Rec(9, {1000, 1000}).Rec(11, {100, 50}), {0, 0, 200, 200}, 15, 5, 15, 12},
      // Isotropic keeps units square: the smaller scale (0.48) wins both ways.
      {"isotropic", Emf().Rec(17, {7}).Rec(9, {100, 200}).Rec(11, {96, 96}), {0, 0, 40, 40}, 15, 15, 25, 5},
      // Hundredths of a millimetre, y counting upwards: 5 mm is 18.9 pixels.
      {"high metric", Emf().Rec(17, {3}), {0, 0, 500, -500}, 10, 10, 10, 25},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Emf emf = row.setup;
    emf.Brush(1, 0x0000FF).Select(1).NullPen().Rec(43, row.rect);
    const Bitmap b = RenderEmf(emf.Bytes());
    EXPECT_EQ(b.PixelColor(row.filled_x, row.filled_y), kRed);
    EXPECT_EQ(b.PixelColor(row.empty_x, row.empty_y), kWhite);
  }
}

TEST(EmfReader, PathsFollowTheirFigures) {
  // Move, two lines and a close make one triangle; filling the path fills it.
  Emf emf = RedNoOutline();
  emf.Rec(59, {}).Rec(27, {10, 10}).Rec(54, {80, 10}).Rec(54, {80, 80}).Rec(61, {}).Rec(60, {});
  emf.Rec(62, {0, 0, 0, 0});
  const Bitmap b = RenderEmf(emf.Bytes());
  EXPECT_EQ(b.PixelColor(70, 20), kRed);
  EXPECT_EQ(b.PixelColor(20, 70), kWhite);
  // A Bezier in 16-bit points from the current position, stroked.
  Emf curve;
  curve.Rec(38, {1, 0, 3, 0, 0x000000}).Select(1).Rec(27, {10, 50});
  curve.Rec(88, {0, 0, 0, 0, 3, P16(10, 10), P16(80, 10), P16(80, 50)});
  const Bitmap c = RenderEmf(curve.Bytes());
  EXPECT_GT(CountNotWhite(c, 30, 15, 60, 25), 0);
  EXPECT_EQ(CountNotWhite(c, 20, 40, 70, 60), 0);
}

TEST(EmfReader, FillModesDecideTheHoles) {
  // Two squares drawn the same way round: alternate leaves the inner one empty,
  // winding fills it.
  const std::vector<std::int64_t> squares = {0,          0,          0,          0,          2,
                                             8,          4,          4,          P16(0, 0),  P16(60, 0),
                                             P16(60, 60), P16(0, 60), P16(20, 20), P16(40, 20), P16(40, 40),
                                             P16(20, 40)};
  EXPECT_EQ(RenderEmf(RedNoOutline().Rec(91, squares).Bytes()).PixelColor(30, 30), kWhite);
  EXPECT_EQ(RenderEmf(RedNoOutline().Rec(19, {2}).Rec(91, squares).Bytes()).PixelColor(30, 30), kRed);
  EXPECT_EQ(RenderEmf(RedNoOutline().Rec(91, squares).Bytes()).PixelColor(10, 10), kRed);
}

TEST(EmfReader, TextAlignmentClippingBoxesAndDashes) {
  // "HI" in a 30-pixel font at (50, 40), clipped at `clip_bottom` when that is set.
  const auto text = [](int align, int clip_bottom = 0) {
    std::vector<std::int64_t> font = {1, -30, 0, 0, 0, 400, 0, 0, 'A' | ('r' << 16), 'i' | ('a' << 16), 'l'};
    font.resize(24);
    Emf emf;
    emf.Rec(82, font).Select(1).Rec(18, {1}).Rec(22, {align});
    emf.Rec(84, {0, 0, 0, 0, 1, 0, 0, 50, 40, 2, 76, clip_bottom ? 4 : 0, 0, 0, clip_bottom ? 96 : 0, clip_bottom, 0,
                 'H' | ('I' << 16)});
    return RenderEmf(emf.Bytes());
  };
  // Left aligned it runs right of the point, right aligned it ends there; top
  // aligned it hangs below it.
  const Bitmap left = text(0);
  EXPECT_GT(CountNotWhite(left, 50, 40, 96, 75), 50);
  EXPECT_EQ(CountNotWhite(left, 0, 0, 48, 96), 0);
  EXPECT_EQ(CountNotWhite(left, 0, 0, 96, 38), 0);
  const Bitmap right = text(2 | 24);  // right, baseline
  EXPECT_GT(CountNotWhite(right, 10, 10, 51, 41), 50);
  EXPECT_EQ(CountNotWhite(right, 52, 0, 96, 96), 0);
  EXPECT_EQ(CountNotWhite(right, 0, 42, 96, 96), 0);
  const Bitmap cut = text(0, 50);
  EXPECT_GT(CountNotWhite(cut, 40, 40, 96, 50), 0);
  EXPECT_EQ(CountNotWhite(cut, 0, 50, 96, 96), 0);
  // No characters and an opaque box: the box in the background colour.
  Emf box;
  box.Rec(25, {0x0000FF}).Rec(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 76, 2, 0, 0, 96, 20, 0});
  const Bitmap boxed = RenderEmf(box.Bytes());
  EXPECT_EQ(boxed.PixelColor(50, 10), kRed);
  EXPECT_EQ(boxed.PixelColor(50, 30), kWhite);
  // A dashed one-pixel line has gaps; a solid one has none.
  for (const int style : {0, 1}) {
    SCOPED_TRACE(style == 0 ? "solid" : "dashed");
    Emf line;
    line.Rec(38, {1, style, 0, 0, 0}).Select(1).Rec(27, {0, 50}).Rec(54, {96, 50});
    const Bitmap b = RenderEmf(line.Bytes());
    EXPECT_EQ(CountNotWhite(b, 0, 50, 96, 51) < 90, style == 1);
    EXPECT_GT(CountNotWhite(b, 0, 50, 96, 51), 40);
  }
}

TEST(EmfReader, StretchedBitmapKeepsItsRowsTheRightWayUp) {
  // A 2 x 2 bottom-up bitmap (bottom row blue, black; top row red, green)
  // stretched over 40 x 40 pixels at (10, 10).
  Emf emf;
  emf.Rec(81, {0, 0, 0, 0, 10, 10, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 40, 40,
               40, 2, 2, 1 | (24 << 16), 0, 16, 0, 0, 0, 0,
               0x000000FF, 0x00000000, 0x00FF0000, 0x000000FF});
  const Bitmap b = RenderEmf(emf.Bytes());
  EXPECT_EQ(b.PixelColor(15, 15), kRed);
  EXPECT_EQ(b.PixelColor(45, 15), kGreen);
  EXPECT_EQ(b.PixelColor(15, 45), kBlue);
  EXPECT_EQ(b.PixelColor(45, 45), kBlack);
  EXPECT_EQ(b.PixelColor(5, 5), kWhite);
  EXPECT_EQ(b.PixelColor(52, 30), kWhite);
}

TEST(EmfReader, StockObjectsClipsAndSavedStates) {
  Emf emf;
  emf.Select(0x80000004).NullPen();              // black brush
  emf.Rec(33, {});                                // save
  emf.Rec(75, {48, 1, 32, 1, 1, 16, 0, 0, 48, 48, 0, 0, 48, 48});  // clip to 0,0-48,48
  emf.Rectangle(0, 0, 96, 96);
  emf.Rec(34, {-1});                              // restore: no clip
  emf.Rectangle(60, 60, 96, 96);
  const Bitmap b = RenderEmf(emf.Bytes());
  EXPECT_EQ(b.PixelColor(20, 20), kBlack);
  EXPECT_EQ(b.PixelColor(55, 20), kWhite);
  EXPECT_EQ(b.PixelColor(80, 80), kBlack);
}

TEST(EmfReader, BitmapsShareOnePixelBudget) {
  // Pattern brushes of 4000 x 4000 run-length pixels that end at once: a few
  // bytes each, 16 million pixels each once unpacked.
  Emf emf;
  for (int index = 1; index <= 5; ++index) {
    emf.Rec(94, {index, 0, 32, 44, 76, 4, 40, 4000, 4000, 1 | (8 << 16), 1, 2, 0, 0, 1, 0, 0, 0x0100});
  }
  EXPECT_THAT([&] { RenderEmf(emf.Bytes()); },
              ThrowsMessage<FormatError>(StrEq("The bitmaps in the metafile are too large together")));
}

TEST(EmfReader, AbsurdNumbersDrawQuickly) {
  // Each of these once meant minutes of work or a broken drawing context.
  Emf emf;
  emf.Rec(38, {1, 1, 2000000000, 0, 0}).Select(1);                         // a dashed pen of huge width
  emf.Rec(35, {Float(1e30f), 0, 0, Float(1e30f), 0, 0});                  // a huge world scale
  emf.Rec(27, {-2000000000, 5}).Rec(54, {2000000000, 5});
  emf.Rec(35, {Float(1), 0, 0, Float(1), 0, 0}).Rec(38, {2, 1, 1, 0, 0}).Select(2);
  emf.Rec(27, {-2000000000, 50}).Rec(54, {2000000000, 50});               // a dashed line of 4e9 pixels
  emf.Rec(41, {48, 48, 2000000000, Float(0), Float(3e38f)});               // an arc of 1e36 turns
  emf.Rec(82, {3, -2000000000, 0, 0, 0, 400, 0, 0, 'A'}).Select(3);
  emf.Rec(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 2, 76, 0, 0, 0, 0, 0, 0, 'H' | ('I' << 16)});
  const Bitmap b = RenderEmf(emf.Bytes());
  EXPECT_EQ(b.Width(), 96);
}

TEST(EmfReader, RefusesDamagedFiles) {
  const auto message = [](const std::vector<std::uint8_t>& bytes) { return FailureMessage(RenderEmf, bytes); };
  const auto good = RedNoOutline().Rectangle(0, 0, 50, 50).Bytes();
  auto bad = good;
  bad[40] = 'X';
  EXPECT_EQ(message(bad), "The file is not an enhanced metafile");
  bad = good;
  bad[5] = 1;
  EXPECT_EQ(message(bad), "The EMF header record runs past the end of the file");
  bad = good;
  bad[92] = 4;
  EXPECT_EQ(message(bad), "An EMF record is shorter than its own header");
  bad = good;
  bad[94] = 1;
  EXPECT_EQ(message(bad), "An EMF record runs past the end of the file");
  EXPECT_EQ(message(std::vector<std::uint8_t>(good.begin(), good.begin() + 60)), "The EMF header is cut short");
  EXPECT_EQ(message(Emf().Rec(86, {0, 0, 0, 0, 1000, 0}).Bytes()), "An EMF record holds fewer points than it counts");
  EXPECT_EQ(message(Emf().Rec(84, {0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 4000, 0, 0, 0, 0, 0, 0, 0}).Bytes()),
            "An EMF record points past its end");
}

TEST(EmfReader, EveryPrefixAndFlippedByteFailsCleanly) {
  Emf emf = RedNoOutline();
  emf.Rec(86, {0, 0, 0, 0, 3, P16(1, 1), P16(50, 1), P16(9, 40)});
  emf.Rec(91, {0, 0, 0, 0, 1, 3, 3, P16(0, 0), P16(9, 0), P16(9, 9)});
  emf.Rec(84, {0, 0, 0, 0, 1, 0, 0, 5, 5, 2, 76, 4, 0, 0, 30, 30, 80, 'H' | ('I' << 16), 6, 6});
  emf.Rec(75, {48, 5, 32, 1, 1, 16, 0, 0, 48, 48, 0, 0, 48, 48});
  PlayEveryPrefixAndFlippedByte(RenderEmf, emf.Bytes());
}

TEST(EmfReader, Corpus) {
  const CorpusSize rows[] = {
      {"emf/dtformats-Memo.emf", {785, 956}},         {"emf/libemf2svg-EA-test-file-101.emf", {481, 360}},
      {"emf/libemf2svg-test-007.emf", {55, 54}},      {"emf/libemf2svg-test-013.emf", {554, 663}},
      {"emf/libemf2svg-test-023.emf", {229, 135}},    {"emf/libemf2svg-test-030.emf", {635, 762}},
      {"emf/libemf2svg-test-041.emf", {1122, 794}},   {"emf/libgdiplus-test.emf", {73, 71}},
      {"emf/pillow-drawing.emf", {110, 110}},
      {"emf/libemf2svg-bad_corrupted_2014-12-02-215400.emf", {55, 38}},  // its bad description is not read
  };
  ExpectCorpusSizes(RenderEmf, rows);
  const auto corrupted = CorpusPath("emf/libemf2svg-bad_corrupted_2014-12-02-215338.emf");
  if (!corrupted) return;
  EXPECT_EQ(FailureMessage(RenderEmf, ReadWholeFile(*corrupted)), "The EMF header record runs past the end of the file");
}

}  // namespace
}  // namespace sf::test
