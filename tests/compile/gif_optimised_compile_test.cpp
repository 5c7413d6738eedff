// The optimised GIF compile: the rows prepared ahead on worker threads give
// the frames, messages and noise states of a one-at-a-time compile, and the
// file shows the rows' pictures at the times the classic file does, in fewer
// frames.
#include <gtest/gtest.h>

#include <cmath>

#include "compile/compile_rig.h"
#include "compile/frame_pipeline.h"
#include "compile/frame_preparation.h"
#include "compile/timing.h"
#include "effects/noise_random.h"
#include "gif/gif_extensions.h"
#include "gif/gif_image.h"
#include "gif/gif_playback.h"
#include "image/bmp_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

using test::CompileRig;

TEST(FramePipeline, GivesTheFramesMessagesAndNoiseStatesOfOneAtATime) {
  const std::string dir = test::MakeTempDir();
  WriteBmpFile(test::MakeGradient(30, 20), dir + "/a.bmp");
  ImageList list;
  for (const auto& [name, effects] : std::vector<std::pair<std::string, std::string>>{
           {"a.bmp", "1<Noise Color=80>"}, {"a.bmp", ""}, {"missing.bmp", ""}, {"a.bmp", "2<Blur Gaussian=2><Noise Mono=50>"},
           {"a.bmp", "1<Invert Colors=1>"}, {"a.bmp", "1<Emboss Noise=1>"}}) {
    list.AddPath(dir + "/" + name);
    list.SetCell(list.LastRow(), kEffectsColumn, effects);
  }
  CompileSettings settings;
  settings.frame_width = 24;
  settings.frame_height = 16;
  const FrameRecipe recipe = FrameRecipeFrom(settings);

  SetNoiseRandomState(77);
  test::RecordingReporter one_by_one;
  std::vector<PreparedFrame> expected;
  for (int row = 0; row < list.RowCount(); ++row) {
    expected.push_back(PrepareFrame(list.Path(row), list.Effects(row), recipe, NoiseRandomState(), one_by_one));
    SetNoiseRandomState(expected.back().noise_state_after);
  }
  ASSERT_FALSE(one_by_one.Texts().empty()) << "the missing picture is reported";

  for (const int threads : {1, 3}) {
    SetNoiseRandomState(77);
    test::RecordingReporter ahead;
    FramePipeline pipeline(list, recipe, threads, NoiseRandomState());
    for (int row = 0; row < list.RowCount(); ++row) {
      const PreparedFrame frame = pipeline.Take(row, ahead);
      EXPECT_EQ(test::FirstDifference(frame.frame, expected[row].frame), "") << row;
      EXPECT_EQ(frame.noise_state_after, expected[row].noise_state_after) << row;
    }
    EXPECT_EQ(ahead.Texts(), one_by_one.Texts());
  }
}

struct Timeline {
  std::vector<int> starts;   // of every frame, in hundredths
  int total = 0;
};

Timeline TimelineOf(const TGIFImage& gif) {
  Timeline timeline;
  for (int k = 0; k < gif.Count(); ++k) {
    timeline.starts.push_back(timeline.total);
    timeline.total += gif.Frame(k).GraphicControlExtension()->GetDelay();
  }
  return timeline;
}

double Psnr(const Bitmap& a, const Bitmap& b) {
  double error = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColor(x, y), q = b.PixelColor(x, y);
      error += std::pow(p.r - q.r, 2) + std::pow(p.g - q.g, 2) + std::pow(p.b - q.b, 2);
    }
  }
  return error == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * 3 * a.Width() * a.Height() / error);
}

TEST(OptimisedGifCompile, ShowsEveryRowAtTheClassicTimesInFewerFrames) {
  std::vector<Bitmap> fitted;   // each row's frame, prepared one at a time
  const auto compile = [&fitted](bool optimise, const std::string& name) {
    CompileRig rig;
    rig.settings.output_path = rig.Path(name);
    rig.settings.frames_per_second = 30;
    rig.settings.repeat_value = 2.5;
    rig.settings.gif_optimise = optimise;
    rig.AddPicture("a.bmp", test::MakeGradient(40, 30));
    rig.AddPicture("a.bmp", test::MakeGradient(40, 30));   // the same picture again: merged
    rig.AddPicture("b.bmp", test::MakeGradient(40, 30), "1<Invert Colors=1>");
    rig.AddPicture("c.bmp", test::MakeGradient(40, 30), "1<Noise Color=60>");
    SetNoiseRandomState(5);
    EXPECT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
    SetNoiseRandomState(5);
    fitted.clear();
    for (int row = 0; row < rig.list.RowCount(); ++row) {
      PreparedFrame prepared = PrepareFrame(rig.list.Path(row), rig.list.Effects(row), FrameRecipeFrom(rig.settings),
                                            NoiseRandomState(), rig.reporter);
      SetNoiseRandomState(prepared.noise_state_after);
      fitted.push_back(std::move(prepared.frame));
    }
    auto gif = std::make_unique<TGIFImage>();
    gif->LoadFromFile(rig.settings.output_path);
    return gif;
  };
  const auto classic = compile(false, "classic.gif");
  const auto optimised = compile(true, "optimised.gif");
  ASSERT_EQ(classic->Count(), 10);
  ASSERT_EQ(optimised->Count(), 3);

  RepeatDistributor copies(2.5);
  std::vector<int> first_of_row{0};
  for (int row = 0; row < 4; ++row) first_of_row.push_back(first_of_row.back() + static_cast<int>(copies.NextRow()));
  ASSERT_EQ(first_of_row.back(), 10);

  const Timeline a = TimelineOf(*classic), b = TimelineOf(*optimised);
  EXPECT_EQ(a.total, b.total);
  // The first frames of rows 0, 2 and 3 start where the optimised frames do.
  EXPECT_EQ(b.starts, (std::vector<int>{a.starts[0], a.starts[first_of_row[2]], a.starts[first_of_row[3]]}));

  // Each frame shows its rows' fitted picture up to the colour reduction.
  GifCompositor player(*optimised);
  for (const auto& [frame, row] : {std::pair{0, 0}, std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 3}}) {
    EXPECT_GT(Psnr(player.ComposeTo(frame), fitted[static_cast<std::size_t>(row)]), 27.0) << row;
  }
}

}  // namespace
}  // namespace sf
