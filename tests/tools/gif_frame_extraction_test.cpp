// The GIF frame extractor's core: the frame count and timing read from a file,
// the two drawing methods, the view's lead-in, and the extraction's files,
// reverse numbering, progress and failures.
#include "tools/gif_frame_extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/file_util.h"
#include "gif/gif_image.h"
#include "gif/gif_render.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

struct PlannedFrame {
  std::uint16_t left = 0;
  std::vector<std::uint8_t> indices;  // one row
  int delay = -1;                     // -1: no graphic control extension
  TDisposalMethod disposal = TDisposalMethod::dmNone;
  bool transparent = false;           // index 3 (blue) is the transparent one
};

// A one-row animation over the table white, red, green, blue.
std::unique_ptr<TGIFImage> MakeAnimation(std::uint16_t width, const std::vector<PlannedFrame>& frames) {
  auto image = std::make_unique<TGIFImage>();
  image->SetScreenSize(width, 1);
  image->GlobalColorMap().Assign(std::vector<Rgb>{kWhite, kRed, kGreen, kBlue});
  for (const PlannedFrame& planned : frames) {
    TGIFSubImage& frame = image->AppendFrame();
    frame.Place(planned.left, 0, static_cast<std::uint16_t>(planned.indices.size()), 1, 0);
    std::copy(planned.indices.begin(), planned.indices.end(), frame.MutableData().begin());
    if (planned.delay < 0) continue;
    auto control = frame.CreateGraphicControlExtension();
    control->SetDelay(static_cast<std::uint16_t>(planned.delay));
    control->SetDisposal(planned.disposal);
    control->SetTransparent(planned.transparent);
    control->SetTransparentColorIndex(3);
    frame.AppendExtension(control);
  }
  return image;
}

std::vector<Rgb> RowColours(const Bitmap& bitmap) {
  std::vector<Rgb> colours;
  for (int x = 0; x < bitmap.Width(); ++x) colours.push_back(bitmap.PixelColor(x, 0));
  return colours;
}

class GifReading : public ::testing::Test {
 protected:
  void SetUp() override { m_dir = test::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  GifAnimationInfo ReadSaved(const TGIFImage& image) {
    const std::string path = m_dir + "/anim.gif";
    image.SaveToFile(path);
    TGIFImage loaded;
    return ReadGifAnimation(loaded, path);
  }

  std::string m_dir;
};

TEST_F(GifReading, CountsShownFramesSumsTheirDelaysAndPresetsTheMethod) {
  auto image = MakeAnimation(2, {{0, {1, 1}, 10, TDisposalMethod::dmNoDisposal},
                                 {0, {2, 2}, 20},
                                 {0, {1, 2}, 0}});
  // A comment after the last picture makes an empty last frame, which does not count.
  image->AppendFrame().AppendExtension(std::make_shared<TGIFCommentExtension>("made by hand"));
  GifAnimationInfo info = ReadSaved(*image);
  EXPECT_EQ(info.frames, 3);
  EXPECT_EQ(info.total_ms, 300);
  EXPECT_EQ(info.first_frame_ms, 100);
  EXPECT_DOUBLE_EQ(info.average_rate, 10);
  EXPECT_EQ(GifTotalTimeText(info.total_ms), "Total Time: 0 min. 0 sec. 300 ms.");
  EXPECT_EQ(GifAverageRateText(info.average_rate), "Average FPS: 10");
  EXPECT_EQ(info.method, GifDrawMethod::kDrawOnTop);
  EXPECT_EQ(GifTotalTimeText(75230), "Total Time: 1 min. 15 sec. 230 ms.");
  EXPECT_EQ(GifAverageRateText(20 / 3.0), "Average FPS: 6.66666666666667");

  // Delays of 0 everywhere: no time and no rate; disposal 2 asks for drawing each frame new.
  info = ReadSaved(*MakeAnimation(2, {{0, {1, 1}, 0, TDisposalMethod::dmBackground}, {0, {2, 2}, 0}}));
  EXPECT_EQ(GifTotalTimeText(info.total_ms), "Total Time: 0 min. 0 sec. 0 ms.");
  EXPECT_EQ(info.average_rate, 0);
  EXPECT_EQ(info.method, GifDrawMethod::kDrawNew);

  // A first frame without a graphic control extension draws on top; its time reads 0.
  info = ReadSaved(*MakeAnimation(2, {{0, {1, 1}}, {0, {2, 2}, 50, TDisposalMethod::dmBackground}}));
  EXPECT_EQ(info.method, GifDrawMethod::kDrawOnTop);
  EXPECT_EQ(info.first_frame_ms, 0);
  EXPECT_EQ(info.total_ms, 500);
}

TEST_F(GifReading, AFileWithoutPicturesOrNotAGifIsRefused) {
  // "GIF89a", a 1 x 1 screen with two colours, then the trailer at once.
  const std::string empty = m_dir + "/empty.gif";
  WriteWholeFile(empty, std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\0\0\0\xff\xff\xff;", 20));
  TGIFImage image;
  try {
    ReadGifAnimation(image, empty);
    ADD_FAILURE() << "no error";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "The GIF file holds no frames.");
  }
  const std::string text = m_dir + "/text.gif";
  WriteWholeFile(text, "not a picture");
  EXPECT_ANY_THROW(ReadGifAnimation(image, text));
}

TEST(GifFrameDrawer, OnTopLetsThePictureThroughNewFillsWithTheTransparentColour) {
  // Frame 1 covers columns 1 and 2 with green and the transparent blue.
  auto image = MakeAnimation(3, {{0, {1, 1, 1}, 10}, {1, {2, 3}, 10, TDisposalMethod::dmNone, true}});
  GifFrameDrawer drawer(*image);
  Bitmap preview = RenderStill(*image);
  ASSERT_EQ(preview.Format(), PixelFormat::kBits8);
  drawer.Draw(1, GifDrawMethod::kDrawNew, preview);
  // Not yet drawn on top: the fill is the bitmap's bottom-left colour, green.
  EXPECT_EQ(RowColours(preview), (std::vector<Rgb>{kGreen, kGreen, kBlue}));

  preview = RenderStill(*image);
  drawer.Draw(1, GifDrawMethod::kDrawOnTop, preview);
  EXPECT_EQ(RowColours(preview), (std::vector<Rgb>{kRed, kGreen, kRed}));
  EXPECT_EQ(preview.Format(), PixelFormat::kBits8);
  // Drawing on top marked the frame with its transparent colour, which "new" now fills with.
  drawer.Draw(1, GifDrawMethod::kDrawNew, preview);
  EXPECT_EQ(RowColours(preview), (std::vector<Rgb>{kBlue, kGreen, kBlue}));
}

TEST(GifFrameDrawer, ColoursOfALocalTableTakeTheNearestOfAnEightBitPreview) {
  auto image = MakeAnimation(2, {{0, {0, 0}, 10}, {0, {0, 1}, 10}});
  image->Frame(1).ColorMap().Assign(std::vector<Rgb>{{250, 10, 10}, {10, 240, 20}});
  GifFrameDrawer drawer(*image);
  Bitmap preview = RenderStill(*image);
  drawer.Draw(1, GifDrawMethod::kDrawOnTop, preview);
  EXPECT_EQ(preview.Format(), PixelFormat::kBits8);
  EXPECT_EQ(RowColours(preview), (std::vector<Rgb>{kRed, kGreen}));
  // A 24-bit preview keeps the colours as they are.
  Bitmap full(2, 1);
  drawer.Draw(1, GifDrawMethod::kDrawOnTop, full);
  EXPECT_EQ(RowColours(full), (std::vector<Rgb>{{250, 10, 10}, {10, 240, 20}}));
}

TEST(GifFrameDrawer, ViewingAFrameDrawsItAndTheSixtyBeforeIt) {
  std::vector<PlannedFrame> frames;
  for (std::uint16_t i = 0; i < 101; ++i) frames.push_back({i, {2}, 10});
  auto image = MakeAnimation(101, frames);
  GifFrameDrawer drawer(*image);
  Bitmap preview(101, 1);
  drawer.DrawForView(99, GifDrawMethod::kDrawOnTop, preview);
  for (int x = 0; x < 101; ++x) {
    EXPECT_EQ(preview.PixelColor(x, 0), (x >= 39 && x <= 99 ? kGreen : kWhite)) << x;
  }
}

class GifExtraction : public ::testing::Test {
 protected:
  // Twelve frames: white, then one more red pixel in each, so that frame k's
  // picture shows k red pixels when the frames before it were drawn.
  void SetUp() override {
    m_dir = test::MakeTempDir();
    std::vector<PlannedFrame> frames{{0, std::vector<std::uint8_t>(12, 0), 10}};
    for (std::uint16_t i = 1; i < 12; ++i) frames.push_back({i, {1}, 10});
    m_image = MakeAnimation(12, frames);
    m_preview = RenderStill(*m_image);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  ExtractionResult Extract(int first, int last, bool reverse, const std::string& base) {
    GifFrameDrawer drawer(*m_image);
    GifExtractionRequest request;
    request.base = base;
    request.first = first;
    request.last = last;
    request.reverse = reverse;
    request.show_frame = [this](int frame) { m_shown.push_back(frame); };
    request.open_folder = &m_desktop;
    return ExtractGifFrames(*m_image, drawer, request, m_preview, m_reporter, m_progress);
  }

  int RedPixelsIn(const std::string& path) {
    const Bitmap bitmap = ReadBmp(ReadWholeFile(path));
    EXPECT_EQ(bitmap.BitsPerPixel(), 8) << path;
    int red = 0;
    for (const Rgb& c : RowColours(bitmap)) red += c == kRed ? 1 : 0;
    return red;
  }

  class RecordingDesktop final : public Desktop {
   public:
    void Open(const std::string& path) override { opened.push_back(path); }
    std::vector<std::string> opened;
  };

  std::string m_dir;
  std::unique_ptr<TGIFImage> m_image;
  Bitmap m_preview;
  std::vector<int> m_shown;
  RecordingDesktop m_desktop;
  test::RecordingReporter m_reporter;
  test::RecordingProgress m_progress;
};

TEST_F(GifExtraction, ReverseOrderNumbersTheFilesBackwardsOverFramesBuiltUpInOrder) {
  const ExtractionResult result = Extract(5, 7, true, m_dir + "/g");
  EXPECT_EQ(result.outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(result.processed, 3);
  EXPECT_EQ(RedPixelsIn(m_dir + "/g06.bmp"), 4);  // frame 4
  EXPECT_EQ(RedPixelsIn(m_dir + "/g05.bmp"), 5);
  EXPECT_EQ(RedPixelsIn(m_dir + "/g04.bmp"), 6);
  EXPECT_FALSE(FileExists(m_dir + "/g07.bmp") || FileExists(m_dir + "/g03.bmp"));
  // The saved frames keep the first frame's colour table.
  const Bitmap saved = ReadBmp(ReadWholeFile(m_dir + "/g04.bmp"));
  EXPECT_EQ(std::vector<Rgb>(saved.Palette().begin(), saved.Palette().begin() + 4),
            (std::vector<Rgb>{kWhite, kRed, kGreen, kBlue}));
  EXPECT_EQ(m_desktop.opened, std::vector<std::string>{m_dir + "/"});
  EXPECT_TRUE(m_reporter.entries.empty());
}

TEST_F(GifExtraction, ProgressEveryFiveFramesAndStopAtAProgressStep) {
  EXPECT_EQ(Extract(1, 12, false, m_dir + "/f").outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(m_progress.progress_texts,
            (std::vector<std::string>{"Frames Processed/Percent: 0 / 0%", "Frames Processed/Percent: 5 / 41%",
                                      "Frames Processed/Percent: 10 / 83%", "Frames Processed/Percent: 12 / 100%"}));
  EXPECT_EQ(m_shown, (std::vector<int>{5, 10}));
  for (int k = 0; k < 12; ++k) EXPECT_EQ(RedPixelsIn(m_dir + "/f" + (k < 10 ? "0" : "") + std::to_string(k) + ".bmp"), k);

  // Events run at the start, after building up, and at frame 5, where the stop is seen.
  m_progress = {};
  m_progress.stop_after_events = 3;
  m_preview = RenderStill(*m_image);
  const ExtractionResult stopped = Extract(1, 12, false, m_dir + "/s");
  EXPECT_EQ(stopped.outcome, ExtractionOutcome::kStopped);
  EXPECT_EQ(stopped.processed, 5);
  EXPECT_TRUE(FileExists(m_dir + "/s04.bmp"));
  EXPECT_FALSE(FileExists(m_dir + "/s05.bmp"));
  EXPECT_EQ(m_progress.progress_texts.back(), "Frames Processed/Percent: 5 / 41%");
  EXPECT_EQ(m_desktop.opened.size(), 2u);
}

TEST_F(GifExtraction, BadRangesAndMissingDestinationsWriteNothing) {
  for (const auto& [first, last] : {std::pair{0, 3}, std::pair{3, 13}, std::pair{5, 4}}) {
    m_reporter.entries.clear();
    EXPECT_EQ(Extract(first, last, false, m_dir + "/r").outcome, ExtractionOutcome::kInvalidRange);
    EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{"Invalid frame range. - ExtractBtnClick()"});
  }
  m_reporter.entries.clear();
  EXPECT_EQ(Extract(1, 2, false, "").outcome, ExtractionOutcome::kNoDestination);
  EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{
                                     "Please choose a destination for the bitmaps. Process stopped.\n- ExtractBtnClick()"});
  EXPECT_TRUE(std::filesystem::is_empty(m_dir));
  EXPECT_TRUE(m_desktop.opened.empty());
}

TEST_F(GifExtraction, AFileThatCannotBeWrittenEndsTheRunWithoutOpeningTheFolder) {
  const ExtractionResult result = Extract(1, 3, false, m_dir + "/missing/f");
  EXPECT_EQ(result.outcome, ExtractionOutcome::kFailed);
  EXPECT_EQ(result.processed, 0);
  ASSERT_EQ(m_reporter.Errors().size(), 2u);
  EXPECT_EQ(m_reporter.Errors()[1], "Error opening GIF file - ExtractBtnClick().");
  EXPECT_TRUE(m_desktop.opened.empty());
}

}  // namespace
}  // namespace sf
