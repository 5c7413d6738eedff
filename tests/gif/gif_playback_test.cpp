// Playback timing (delays in 12 ms units, the default and the limits, speed,
// passes) and the composition of successive frames with their disposal methods.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/file_util.h"
#include "gif/gif_playback.h"
#include "gif_fixture.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using ::testing::ElementsAre;

std::vector<int> Waits(const GifPlayback& plan) {
  std::vector<int> out;
  for (const GifPlaybackStep& step : plan.pass) out.push_back(step.wait_ms);
  return out;
}

TEST(GifPlayback, DelaysUseTheDefaultTheMinimumAndTwelveMillisecondUnits) {
  auto image = test::TimedAnimation({-1, 0, 1, 3, 4, 2000}, -1);
  EXPECT_THAT(Waits(PlanGifPlayback(*image)), ElementsAre(120, 120, 36, 36, 48, 24000));
  TGIFDrawOptions synchronous = image->DrawOptions();
  synchronous.Exclude(TGIFDrawOption::goAsync);
  EXPECT_EQ(GifPlaybackDelay(image->Frame(5), synchronous), 1000);

  image->SetAnimationSpeed(50);
  EXPECT_EQ(Waits(PlanGifPlayback(*image))[4], 96);
  image->SetAnimationSpeed(0);
  EXPECT_TRUE(PlanGifPlayback(*image).paused);
  // Half the time a frame took to draw comes off its wait, never below 0.
  EXPECT_EQ(GifFrameWait(4, 100, 20), 38);
  EXPECT_EQ(GifFrameWait(3, 100, 200), 0);

  // A graphic control extension made for a frame without one reads 0 and plays 10 units.
  auto plain = test::TimedAnimation({-1}, -1);
  EXPECT_EQ(plain->Frame(0).CreateGraphicControlExtension()->GetDelay(), 0);
  EXPECT_THAT(Waits(PlanGifPlayback(*plain)), ElementsAre(120));
}

TEST(GifPlayback, TheFirstLoopExtensionDecidesThePasses) {
  EXPECT_TRUE(PlanGifPlayback(*test::TimedAnimation({4, 4}, 0)).endless);
  const GifPlayback twice = PlanGifPlayback(*test::TimedAnimation({4, 4}, 2));
  EXPECT_FALSE(twice.endless);
  EXPECT_EQ(twice.passes, 2);
  auto no_loop_option = test::TimedAnimation({4}, 0);
  TGIFDrawOptions options = no_loop_option->DrawOptions();
  options.Exclude(TGIFDrawOption::goLoop);
  no_loop_option->SetDrawOptions(options);
  EXPECT_FALSE(PlanGifPlayback(*no_loop_option).endless);

  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  const auto plan = [&root](const std::string& file) {
    return PlanGifPlayback(*test::LoadGif(ReadWholeFile(*root + "/gif/" + file)).image);
  };
  EXPECT_EQ(plan("edge/gen-loopcount-2.gif").passes, 2);
  EXPECT_FALSE(plan("edge/gen-no-loop-extension.gif").endless);
  EXPECT_EQ(plan("edge/gen-no-loop-extension.gif").passes, 1);
  EXPECT_THAT(Waits(plan("edge/gen-disposal-3-delay-7.gif")), ElementsAre(84, 84, 84));
  // The empty frame of trailing extensions is not shown.
  EXPECT_EQ(plan("giflib/fire.gif").pass.size(), 33u);
}

TEST(GifCompositor, DisposalRestoresTheBackgroundOrWhatWasThere) {
  const Rgb blue{0, 0, 255}, red{255, 0, 0}, green{0, 255, 0};
  TGIFImage image;
  image.SetScreenSize(3, 1);
  image.GlobalColorMap().Assign(std::vector<Rgb>{blue, red, green});  // background index 0
  const auto add = [&image](std::uint16_t left, std::uint16_t width, std::uint8_t index, TDisposalMethod disposal,
                            bool transparent) {
    TGIFSubImage& frame = image.AppendFrame();
    frame.Place(left, 0, width, 1, index);
    auto control = frame.CreateGraphicControlExtension();
    control->SetDisposal(disposal);
    control->SetTransparent(transparent);
    control->SetTransparentColorIndex(2);
    frame.AppendExtension(control);
  };
  add(0, 3, 1, TDisposalMethod::dmNoDisposal, false);
  add(1, 1, 2, TDisposalMethod::dmPrevious, false);
  add(2, 1, 2, TDisposalMethod::dmBackground, false);
  add(0, 1, 2, TDisposalMethod::dmNone, true);  // every pixel transparent

  GifCompositor compositor(image);
  EXPECT_EQ(test::FirstDifference(compositor.ComposeTo(1), test::MakeFromRows({{0xFF0000, 0x00FF00, 0xFF0000}})), "");
  EXPECT_EQ(test::FirstDifference(compositor.ComposeTo(2), test::MakeFromRows({{0xFF0000, 0xFF0000, 0x00FF00}})), "");
  EXPECT_EQ(test::FirstDifference(compositor.ComposeTo(3), test::MakeFromRows({{0xFF0000, 0xFF0000, 0x0000FF}})), "");
  EXPECT_EQ(test::FirstDifference(compositor.ComposeTo(0), test::MakeFromRows({{0xFF0000, 0xFF0000, 0xFF0000}})), "");
}

}  // namespace
}  // namespace sf
