// The animated GIF compile: delays from the frame rate with their carry, the
// looping and graphic control extensions read back from the written file,
// progress that waits for the file, and the ways it ends without a file.
#include <gtest/gtest.h>

#include <numeric>

#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "compile/gif_delays.h"
#include "gif/gif_extensions.h"
#include "gif/gif_image.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

std::vector<int> Delays(double frames_per_second, int count) {
  GifDelays delays(frames_per_second);
  std::vector<int> out;
  for (int i = 0; i < count; ++i) out.push_back(delays.Next());
  return out;
}

const TGIFAppExtNSLoop* LoopOf(const TGIFSubImage& frame) {
  for (const auto& extension : frame.Extensions()) {
    if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) return loop;
  }
  return nullptr;
}

TEST(GifDelays, TheCarryMakesTheDelaysAverageTheIdealOne) {
  using V = std::vector<int>;
  EXPECT_EQ(Delays(29.97, 16), (V{3, 3, 3, 4, 3, 3, 4, 3, 3, 4, 3, 3, 4, 3, 3, 4}));
  EXPECT_EQ(Delays(15, 10), (V{6, 6, 7, 7, 6, 7, 7, 6, 7, 7}));
  EXPECT_EQ(Delays(24, 13), (V{4, 4, 4, 4, 4, 4, 5, 4, 4, 4, 4, 4, 5}));
  EXPECT_EQ(Delays(60, 7), (V{1, 1, 2, 2, 1, 2, 2}));
  EXPECT_EQ(Delays(150, 9), (V{0, 0, 1, 0, 1, 1, 0, 1, 1}));
  // Over a long run the sum stays within one frame of the ideal.
  const std::vector<int> long_run = Delays(29.97, 2997);
  EXPECT_NEAR(std::accumulate(long_run.begin(), long_run.end(), 0), 10000, 4);
  // A rate so slow the delay passes 16 bits holds at the longest delay.
  EXPECT_EQ(Delays(0.001, 2), (V{65535, 65535}));
}

TEST(GifCompile, WritesOneFrameEachWithDelayLoopAndNoTransparency) {
  CompileRig rig;
  rig.settings.output_path = rig.Path("out.gif");
  for (int i = 0; i < 3; ++i) rig.AddPicture("a.bmp", test::MakeGradient(20, 20));
  ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);

  TGIFImage gif;
  gif.LoadFromFile(rig.settings.output_path);
  ASSERT_EQ(gif.Count(), 3);
  EXPECT_EQ(gif.Width(), 32);
  EXPECT_EQ(gif.Height(), 24);
  for (int k = 0; k < 3; ++k) {
    const TGIFGraphicControlExtension* control = gif.Frame(k).GraphicControlExtension();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetDelay(), 4);
    EXPECT_FALSE(control->GetTransparent());
    EXPECT_EQ(control->GetDisposal(), TDisposalMethod::dmNone);
    EXPECT_EQ(LoopOf(gif.Frame(k)) != nullptr, k == 0);
  }
  EXPECT_EQ(LoopOf(gif.Frame(0))->Loops(), 0);

  for (const auto& [loops, written] : {std::pair{3, 3}, std::pair{65536, 0}, std::pair{65539, 3}}) {
    CompileRig looped;
    looped.settings.output_path = looped.Path("out.gif");
    looped.settings.gif_loops = loops;
    looped.AddPicture("a.bmp", test::MakeGradient(20, 20));
    ASSERT_EQ(looped.Run().outcome, CompileOutcome::kCompleted);
    TGIFImage back;
    back.LoadFromFile(looped.settings.output_path);
    EXPECT_EQ(LoopOf(back.Frame(0))->Loops(), written) << loops;
  }
}

TEST(GifCompile, TransparencyComesFromEachFramesOwnCorner) {
  for (const int corner : {1, 2}) {
    CompileRig rig;
    rig.settings.output_path = rig.Path("out.gif");
    rig.settings.gif_transparency = corner;
    rig.settings.gif_disposal = 1;
    rig.settings.maintain_aspect = false;  // the picture covers the frame, corners included
    rig.AddPicture("a.bmp", test::MakeGradient(32, 24));
    rig.AddPicture("b.bmp", test::MakeSolid(5, 5, Rgb{10, 200, 30}));
    rig.AddPicture("c.bmp", test::MakeFromRows({{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}}));
    ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);

    TGIFImage gif;
    gif.LoadFromFile(rig.settings.output_path);
    ASSERT_EQ(gif.Count(), 3);
    for (int k = 0; k < 3; ++k) {
      const TGIFSubImage& frame = gif.Frame(k);
      const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
      ASSERT_NE(control, nullptr);
      EXPECT_TRUE(control->GetTransparent());
      EXPECT_EQ(control->GetDisposal(), TDisposalMethod::dmNoDisposal);
      const int y = corner == 1 ? 0 : frame.Height() - 1;
      EXPECT_EQ(control->GetTransparentColorIndex(), frame.GetPixel(0, y)) << "frame " << k;
    }
    // The four corners of the last picture differ, so the two choices differ.
    const TGIFSubImage& last = gif.Frame(2);
    EXPECT_NE(last.ActiveColorMap().ColorOrBlack(last.GetPixel(0, 0)),
              last.ActiveColorMap().ColorOrBlack(last.GetPixel(0, last.Height() - 1)));
  }
}

TEST(GifCompile, ProgressReachesAHundredOnlyOnceTheFileIsWritten) {
  CompileRig rig;
  rig.settings.output_path = rig.Path("out.gif");
  for (int i = 0; i < 10; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<std::string>& texts = rig.progress.progress_texts;
  ASSERT_GE(texts.size(), 3u);
  // The last frame shows 99%; 100% comes after the file is written.
  EXPECT_EQ(texts[texts.size() - 3], "99% - Complete - 10 of 10 total frames.");
  EXPECT_EQ(texts[texts.size() - 2], "100% - Complete - 10 of 10 total frames.");
  EXPECT_EQ(rig.progress.title, "100% Slideforge");
  EXPECT_EQ(rig.progress.remembered, "Process completed successfuly.");
}

// Nothing is written before the end, so the old animation outlives a stop.
TEST(GifCompile, StopOrAFittingFailureWritesNothing) {
  CompileRig rig;
  rig.settings.output_path = rig.Path("out.gif");
  WriteWholeFile(rig.settings.output_path, "old animation");
  for (int i = 0; i < 3; ++i) rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  test::StopAfterFrames stopping(2);
  const CompileResult result = rig.Run(stopping);
  EXPECT_EQ(result.outcome, CompileOutcome::kStopped);
  EXPECT_EQ(stopping.remembered, "Process stopped by user.");
  EXPECT_EQ(ReadWholeFile(rig.settings.output_path).size(), 13u);
  EXPECT_FALSE(PathExists(rig.settings.output_path + ".part"));

  CompileRig damaged;
  damaged.settings.output_path = damaged.Path("out.gif");
  damaged.settings.resize_method = ResizeMethod::kSmooth;
  damaged.AddPicture("a.bmp", test::MakeGradient(8, 8));
  WriteWholeFile(damaged.Path("damaged.bmp"), "BM this is no bitmap");
  damaged.list.AddPath(damaged.Path("damaged.bmp"));
  EXPECT_EQ(damaged.Run().outcome, CompileOutcome::kFailed);
  EXPECT_EQ(damaged.reporter.Errors().back(),
            "GIF Compilation Aborted:\n\nError obtaining aspectedimage.\n\n- SaveAsGifAnim()");
  EXPECT_EQ(damaged.progress.messages.back(), "Error obtaining aspected image: Process aborted.");
  EXPECT_EQ(damaged.host.left, 1);
  EXPECT_FALSE(PathExists(damaged.settings.output_path));
}

// The whole animation is held in memory: one that no computer could hold is
// refused before the first frame.
TEST(GifCompile, RefusesAnAnimationTooLargeForMemory) {
  CompileRig rig;
  rig.settings.output_path = rig.Path("out.gif");
  rig.settings.repeat_value = 1e9;
  rig.AddPicture("a.bmp", test::MakeGradient(8, 8));
  EXPECT_EQ(rig.Run().outcome, CompileOutcome::kFailed);
  ASSERT_EQ(rig.reporter.Errors().size(), 1u);
  EXPECT_EQ(rig.reporter.Errors()[0].rfind("The GIF animation of 1000000000 frames would need ", 0), 0u)
      << rig.reporter.Errors()[0];
  EXPECT_TRUE(rig.progress.remembered.ends_with(" - ERROR. The GIF animation would be too large."))
      << rig.progress.remembered;
  EXPECT_FALSE(PathExists(rig.settings.output_path));
}

// Each row shows for its own display time: its frames' delays add up to it,
// in the classic GIF (a frame per output frame) and the optimised one (one
// frame per row here, as the pictures differ).
TEST(GifCompile, EachRowShowsForItsOwnDisplayTime) {
  for (const bool optimise : {false, true}) {
    SCOPED_TRACE(optimise);
    CompileRig rig;
    rig.settings.output_path = rig.Path("out.gif");
    rig.settings.frames_per_second = 10;
    rig.settings.repeat_value = 2;
    rig.settings.gif_optimise = optimise;
    const struct {
      const char* time;
      const char* effects;
    } rows[] = {{"0.3", ""}, {"", "1<Invert Colors=1>"}, {"1", "1<Mosaic=4>"}};
    for (const auto& row : rows) {
      rig.AddPicture("a.bmp", test::MakeGradient(20, 20), row.effects);
      rig.list.SetCellAdding(rig.list.LastRow(), kDisplayTimeColumn, row.time);
    }
    ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
    TGIFImage gif;
    gif.LoadFromFile(rig.settings.output_path);
    std::vector<int> delays;
    for (int k = 0; k < gif.Count(); ++k) delays.push_back(gif.Frame(k).GraphicControlExtension()->GetDelay());
    if (optimise) {
      EXPECT_EQ(delays, (std::vector<int>{30, 20, 100}));
    } else {
      EXPECT_EQ(delays, std::vector<int>(15, 10)) << "3 + 2 + 10 frames of a tenth of a second";
    }
  }
}

}  // namespace
}  // namespace sf
