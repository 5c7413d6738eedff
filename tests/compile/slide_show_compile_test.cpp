// Transitions and motion in the video, compiled to small AVIs and read back:
// where the transition frames stand and what they show, that the show keeps
// its length, and that a zoom moves smoothly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "avi/avi_file.h"
#include "avi/avi_reader.h"
#include "common/file_util.h"
#include "compile/compile_rig.h"
#include "effects/page_flip.h"
#include "effects/transitions.h"
#include "image/fitting.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using test::CompileRig;

std::vector<Bitmap> Frames(const CompileRig& rig) {
  test::RecordingReporter reporter;
  AviReader reader(reporter);
  EXPECT_TRUE(reader.InitAvi(rig.settings.output_path));
  const std::optional<AviStreamHeader> info = reader.GetAviInfo();
  EXPECT_TRUE(info.has_value());
  std::vector<Bitmap> frames;
  for (std::int64_t k = 0; info && k < static_cast<std::int64_t>(info->length); ++k) {
    Bitmap frame(rig.settings.frame_width, rig.settings.frame_height);
    reader.GetFrame(frame, rig.settings.frame_width, rig.settings.frame_height, k);
    frames.push_back(std::move(frame));
  }
  return frames;
}

Bitmap Fitted(const std::string& path, const CompileSettings& s) {
  test::RecordingReporter quiet;
  Bitmap picture;
  LoadImage(picture, path, quiet);
  GetAspectedImage(picture, s.background_picture, s.resize_method, s.zoom_in, s.maintain_aspect, s.pixel_format,
                   s.border_size_height, s.border_size_width, s.frame_height, s.frame_width, quiet);
  return picture;
}

// Two rows of 5 frames at 25 frames a second, the second with a transition
// of 0.12 s: 3 frames over the end of the first.
struct TwoRows {
  explicit TwoRows(const std::string& transition) {
    rig.settings.frames_per_second = 25;
    rig.settings.repeat_value = 5;
    rig.settings.frame_width = 32;
    rig.settings.frame_height = 24;
    rig.settings.show_transitions = true;
    rig.settings.transition_seconds = 0.12;
    first = rig.AddPicture("a.bmp", test::MakeGradient(32, 24));
    second = rig.AddPicture("b.bmp", test::MakeSolid(32, 24, Rgb{250, 10, 90}));
    rig.list.SetCell(1, kTransitionColumn, transition);
  }
  CompileRig rig;
  std::string first;
  std::string second;
};

TEST(SlideShowCompile, ACrossFadeOverlapsTheEndOfThePreviousPictureAndKeepsTheLength) {
  TwoRows show("4");
  ASSERT_EQ(show.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<Bitmap> frames = Frames(show.rig);
  ASSERT_EQ(frames.size(), 10u);
  const Bitmap a = Fitted(show.first, show.rig.settings);
  const Bitmap b = Fitted(show.second, show.rig.settings);
  EXPECT_EQ(test::FirstDifference(frames[0], a), "");
  EXPECT_EQ(test::FirstDifference(frames[1], a), "");
  for (int k = 5; k < 10; ++k) EXPECT_EQ(test::FirstDifference(frames[k], b), "") << k;
  // Frame 3 is the middle of the three: the per-channel mean, within 1.
  int worst = 0;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Rgb mid = frames[3].PixelColor(x, y);
      const Rgb pa = a.PixelColor(x, y);
      const Rgb pb = b.PixelColor(x, y);
      worst = std::max({worst, std::abs(2 * mid.r - pa.r - pb.r), std::abs(2 * mid.g - pa.g - pb.g),
                        std::abs(2 * mid.b - pa.b - pb.b)});
    }
  }
  EXPECT_LE(worst, 2);  // twice the mean, so within 1 of it
  // The fade runs one way: frame 2 is nearer the first picture, frame 4 the second.
  const auto red = [&](int k) { return frames[static_cast<std::size_t>(k)].PixelColor(0, 0).r; };
  EXPECT_LT(std::abs(red(2) - a.PixelColor(0, 0).r), std::abs(red(4) - a.PixelColor(0, 0).r));
}

TEST(SlideShowCompile, APageFlipFrameIsThePageFlipDrawingAtItsAngle) {
  TwoRows show("0");  // Page Flip - Left
  ASSERT_EQ(show.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<Bitmap> frames = Frames(show.rig);
  ASSERT_EQ(frames.size(), 10u);
  const Bitmap a = Fitted(show.first, show.rig.settings);
  const Bitmap b = Fitted(show.second, show.rig.settings);
  for (int step = 0; step < 3; ++step) {
    // A quarter, a half and three quarters of the way from -90 to 0 degrees.
    Bitmap expected = a;
    DrawPageFlipHorizontal(b, expected, 32, -90 + 90 * (step + 1) / 4.0, false, 0);
    EXPECT_EQ(test::FirstDifference(frames[static_cast<std::size_t>(2 + step)], expected), "") << step;
  }
  // Half way the page covers part of the frame, not all of it.
  EXPECT_FALSE(test::SamePixels(frames[3], b));
  EXPECT_FALSE(test::SamePixels(frames[3], a));
}

TEST(SlideShowCompile, TransitionsStayOutOfTheVideoUnlessShownAndNeverLengthenIt) {
  // Off: a list whose rows carry transitions gives the bytes it gives without them.
  TwoRows off("4");
  off.rig.settings.show_transitions = false;
  ASSERT_EQ(off.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<std::uint8_t> with_cells = ReadWholeFile(off.rig.settings.output_path);
  off.rig.list.SetCell(1, kTransitionColumn, "");
  ASSERT_EQ(off.rig.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_EQ(ReadWholeFile(off.rig.settings.output_path), with_cells);

  // A transition longer than the picture before it takes all of that
  // picture's frames and no more; an unknown cell is no transition.
  TwoRows long_one("2");
  long_one.rig.settings.transition_seconds = 10;
  long_one.rig.AddPicture("a.bmp", {});
  long_one.rig.list.SetCell(2, kTransitionColumn, "7");
  ASSERT_EQ(long_one.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<Bitmap> frames = Frames(long_one.rig);
  ASSERT_EQ(frames.size(), 15u);
  const Bitmap a = Fitted(long_one.first, long_one.rig.settings);
  const Bitmap b = Fitted(long_one.second, long_one.rig.settings);
  EXPECT_FALSE(test::SamePixels(frames[0], a));  // already flipping
  EXPECT_EQ(test::FirstDifference(frames[5], b), "");
  EXPECT_EQ(test::FirstDifference(frames[9], b), "");
  EXPECT_EQ(test::FirstDifference(frames[10], a), "");  // "7": a plain cut
}

TEST(SlideShowCompile, MotionJpegCompressesEachTransitionFrameAndRepeatsTheStillOnes) {
  TwoRows show("4");
  show.rig.chooser.emplace(Compression{Codec::kMotionJpeg, 90});
  ASSERT_EQ(show.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<std::uint8_t> bytes = ReadWholeFile(show.rig.settings.output_path);
  const AviFile file = ReadAviFile(bytes);
  std::vector<std::vector<std::uint8_t>> chunks;
  for (const auto& stream : file.streams) {
    if (!stream || stream->header.type != "vids") continue;
    for (const AviChunkRef& chunk : stream->chunks) {
      chunks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset),
                          bytes.begin() + static_cast<std::ptrdiff_t>(chunk.offset + chunk.size));
    }
  }
  ASSERT_EQ(chunks.size(), 10u);
  EXPECT_EQ(chunks[0], chunks[1]);
  for (int k = 2; k < 5; ++k) EXPECT_NE(chunks[static_cast<std::size_t>(k)], chunks[static_cast<std::size_t>(k - 1)]) << k;
  for (int k = 6; k < 10; ++k) EXPECT_EQ(chunks[static_cast<std::size_t>(k)], chunks[5]) << k;
}

TEST(SlideShowCompile, An8BitShowMixesItsTransitionsInTheHalftonePalette) {
  TwoRows show("4");
  show.rig.settings.pixel_format = PixelFormat::kBits8;
  ASSERT_EQ(show.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<Bitmap> frames = Frames(show.rig);
  ASSERT_EQ(frames.size(), 10u);
  EXPECT_FALSE(test::SamePixels(frames[3], frames[1]));
  EXPECT_FALSE(test::SamePixels(frames[3], frames[5]));
}

// The frames ffmpeg decodes from a video, as 24-bit pictures.
std::vector<Bitmap> DecodedFrames(const std::string& video, int width, int height) {
  const std::string raw = video + ".rgb";
  std::string out;
  test::RunCommand("ffmpeg -v error -y -i '" + video + "' -f rawvideo -pix_fmt rgb24 '" + raw + "' 2>&1", &out);
  const std::vector<std::uint8_t> bytes = ReadWholeFile(raw);
  const std::size_t size = 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::vector<Bitmap> frames;
  for (std::size_t at = 0; at + size <= bytes.size(); at += size) {
    Bitmap frame(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = &bytes[at + 3 * (static_cast<std::size_t>(y) * width + x)];
        frame.SetPixelColor(x, y, Rgb{p[0], p[1], p[2]});
      }
    }
    frames.push_back(std::move(frame));
  }
  return frames;
}

// The mean difference of the channels of two pictures of one size.
double MeanDifference(const Bitmap& a, const Bitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColor(x, y);
      const Rgb q = b.PixelColor(x, y);
      sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
  }
  return sum / (3.0 * a.Width() * a.Height());
}

TEST(SlideShowCompile, AVideoEncodesEveryTransitionFrameNotARepeat) {
  if (!test::HaveProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg not installed";
  TwoRows show("4");
  show.rig.settings.output_path = show.rig.Path("show.mp4");
  show.rig.settings.video_encoding.quality = 10;
  ASSERT_EQ(show.rig.Run().outcome, CompileOutcome::kCompleted);
  const std::vector<Bitmap> frames = DecodedFrames(show.rig.settings.output_path, 32, 24);
  ASSERT_EQ(frames.size(), 10u);
  Bitmap mean(32, 24);
  DrawCrossFade(Fitted(show.first, show.rig.settings), Fitted(show.second, show.rig.settings), 0.5, mean);
  EXPECT_LT(MeanDifference(frames[3], mean), 4.0);
  EXPECT_GT(MeanDifference(frames[3], frames[1]), 20.0);
  EXPECT_GT(MeanDifference(frames[3], frames[5]), 20.0);
}

// The side of the dark square as a frame shows it, from its ink: a measure
// that follows sub-pixel changes.
double SquareSide(const Bitmap& frame) {
  double ink = 0;
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) ink += std::max(0, 230 - frame.PixelColor(x, y).g) / 210.0;
  }
  return std::sqrt(ink);
}

TEST(SlideShowCompile, AZoomInGrowsThePictureSmoothlyFrameByFrame) {
  CompileRig rig;
  rig.settings.repeat_value = 12;
  rig.settings.frame_width = 64;
  rig.settings.frame_height = 48;
  // A dark square in the middle of a light picture four times the frame.
  Bitmap picture = test::MakeSolid(256, 192, Rgb{230, 230, 230});
  for (int y = 72; y < 120; ++y) {
    for (int x = 104; x < 152; ++x) picture.SetPixelColor(x, y, Rgb{20, 20, 20});
  }
  rig.AddPicture("square.bmp", picture);
  rig.list.SetColumnCount(kMotionColumn + 1);
  rig.list.SetCell(0, kMotionColumn, "Zoom In");
  ASSERT_EQ(rig.Run().outcome, CompileOutcome::kCompleted);
  EXPECT_TRUE(rig.reporter.Errors().empty());
  const std::vector<Bitmap> frames = Frames(rig);
  ASSERT_EQ(frames.size(), 12u);
  std::vector<double> steps;
  for (std::size_t k = 1; k < frames.size(); ++k) {
    EXPECT_FALSE(test::SamePixels(frames[k], frames[k - 1])) << k;
    steps.push_back(SquareSide(frames[k]) - SquareSide(frames[k - 1]));
  }
  // Always growing at an even pace: no step half as large again as another.
  const double smallest = *std::min_element(steps.begin(), steps.end());
  const double largest = *std::max_element(steps.begin(), steps.end());
  EXPECT_GT(smallest, 0);
  EXPECT_LE(largest, 1.5 * smallest);
  // From the whole picture to its middle 80%: the square grows by 1 / 0.8 a side.
  EXPECT_NEAR(SquareSide(frames.back()) / SquareSide(frames.front()), 1 / 0.8, 0.02);
}

}  // namespace
}  // namespace sf
