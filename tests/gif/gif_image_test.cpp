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
using test::ErrorOf;
using test::Join;
using ::testing::ElementsAre;

TEST(GifImage, AGraphicControlExtensionBelongsToItsFrameFromTheStart) {
  TGIFImage image;
  TGIFSubImage& frame =
      image.Frame(image.Add(test::PalettedBitmap(2, 1, {{0, 0, 0}, {10, 20, 30}, {5, 5, 5}}, {1, 0})));
  ASSERT_EQ(frame.GraphicControlExtension(), nullptr);
  const auto control = frame.CreateGraphicControlExtension();
  EXPECT_EQ(frame.GraphicControlExtension(), control.get());  // before it is in the list
  EXPECT_TRUE(frame.Extensions().empty());
  EXPECT_EQ(control->GetDelay(), 0);
  const auto second = frame.CreateGraphicControlExtension();
  EXPECT_EQ(frame.GraphicControlExtension(), control.get());  // the first one stays the frame's

  control->SetTransparent(true);
  second->SetTransparent(false);
  EXPECT_TRUE(frame.Transparent());
  control->SetTransparentColorIndex(3);  // beyond the 3-colour table
  EXPECT_EQ(control->GetTransparentColorIndex(), 0);
  control->SetTransparentColorIndex(1);
  EXPECT_EQ(control->GetTransparentColor(), 0x001E140Au);
  control->SetDisposal(TDisposalMethod::dmPrevious);
  control->SetUserInput(true);
  EXPECT_EQ(control->Packed(), 3 * 4 + 2 + 1);

  for (const auto& [x, y] : {std::pair{-1, 0}, {2, 0}, {0, 1}}) {
    EXPECT_EQ(ErrorOf([&, x = x, y = y] { frame.GetPixel(x, y); }), "Invalid pixel coordinates");
  }
  EXPECT_EQ(ErrorOf([&] { image.SetReductionBits(9); }), "Invalid Bits Per Pixel value");
  image.SetAnimationSpeed(5000);
  EXPECT_EQ(image.AnimationSpeed(), 1000);
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
  EXPECT_TRUE(image.Frame(2).Empty());

  // Pack hands a lone frame's table to the image; with more frames the tables stay.
  image.Pack();
  EXPECT_TRUE(image.GlobalColorMap().Empty());
  image.Assign(one_bit);
  image.Pack();
  EXPECT_EQ(image.GlobalColorMap().Count(), 2);
  EXPECT_TRUE(image.Frame(0).ColorMap().Empty());
}

TEST(GifRender, TheLoaderSeesTheFirstFrameOverWhiteAndTheStillDrawsItOpaquely) {
  // Screen 3 x 2, table black and red, transparent index 1, the checker 0 1 / 1 0 at 0,0.
  Bytes screen = test::ScreenWithBlackAndWhite(3, 2);
  screen[16] = 255, screen[17] = 0, screen[18] = 0;
  const Bytes file = Join({screen, {0x21, 0xF9, 4, 0x01, 0, 0, 1, 0}, test::CheckerImage(), test::kTrailer});
  const Bitmap picture = LoadGifPicture(file);
  ASSERT_EQ(picture.Format(), PixelFormat::kBits8);
  EXPECT_TRUE(IsHalftonePalette(picture.Palette()));
  EXPECT_EQ(test::FirstDifference(picture, test::MakeFromRows({{0x000000, 0xFFFFFF, 0xFFFFFF},
                                                               {0xFFFFFF, 0x000000, 0xFFFFFF}})), "");
  const auto loaded = test::LoadGif(file);
  const Bitmap& still = loaded.image->StillBitmap();
  EXPECT_EQ(still.Format(), PixelFormat::kBits24);
  EXPECT_EQ(test::FirstDifference(still, test::MakeFromRows({{0x000000, 0xFF0000, 0xFFFFFF},
                                                             {0xFF0000, 0x000000, 0xFFFFFF}})), "");
  EXPECT_EQ(loaded.image->Frame(0).GetMask().Row(0)[0], 0x40);  // pixel (1, 0)

  // A first frame of the screen's size is its own still picture: 8-bit, its table.
  const auto full = test::LoadGif(Join({test::ScreenWithBlackAndWhite(2, 2), test::CheckerImage(), test::kTrailer}));
  const Bitmap& own = full.image->StillBitmap();
  ASSERT_EQ(own.Format(), PixelFormat::kBits8);
  EXPECT_THAT(own.Palette(), ElementsAre(Rgb{0, 0, 0}, Rgb{255, 255, 255}));
  EXPECT_EQ(own.PixelIndex(1, 0), 1);
}

}  // namespace
}  // namespace sf
