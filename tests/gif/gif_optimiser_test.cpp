// The optimised GIF: repeated pictures merged with their delays added, frames
// that cover only what changed, and files that, read back and composed as a
// browser composes them, show every picture again: exactly where a picture has
// few colours, up to the colour reduction where it has many.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>

#include "gif/gif_extensions.h"
#include "gif/gif_fixture.h"
#include "gif/gif_image.h"
#include "gif/gif_optimiser.h"
#include "gif/gif_playback.h"
#include "support/pictures.h"

namespace sf {
namespace {

constexpr int kW = 24;
constexpr int kH = 16;
constexpr Rgb kPaper{255, 255, 255};

// What a browser shows after each frame: colours, and where nothing is drawn.
struct Screen {
  std::vector<Rgb> color;
  std::vector<bool> clear;
};

// Frames drawn in order on a canvas that starts clear: transparent pixels keep
// what is below; disposal 2 clears the frame's rectangle, 3 puts back what was
// under it.
std::vector<Screen> Compose(const TGIFImage& gif) {
  Screen canvas{std::vector<Rgb>(static_cast<std::size_t>(gif.Width()) * gif.Height()),
                std::vector<bool>(static_cast<std::size_t>(gif.Width()) * gif.Height(), true)};
  std::vector<Screen> shown;
  for (int k = 0; k < gif.Count(); ++k) {
    const TGIFSubImage& frame = gif.Frame(k);
    const Screen before = canvas;
    const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
    const bool transparent = control != nullptr && control->GetTransparent();
    for (int y = 0; y < frame.Height(); ++y) {
      for (int x = 0; x < frame.Width(); ++x) {
        const std::uint8_t index = frame.GetPixel(x, y);
        if (transparent && index == control->GetTransparentColorIndex()) continue;
        const std::size_t i = static_cast<std::size_t>(frame.Top() + y) * gif.Width() + frame.Left() + x;
        canvas.color[i] = frame.ActiveColorMap().ColorOrBlack(index);
        canvas.clear[i] = false;
      }
    }
    shown.push_back(canvas);
    const TDisposalMethod disposal = control != nullptr ? control->GetDisposal() : TDisposalMethod::dmNone;
    for (int y = frame.Top(); y < frame.Top() + frame.Height(); ++y) {
      for (int x = frame.Left(); x < frame.Left() + frame.Width(); ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * gif.Width() + x;
        if (disposal == TDisposalMethod::dmBackground) canvas.clear[i] = true;
        if (disposal == TDisposalMethod::dmPrevious) {
          canvas.color[i] = before.color[i];
          canvas.clear[i] = before.clear[i];
        }
      }
    }
  }
  return shown;
}

// A picture on paper: a red square at (x, 2) and a fixed blue bar.
Bitmap Scene(int square_x, int bar_width = 6) {
  Bitmap picture = test::MakeSolid(kW, kH, kPaper);
  for (int y = 2; y < 7; ++y) {
    for (int x = square_x; x < square_x + 5; ++x) picture.SetPixelColor(x, y, Rgb{220, 20, 20});
  }
  for (int x = 0; x < bar_width; ++x) picture.SetPixelColor(x + 2, 12, Rgb{20, 20, 200});
  return picture;
}

std::unique_ptr<TGIFImage> BuildAndReadBack(const GifOptimiser& optimiser) {
  TGIFImage built;
  optimiser.Build(built);
  test::LoadedGif loaded = test::LoadGif(test::SaveGif(built));
  EXPECT_EQ(loaded.error, "");
  return std::move(loaded.image);
}

std::vector<int> FrameDelays(const TGIFImage& gif) {
  std::vector<int> delays;
  for (int k = 0; k < gif.Count(); ++k) delays.push_back(gif.Frame(k).GraphicControlExtension()->GetDelay());
  return delays;
}

TEST(GifOptimiser, MergedPicturesStartWhereTheirFirstFrameWould) {
  // Pictures per output frame, with the delays the classic carry gives at 29.97.
  const std::vector<int> shown{0, 0, 1, 0, 0, 0, 2, 2, 2, 2, 1};
  const std::vector<int> delays{3, 3, 3, 4, 3, 3, 4, 3, 3, 4, 3};
  GifOptimiser optimiser(kW, kH, {});
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto delay = static_cast<std::uint16_t>(delays[i]);
    if (i > 0 && i % 2 == 0 && shown[i] == shown[i - 1]) {
      optimiser.Repeat(delay);   // a row's copies
    } else {
      optimiser.Add(Scene(2 + 6 * shown[i]), delay);
    }
  }
  const std::unique_ptr<TGIFImage> gif = BuildAndReadBack(optimiser);
  ASSERT_EQ(gif->Count(), 5);
  EXPECT_EQ(FrameDelays(*gif), (std::vector<int>{6, 3, 10, 14, 3}));
  // Each frame starts at the sum of the classic delays before its first copy.
  std::vector<int> starts{0};
  for (int k = 0; k + 1 < gif->Count(); ++k) starts.push_back(starts.back() + FrameDelays(*gif)[k]);
  EXPECT_EQ(starts, (std::vector<int>{0, 6, 9, 19, 33}));
  EXPECT_EQ(std::accumulate(delays.begin(), delays.end(), 0), starts.back() + 3);
}

TEST(GifOptimiser, IdenticalPicturesGiveOneFrameWithTheWholeDelay) {
  GifOptimiser optimiser(kW, kH, {});
  for (int i = 0; i < 40; ++i) optimiser.Add(Scene(4), 10);
  const std::unique_ptr<TGIFImage> gif = BuildAndReadBack(optimiser);
  ASSERT_EQ(gif->Count(), 1);
  EXPECT_EQ(FrameDelays(*gif), std::vector<int>{400});
  EXPECT_EQ(gif->Frame(0).GetBoundsRect(), (GifRect{0, 0, kW, kH}));

  // Past 16 bits the picture goes on in a frame that changes nothing.
  GifOptimiser slow(kW, kH, {});
  slow.Add(Scene(4), 60000);
  slow.Repeat(10000);
  const std::unique_ptr<TGIFImage> two = BuildAndReadBack(slow);
  ASSERT_EQ(two->Count(), 2);
  EXPECT_EQ(FrameDelays(*two), (std::vector<int>{60000, 10000}));
  const std::vector<Screen> screens = Compose(*two);
  EXPECT_EQ(screens[1].color, screens[0].color);
}

// The pictures as a viewer must show them with the given settings.
std::vector<Screen> Expected(const std::vector<Bitmap>& pictures, int transparency, bool draw_on_top) {
  std::vector<Screen> expected;
  for (const Bitmap& picture : pictures) {
    Screen screen{std::vector<Rgb>(kW * kH), std::vector<bool>(kW * kH, false)};
    const Rgb key = picture.PixelColor(0, transparency == 1 ? 0 : kH - 1);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * kW + x;
        screen.color[i] = picture.PixelColor(x, y);
        if (transparency == 0 || screen.color[i] != key) continue;
        if (draw_on_top && !expected.empty()) {
          screen.color[i] = expected.back().color[i];
          screen.clear[i] = expected.back().clear[i];
        } else {
          screen.color[i] = Rgb{};
          screen.clear[i] = true;
        }
      }
    }
    expected.push_back(screen);
  }
  return expected;
}

void ExpectShows(const std::vector<Screen>& shown, const std::vector<Screen>& expected) {
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t k = 0; k < shown.size(); ++k) {
    EXPECT_EQ(shown[k].clear, expected[k].clear) << "frame " << k;
    for (std::size_t i = 0; i < shown[k].color.size(); ++i) {
      if (expected[k].clear[i]) continue;
      ASSERT_EQ(shown[k].color[i], expected[k].color[i]) << "frame " << k << " pixel " << i;
    }
  }
}

TEST(GifOptimiser, ComposesToEveryPictureWithEachTransparencyAndDrawMethod) {
  // The square moves right; the bar shrinks, so paper (the key colour) comes
  // back where the bar was, and finally the top-left corner changes colour.
  std::vector<Bitmap> pictures{Scene(2), Scene(5), Scene(9, 3), Scene(14, 3)};
  pictures.push_back(Scene(14, 3));
  pictures.back().SetPixelColor(0, 0, Rgb{0, 128, 0});
  struct Case {
    int transparency;
    bool draw_on_top;
  };
  for (const Case c : {Case{0, false}, Case{1, false}, Case{1, true}, Case{2, false}, Case{2, true}}) {
    SCOPED_TRACE(::testing::Message() << "transparency " << c.transparency << " on top " << c.draw_on_top);
    GifOptimiserOptions options;
    options.transparency = c.transparency;
    options.draw_on_top = c.draw_on_top;
    options.loops = 3;
    GifOptimiser optimiser(kW, kH, options);
    for (const Bitmap& picture : pictures) optimiser.Add(picture, 5);
    const std::unique_ptr<TGIFImage> gif = BuildAndReadBack(optimiser);
    ExpectShows(Compose(*gif), Expected(pictures, c.transparency, c.draw_on_top));
    // Only the square's path is written again after the first frame.
    EXPECT_LT(gif->Frame(1).Width() * gif->Frame(1).Height(), kW * kH / 2);
    const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(gif->Frame(0).Extensions().front().get());
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->Loops(), 3);
  }
}

TEST(GifOptimiser, OpaqueFilesComposeTheSameInTheCodecsOwnPlayer) {
  GifOptimiser optimiser(kW, kH, {});
  for (const int x : {2, 5, 9, 14}) optimiser.Add(Scene(x), 5);
  const std::unique_ptr<TGIFImage> gif = BuildAndReadBack(optimiser);
  GifCompositor player(*gif);
  const std::vector<Screen> ours = Compose(*gif);
  for (int k = 0; k < gif->Count(); ++k) {
    const Bitmap& canvas = player.ComposeTo(k);
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) ASSERT_EQ(canvas.PixelColor(x, y), ours[k].color[y * kW + x]) << k;
    }
  }
}

// A picture of many colours: a gradient with grain.
Bitmap Photo(int width, int height, int seed) {
  Bitmap picture(width, height);
  std::mt19937 random(static_cast<unsigned>(seed));
  std::normal_distribution<double> grain(0.0, 6.0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto channel = [&](double v) {
        return static_cast<std::uint8_t>(std::clamp(v + grain(random), 0.0, 255.0));
      };
      picture.SetPixelColor(x, y, Rgb{channel(255.0 * x / width), channel(255.0 * y / height),
                                      channel(128 + 100 * std::sin((x + y + seed * 9) / 9.0))});
    }
  }
  return picture;
}

double Psnr(const Screen& shown, const Bitmap& picture) {
  double error = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb a = shown.color[static_cast<std::size_t>(y) * picture.Width() + x];
      const Rgb b = picture.PixelColor(x, y);
      error += std::pow(a.r - b.r, 2) + std::pow(a.g - b.g, 2) + std::pow(a.b - b.b, 2);
    }
  }
  return 10 * std::log10(255.0 * 255.0 * 3 * picture.Width() * picture.Height() / error);
}

TEST(GifOptimiser, PicturesOfManyColoursComeBackUpToTheColourReduction) {
  const int w = 96, h = 64;
  std::vector<Bitmap> pictures{Photo(w, h, 1), Photo(w, h, 2), Photo(w, h, 2)};
  // The third picture changes only in a corner.
  for (int y = 40; y < 60; ++y) {
    for (int x = 60; x < 90; ++x) pictures[2].SetPixelColor(x, y, Rgb{10, static_cast<std::uint8_t>(4 * y), 240});
  }
  for (const GifDither dither : {GifDither::kNone, GifDither::kFloydSteinberg, GifDither::kOrdered}) {
    SCOPED_TRACE(static_cast<int>(dither));
    GifOptimiserOptions options;
    options.dither = dither;
    options.threads = 2;
    GifOptimiser optimiser(w, h, options);
    for (const Bitmap& picture : pictures) optimiser.Add(picture, 10);
    const std::unique_ptr<TGIFImage> gif = BuildAndReadBack(optimiser);
    ASSERT_EQ(gif->Count(), 3);
    EXPECT_EQ(gif->Frame(2).GetBoundsRect(), (GifRect{60, 40, 90, 60}));
    const std::vector<Screen> shown = Compose(*gif);
    // Error diffusion trades some of the error for smooth tones.
    const double least = dither == GifDither::kFloydSteinberg ? 28.0 : 30.0;
    for (std::size_t k = 0; k < pictures.size(); ++k) EXPECT_GT(Psnr(shown[k], pictures[k]), least) << k;
  }
}

}  // namespace
}  // namespace sf
