// Writing GIF files: the exact bytes of small one-picture files and animations
// worked out by hand, colour-table merging with transparency, failures, round
// trips through our reader, and other programs reading what we write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "common/file_util.h"
#include "gif/gif_color_reduction.h"
#include "gif_fixture.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using test::Bytes;
using test::Join;
using ::testing::ElementsAre;

const Bytes kGraphicControlDelay4 = {0x21, 0xF9, 4, 0x00, 4, 0, 0, 0};

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Adds a frame as the GIF compile does: loop extension on frame 0, a graphic
// control extension with the delay, then Pack.
TGIFSubImage& AddFrame(TGIFImage& image, const Bitmap& bitmap, std::uint16_t delay, int loops = 0) {
  const int k = image.Add(bitmap);
  TGIFSubImage& frame = image.Frame(k);
  if (k == 0) {
    auto loop = std::make_shared<TGIFAppExtNSLoop>();
    loop->SetLoops(static_cast<std::uint16_t>(loops));
    frame.AppendExtension(loop);
  }
  auto control = frame.CreateGraphicControlExtension();
  control->SetDelay(delay);
  frame.AppendExtension(control);
  image.Pack();
  return frame;
}

void SetTransparentIndex(TGIFSubImage& frame, std::uint8_t index) {
  frame.GraphicControlExtension()->SetTransparent(true);
  frame.GraphicControlExtension()->SetTransparentColorIndex(index);
}

TEST(GifWriter, OnePictureFileHasItsOwnTableAndNoExtensions) {
  TGIFImage image;
  image.Assign(test::MakeFromRows({{0xFF0000, 0x0000FF}}));  // red, blue: web indices 180 and 5
  Bytes table;
  for (const Rgb& c : WebPalette()) table.insert(table.end(), {c.r, c.g, c.b});
  table.resize(256 * 3, 0);
  const Bytes expected = Join({Text("GIF87a"),
                               {2, 0, 1, 0, 0x77, 0, 0},               // no global table, 8 bits
                               {0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0x87},  // local table of 2^8
                               table,
                               {8, 5, 0x00, 0x69, 0x15, 0x08, 0x08, 0},  // clear 180 5 end, 9-bit codes
                               test::kTrailer});
  EXPECT_EQ(test::SaveGif(image), expected);

  // A paletted picture keeps its palette: 3 colours make a local table of 4.
  image.Assign(test::PalettedBitmap(1, 1, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {2}));
  const Bytes small = test::SaveGif(image);
  EXPECT_THAT(Bytes(small.begin() + 10, small.end()),
              ElementsAre(0x11, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x81, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,
                          2, 2, 0x54, 0x01, 0, 0x3B));  // min code 2: clear 2 end in 3-bit codes
}

TEST(GifWriter, AnimationMergesItsTablesAndWritesTheLoopBeforeTheTiming) {
  const Rgb red{255, 0, 0}, blue{0, 0, 255};
  TGIFImage image;
  image.SetColorReduction(TColorReduction::rmQuantize);
  AddFrame(image, test::MakeFromRows({{0xFF0000, 0xFF0000}, {0xFF0000, 0x0000FF}}), 4, 3);
  AddFrame(image, test::MakeSolid(2, 2, blue), 4);
  ASSERT_TRUE(image.Frame(0).ColorMap().Empty());  // Pack moved frame 0's table to the global table
  ASSERT_EQ(image.Frame(1).ColorMap().Count(), 256);
  image.OptimizeColorMap();
  EXPECT_THAT(image.GlobalColorMap().Colors(), ElementsAre(blue, red));  // blue is used 5 times, red 3

  const Bytes descriptor = {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00};
  const Bytes expected = Join({Text("GIF89a"),
                               {2, 0, 2, 0, 0x88, 0, 0},  // global table of 2, sorted
                               {0, 0, 255, 255, 0, 0},
                               {0x21, 0xFF, 11}, Text("NETSCAPE2.0"), {3, 1, 3, 0, 0},
                               kGraphicControlDelay4, descriptor,
                               {2, 2, 0x8C, 0x51, 0},  // clear 1 6 0 end: indices 1 1 1 0
                               kGraphicControlDelay4, descriptor,
                               {2, 2, 0x84, 0x51, 0},  // clear 0 6 0 end: indices 0 0 0 0
                               test::kTrailer});
  EXPECT_EQ(test::SaveGif(image), expected);

  // One colour: a table of 2 (the colour and a zero triple) and code size 2.
  TGIFImage solid;
  solid.SetColorReduction(TColorReduction::rmQuantize);
  for (int i = 0; i < 2; ++i) AddFrame(solid, test::MakeSolid(3, 2, Rgb{0, 200, 0}), 10);
  solid.OptimizeColorMap();
  const Bytes bytes = test::SaveGif(solid);
  EXPECT_THAT(Bytes(bytes.begin() + 10, bytes.begin() + 19), ElementsAre(0x88, 0, 0, 0, 200, 0, 0, 0, 0));
  const std::size_t first_image = 19 + 19 + 8;  // after the loop and graphic control extensions
  EXPECT_THAT(Bytes(bytes.begin() + first_image + 9, bytes.begin() + first_image + 11), ElementsAre(0x00, 2));
}

TEST(GifWriter, TransparentColoursMoveToOneBlackEntryAfterTheKeptColours) {
  const Rgb white{255, 255, 255}, red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
  TGIFImage image;
  SetTransparentIndex(AddFrame(image, test::PalettedBitmap(2, 2, {white, red, green, blue}, {0, 1, 2, 3}), 4), 0);
  SetTransparentIndex(AddFrame(image, test::PalettedBitmap(2, 2, {red, {1, 1, 1}}, {0, 0, 0, 1}), 4), 1);
  // Transparent by its extension, but no pixel has the index.
  SetTransparentIndex(AddFrame(image, test::PalettedBitmap(2, 2, {red, blue}, {0, 0, 0, 0}), 4), 1);
  image.OptimizeColorMap();

  EXPECT_THAT(image.GlobalColorMap().Colors(), ElementsAre(red, green, blue, Rgb{0, 0, 0}));
  const auto pixels = [&image](int i) { return Bytes(image.Frame(i).Data().begin(), image.Frame(i).Data().end()); };
  EXPECT_THAT(pixels(0), ElementsAre(3, 0, 1, 2));
  EXPECT_THAT(pixels(1), ElementsAre(0, 0, 0, 3));
  EXPECT_THAT(pixels(2), ElementsAre(0, 0, 0, 0));
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(image.Frame(i).Transparent());
    EXPECT_EQ(image.Frame(i).GraphicControlExtension()->GetTransparentColorIndex(), 3);
  }
  EXPECT_FALSE(image.Frame(2).Transparent());
  EXPECT_EQ(image.Frame(2).GraphicControlExtension()->GetTransparentColorIndex(), 0);

  // With more colours than fit, 255 are kept and the transparent entry is the 256th.
  TGIFImage many;
  std::vector<Rgb> palette_a, palette_b;
  std::vector<std::uint8_t> indices(256);
  for (int i = 0; i < 256; ++i) {
    palette_a.push_back(Rgb{static_cast<std::uint8_t>(i), 0, 0});
    palette_b.push_back(Rgb{0, static_cast<std::uint8_t>(i), 7});
    indices[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  }
  SetTransparentIndex(AddFrame(many, test::PalettedBitmap(16, 16, palette_a, indices), 4), 9);
  AddFrame(many, test::PalettedBitmap(16, 16, palette_b, indices), 4);
  many.OptimizeColorMap();
  ASSERT_EQ(many.GlobalColorMap().Count(), 256);
  EXPECT_EQ(many.GlobalColorMap()[255], (Rgb{0, 0, 0}));
  EXPECT_EQ(many.Frame(0).GraphicControlExtension()->GetTransparentColorIndex(), 255);
  EXPECT_EQ(many.Frame(0).GetPixel(9, 0), 255);
  EXPECT_EQ(test::SaveGif(many)[10], 0xFF);
}

TEST(GifWriter, RefusesWhatAGifCannotHoldAndLeavesNoPartialFile) {
  TGIFImage empty;
  EXPECT_EQ(test::ErrorOf([&] { test::SaveGif(empty); }), "Unsupported GIF version");
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/out.gif";
  WriteWholeFile(path, "old");
  TGIFImage image;
  image.Assign(test::PalettedBitmap(2, 1, {{0, 0, 0}, {9, 9, 9}}, {0, 1}));
  image.Frame(0).MutableData()[1] = 2;  // beyond the 2-entry table
  EXPECT_EQ(test::ErrorOf([&] { image.SaveToFile(path); }), "Color not in color table");
  EXPECT_EQ(ReadWholeFile(path), Text("old"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  std::filesystem::remove_all(dir);
}

// Every corpus GIF read, written and read again keeps its frames, colours,
// timing and loops.
TEST(GifWriter, CorpusFilesSurviveARoundTrip) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(*root + "/gif")) {
    if (!entry.is_regular_file()) continue;
    const auto first = test::LoadGif(ReadWholeFile(entry.path()));
    if (!first.error.empty() || first.image->Count() == 0) continue;
    if (entry.path().filename() == "no_palette.gif") continue;  // no colour table at all: nothing to write
    SCOPED_TRACE(entry.path().string());
    const auto second = test::LoadGif(test::SaveGif(*first.image));
    ASSERT_EQ(second.error, "");
    ASSERT_EQ(second.image->Count(), first.image->Count());
    for (int i = 0; i < first.image->Count(); ++i) {
      const TGIFSubImage& a = first.image->Frame(i);
      const TGIFSubImage& b = second.image->Frame(i);
      ASSERT_EQ(a.Empty(), b.Empty());  // an empty frame writes only its extensions
      if (!a.Empty()) {
        ASSERT_EQ(a.GetBoundsRect(), b.GetBoundsRect());
        EXPECT_TRUE(std::equal(a.Data().begin(), a.Data().end(), b.Data().begin()));
        EXPECT_EQ(test::FirstDifference(a.GetBitmap(), b.GetBitmap()), "");
      }
      ASSERT_EQ(a.Extensions().size(), b.Extensions().size());
      for (std::size_t e = 0; e < a.Extensions().size(); ++e) {
        const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(a.Extensions()[e].get());
        if (loop) {
          EXPECT_EQ(loop->Loops(), dynamic_cast<const TGIFAppExtNSLoop&>(*b.Extensions()[e]).Loops());
        }
      }
      if (a.GraphicControlExtension()) {
        EXPECT_EQ(a.GraphicControlExtension()->Packed() & 0x1F, b.GraphicControlExtension()->Packed());
        EXPECT_EQ(a.GraphicControlExtension()->GetDelay(), b.GraphicControlExtension()->GetDelay());
      }
    }
    ++checked;
  }
  EXPECT_GE(checked, 50);
}

// ImageMagick decodes our image data to the same colours: noise that fills the
// string table many times over, and a frame written interlaced.
TEST(GifWriter, ImageMagickDecodesOurImageData) {
  if (test::RunCommand("test -x /usr/bin/convert") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> noise(301 * 203);
  std::uint32_t seed = 5;
  for (int i = 0; i < 256; ++i) {
    palette.push_back(Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 77});
  }
  for (std::uint8_t& index : noise) index = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 24);
  TGIFImage image;
  image.Assign(test::PalettedBitmap(301, 203, palette, noise));
  const std::string dir = test::MakeTempDir();
  const std::string path = dir + "/noise.gif";
  for (const bool interlaced : {false, true}) {
    image.Pack();  // the frame moves to the global table, where the interlace flag is written as read
    image.Frame(0).SetDescriptorFlags(interlaced ? 0x40 : 0x00);
    image.SaveToFile(path);
    const auto reference = test::ReferenceRgb(path);
    ASSERT_TRUE(reference);
    EXPECT_EQ(test::CompareWithReference(image.Frame(0).GetBitmap(), *reference, 0), "") << interlaced;
  }
  std::filesystem::remove_all(dir);
}

// ffprobe and ImageMagick read our animations with the frame count, delays and
// loop count we wrote (ImageMagick counts the first play: "Iterations" is the
// loop count + 1, except 0 for endless).
TEST(GifWriter, OtherProgramsReadOurAnimations) {
  const bool ffprobe = test::HaveProgram("ffprobe");
  const bool identify = test::RunCommand("test -x /usr/bin/identify") == 0;
  if (!ffprobe && !identify) GTEST_SKIP() << "neither ffprobe nor ImageMagick is installed";
  const std::string dir = test::MakeTempDir();
  for (const int loops : {0, 3}) {
    TGIFImage image;
    image.SetColorReduction(TColorReduction::rmQuantize);
    const std::uint16_t delays[] = {4, 7, 100};
    for (const std::uint16_t delay : delays) AddFrame(image, test::MakeGradient(33 + delay % 5, 21), delay, loops);
    image.OptimizeColorMap();
    const std::string path = dir + "/anim" + std::to_string(loops) + ".gif";
    image.SaveToFile(path);
    SCOPED_TRACE(path);
    if (ffprobe) {
      std::string out;
      const std::string durations = "ffprobe -v error -show_entries frame=pkt_duration_time -of csv=p=0 '";
      ASSERT_EQ(test::RunCommand(durations + path + "'", &out), 0);
      EXPECT_EQ(out, "0.040000\n0.070000\n1.000000\n");
    }
    if (identify) {
      std::string out;
      ASSERT_EQ(test::RunCommand("/usr/bin/identify -format '%T ' '" + path + "'", &out), 0);
      EXPECT_EQ(out, "4 7 100 ");
      ASSERT_EQ(test::RunCommand("/usr/bin/identify -verbose '" + path + "[0]' | grep Iterations", &out), 0);
      EXPECT_THAT(out, ::testing::HasSubstr("Iterations: " + std::to_string(loops == 0 ? 0 : loops + 1)));
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sf
