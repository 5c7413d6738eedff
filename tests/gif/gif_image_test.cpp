// The GIF model and its rendering: graphic control extensions and their frame,
// range checks, bitmaps added as frames, Pack, the still picture and the
// picture the loader gets.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gif/gif_picture.h"
#include "gif_fixture.h"
#include "image/halftone_palette.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::Bytes;
using test::Join;
using ::testing::ElementsAre;

template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const GIFException& e) {
    return e.what();
  }
  return "";
}

TEST(GifImage, StartsWithTheDefaultOptionsAndChecksItsRanges) {
  TGIFImage image;
  EXPECT_EQ(image.DrawOptions().Bits(), 0x060Fu);
  EXPECT_EQ(image.ColorReduction(), TColorReduction::rmNetscape);
  EXPECT_EQ(image.ReductionBits(), 8);
  EXPECT_EQ(image.DitherMode(), TDitherMode::dmNearest);
  EXPECT_EQ(image.Compression(), TGIFCompression::gcLZW);
  EXPECT_EQ(image.AnimationSpeed(), 100);
  EXPECT_EQ(ErrorOf([&] { image.SetReductionBits(9); }), "Invalid Bits Per Pixel value");
  image.SetAnimationSpeed(-5);
  EXPECT_EQ(image.AnimationSpeed(), 0);
  image.SetAnimationSpeed(5000);
  EXPECT_EQ(image.AnimationSpeed(), 1000);

  image.Add(test::PalettedBitmap(3, 2, {{0, 0, 0}, {1, 1, 1}}, {0, 1, 0, 1, 1, 1}));
  const TGIFSubImage& frame = image.Frame(0);
  EXPECT_EQ(frame.GetPixel(1, 0), 1);
  for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}}) {
    EXPECT_EQ(ErrorOf([&, x = x, y = y] { frame.GetPixel(x, y); }), "Invalid pixel coordinates");
  }
}

TEST(GifImage, AGraphicControlExtensionBelongsToItsFrameFromTheStart) {
  TGIFImage image;
  TGIFSubImage& frame = image.Frame(image.Add(test::PalettedBitmap(2, 1, {{0, 0, 0}, {10, 20, 30}, {5, 5, 5}}, {1, 0})));
  ASSERT_EQ(frame.GraphicControlExtension(), nullptr);
  const auto control = frame.CreateGraphicControlExtension();
  EXPECT_EQ(frame.GraphicControlExtension(), control.get());  // before it is in the list
  EXPECT_TRUE(frame.Extensions().empty());
  EXPECT_EQ(control->GetDelay(), 0);
  EXPECT_EQ(control->GetDisposal(), TDisposalMethod::dmNone);
  const auto second = frame.CreateGraphicControlExtension();
  EXPECT_EQ(frame.GraphicControlExtension(), control.get());  // the first one stays the frame's

  control->SetTransparent(true);
  EXPECT_TRUE(frame.Transparent());
  control->SetTransparentColorIndex(3);  // beyond the 3-colour table
  EXPECT_EQ(control->GetTransparentColorIndex(), 0);
  control->SetTransparentColorIndex(1);
  EXPECT_EQ(control->GetTransparentColorIndex(), 1);
  EXPECT_EQ(control->GetTransparentColor(), 0x001E140Au);
  control->SetDisposal(TDisposalMethod::dmPrevious);
  control->SetUserInput(true);
  EXPECT_EQ(control->Packed(), 3 * 4 + 2 + 1);
  second->SetTransparent(false);
  EXPECT_TRUE(frame.Transparent());
}

TEST(GifImage, AddedBitmapsKeepTheirIndicesAndGrowTheScreen) {
  TGIFImage image;
  std::vector<std::string> warnings;
  image.SetWarningHandler([&warnings](const std::string& text) { warnings.push_back(text); });
  Bitmap one_bit(10, 1, PixelFormat::kBits1);
  for (int x = 0; x < 10; ++x) one_bit.SetPixelIndex(x, 0, static_cast<std::uint8_t>(x % 3 == 0));
  Bitmap four_bit(3, 2, PixelFormat::kBits4);
  for (int i = 0; i < 6; ++i) four_bit.SetPixelIndex(i % 3, i / 3, static_cast<std::uint8_t>(i + 9));
  image.Add(one_bit);
  EXPECT_TRUE(warnings.empty());  // the first frame sets the screen quietly
  image.Add(four_bit);
  image.Add(Bitmap());
  EXPECT_EQ(image.Width(), 10);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_THAT(warnings, ElementsAre("Image height too small for contained frames"));
  EXPECT_THAT(std::vector<std::uint8_t>(image.Frame(0).Data().begin(), image.Frame(0).Data().end()),
              ElementsAre(1, 0, 0, 1, 0, 0, 1, 0, 0, 1));
  EXPECT_THAT(std::vector<std::uint8_t>(image.Frame(1).Data().begin(), image.Frame(1).Data().end()),
              ElementsAre(9, 10, 11, 12, 13, 14));
  EXPECT_EQ(image.Frame(1).ColorMap().Count(), 16);
  EXPECT_TRUE(image.Frame(2).Empty());

  // Pack hands a lone frame's table to the image; with more frames the tables stay.
  image.Pack();
  EXPECT_TRUE(image.GlobalColorMap().Empty());
  image.Assign(one_bit);
  ASSERT_EQ(image.Count(), 1);
  image.Pack();
  EXPECT_EQ(image.GlobalColorMap().Count(), 2);
  EXPECT_TRUE(image.Frame(0).ColorMap().Empty());
  EXPECT_EQ(image.Frame(0).GetBitmap().Palette().size(), 2u);
}

// Screen 3 x 2, global table black and red, transparent index 1, the 2 x 2
// checker (0 1 / 1 0) at 0,0.
Bytes TransparentChecker() {
  Bytes screen = test::ScreenWithBlackAndWhite(3, 2);
  screen[16] = 255, screen[17] = 0, screen[18] = 0;
  return Join({screen, {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0}, test::CheckerImage(), test::kTrailer});
}

TEST(GifRender, TheLoaderSeesTheFirstFrameOverWhite) {
  const Bitmap picture = LoadGifPicture(TransparentChecker());
  ASSERT_EQ(picture.Format(), PixelFormat::kBits8);
  EXPECT_TRUE(IsHalftonePalette(picture.Palette()));
  EXPECT_EQ(test::FirstDifference(picture, test::MakeFromRows({{0x000000, 0xFFFFFF, 0xFFFFFF},
                                                               {0xFFFFFF, 0x000000, 0xFFFFFF}})), "");
  // The still picture draws the smaller first frame opaquely on a white 24-bit screen.
  const auto loaded = test::LoadGif(TransparentChecker());
  const Bitmap& still = loaded.image->StillBitmap();
  EXPECT_EQ(still.Format(), PixelFormat::kBits24);
  EXPECT_EQ(test::FirstDifference(still, test::MakeFromRows({{0x000000, 0xFF0000, 0xFFFFFF},
                                                             {0xFF0000, 0x000000, 0xFFFFFF}})), "");
  EXPECT_THAT(std::vector<std::uint8_t>(loaded.image->Frame(0).GetMask().Row(0).begin(),
                                        loaded.image->Frame(0).GetMask().Row(0).begin() + 1),
              ElementsAre(0x40));
}

TEST(GifRender, AScreenSizedFirstFrameIsItsOwnStillPicture) {
  const auto loaded = test::LoadGif(Join({test::ScreenWithBlackAndWhite(2, 2), test::CheckerImage(), test::kTrailer}));
  const Bitmap& still = loaded.image->StillBitmap();
  ASSERT_EQ(still.Format(), PixelFormat::kBits8);
  EXPECT_THAT(still.Palette(), ElementsAre(Rgb{0, 0, 0}, Rgb{255, 255, 255}));
  EXPECT_EQ(still.PixelIndex(1, 0), 1);
  EXPECT_EQ(still.PixelIndex(1, 1), 0);
  EXPECT_TRUE(loaded.image->Frame(0).GetMask().Empty());
}

}  // namespace
}  // namespace sf
