#include "tools/frame_extraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "avi/avi_writer.h"
#include "common/file_util.h"
#include "image/bmp_reader.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"
#include "tools/avi_frame_source.h"

namespace sf {
namespace {

// Frame k is a 3 x 2 picture of the colour (k, 100, 200); frames listed in
// `failing` throw instead.
class CountingSource final : public FrameSource {
 public:
  explicit CountingSource(int frames) : m_frames(frames) {}
  int FrameCount() const override { return m_frames; }
  int Width() const override { return 3; }
  int Height() const override { return 2; }
  void DrawFrame(int index, Bitmap& target) override {
    drawn.push_back(index);
    if (index == failing) throw std::runtime_error("frame " + std::to_string(index) + " is broken");
    target.Fill(Rgb{static_cast<std::uint8_t>(index), 100, 200});
  }
  std::vector<int> drawn;
  int failing = -1;

 private:
  int m_frames;
};

class OpenedFolders final : public Desktop {
 public:
  void Open(const std::string& path) override { opened.push_back(path); }
  std::vector<std::string> opened;
};

class FrameExtraction : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(m_dir); }

  ExtractionResult Extract(FrameSource& source, int first, int last, bool reverse = false) {
    ExtractionRequest request;
    request.base = m_dir + "/img";
    request.first = first;
    request.last = last;
    request.reverse = reverse;
    request.style = m_style;
    request.open_folder = &m_desktop;
    request.show_frame = [this](int number) { m_shown.push_back(number); };
    return ExtractFrames(source, request, m_preview, m_reporter, m_progress);
  }
  // The frame a written file holds (its red level), or -1 when it is missing.
  int FrameInFile(const std::string& name) const {
    if (!FileExists(m_dir + "/" + name)) return -1;
    const Bitmap picture = ReadBmp(ReadWholeFile(m_dir + "/" + name));
    EXPECT_EQ(picture.Format(), PixelFormat::kBits24);
    return picture.PixelColor(0, 0).r;
  }
  int FileCount() const { return static_cast<int>(std::distance(std::filesystem::directory_iterator(m_dir), {})); }

  std::string m_dir = test::MakeTempDir();
  ExtractionStyle m_style;
  Bitmap m_preview;
  test::RecordingReporter m_reporter;
  test::RecordingProgress m_progress;
  OpenedFolders m_desktop;
  std::vector<int> m_shown;
};

TEST(FrameFileName, PadsToTheDigitsOfTheFrameTotalLessOne) {
  const struct {
    int k;
    int total;
    const char* name;
  } rows[] = {
      {2, 250, "/f/AVIBitmap002.bmp"}, {24, 25, "/f/AVIBitmap24.bmp"},  {9, 10, "/f/AVIBitmap9.bmp"},
      {0, 11, "/f/AVIBitmap00.bmp"},   {0, 1, "/f/AVIBitmap0.bmp"},     {5, 1000, "/f/AVIBitmap005.bmp"},
      {5, 1001, "/f/AVIBitmap0005.bmp"},
  };
  for (const auto& row : rows) EXPECT_EQ(FrameFileName("/f/AVIBitmap", row.k, row.total), row.name);
  EXPECT_EQ(FrameFileName("clip.bmp", 0, 250), "clip.bmp000.bmp") << "the base is used as chosen";
}

TEST_F(FrameExtraction, WritesTheRangeForwardOrBackwardsUnderAscendingNumbers) {
  CountingSource source(25);
  ASSERT_EQ(Extract(source, 1, 25).outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(FrameInFile("img00.bmp"), 0);
  EXPECT_EQ(FrameInFile("img24.bmp"), 24);
  EXPECT_EQ(FileCount(), 25);
  EXPECT_EQ(m_desktop.opened, std::vector<std::string>{m_dir + "/"});
  EXPECT_EQ(m_preview.Width(), 3);

  std::filesystem::remove_all(m_dir);
  std::filesystem::create_directory(m_dir);
  CountingSource ten(10);
  ASSERT_EQ(Extract(ten, 3, 5, true).outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(FrameInFile("img2.bmp"), 4);
  EXPECT_EQ(FrameInFile("img3.bmp"), 3);
  EXPECT_EQ(FrameInFile("img4.bmp"), 2);
  EXPECT_EQ(FileCount(), 3);

  // The GIF extractor keeps the frames in order and runs the numbers backwards.
  m_style.reverse_numbers = true;
  CountingSource twelve(12);
  ASSERT_EQ(Extract(twelve, 5, 7, true).outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(twelve.drawn, (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(FrameInFile("img06.bmp"), 4);
  EXPECT_EQ(FrameInFile("img04.bmp"), 6);
}

TEST_F(FrameExtraction, RefusesABadRangeOrNoDestination) {
  CountingSource source(10);
  for (const auto& [first, last] : {std::pair{0, 5}, std::pair{1, 11}, std::pair{6, 5}}) {
    SCOPED_TRACE(std::to_string(first) + ".." + std::to_string(last));
    m_reporter.entries.clear();
    EXPECT_EQ(Extract(source, first, last).outcome, ExtractionOutcome::kInvalidRange);
    EXPECT_EQ(m_reporter.Errors(), std::vector<std::string>{"Invalid frame range. - ExtractBtnClick()"});
  }
  EXPECT_EQ(FileCount(), 0);
  EXPECT_TRUE(source.drawn.empty());
  EXPECT_TRUE(m_desktop.opened.empty());

  m_reporter.entries.clear();
  ExtractionRequest request;
  EXPECT_EQ(ExtractFrames(source, request, m_preview, m_reporter, m_progress).outcome,
            ExtractionOutcome::kNoDestination);
  EXPECT_EQ(
      m_reporter.Errors(),
      std::vector<std::string>{"Please choose a destination for the bitmaps. Process stopped.\n- ExtractBtnClick()"});
}

TEST_F(FrameExtraction, ReportsProgressEveryTwentyFramesAndStopsThere) {
  CountingSource fifty(50);
  Extract(fifty, 1, 50);
  EXPECT_EQ(m_progress.progress_texts,
            (std::vector<std::string>{"Frames Processed/Percent: 0 / 0%", "Frames Processed/Percent: 20 / 40%",
                                      "Frames Processed/Percent: 40 / 80%", "Frames Processed/Percent: 50 / 100%"}));
  EXPECT_EQ(m_progress.percents, (std::vector<int>{0, 40, 80, 100}));
  EXPECT_EQ(m_shown, (std::vector<int>{1, 20, 40}));

  m_progress = {};
  m_shown.clear();
  Extract(fifty, 15, 50, true);
  ASSERT_GE(m_progress.progress_texts.size(), 2u);
  EXPECT_EQ(m_progress.progress_texts[1], "Frames Processed/Percent: 6 / 16%") << "first after frame 20";
  EXPECT_EQ(m_shown[1], 50 - 20 + 15) << "the view shows the frame just drawn";

  // A stop request is seen at the next progress step; the folder still opens.
  m_progress = {};
  m_progress.stop_after_events = 2;
  m_desktop.opened.clear();
  const ExtractionResult stopped = Extract(fifty, 1, 50);
  EXPECT_EQ(stopped.outcome, ExtractionOutcome::kStopped);
  EXPECT_EQ(stopped.processed, 20);
  EXPECT_EQ(m_progress.progress_texts.back(), "Frames Processed/Percent: 20 / 40%");
  EXPECT_EQ(m_desktop.opened.size(), 1u);
}

TEST_F(FrameExtraction, GoesOnAfterABrokenFrameButNotAfterAFailedSave) {
  CountingSource source(5);
  source.failing = 2;
  EXPECT_EQ(Extract(source, 1, 5).outcome, ExtractionOutcome::kCompleted);
  EXPECT_EQ(m_reporter.Errors(), (std::vector<std::string>{"frame 2 is broken", "Error getting frame - GetFrame()."}));
  EXPECT_EQ(FrameInFile("img2.bmp"), 1) << "the preview keeps the frame before";
  EXPECT_EQ(FileCount(), 5);

  m_reporter.entries.clear();
  m_desktop.opened.clear();
  ExtractionRequest request;
  request.base = m_dir + "/missing/img";
  request.last = 3;
  request.open_folder = &m_desktop;
  const ExtractionResult failed = ExtractFrames(source, request, m_preview, m_reporter, m_progress);
  EXPECT_EQ(failed.outcome, ExtractionOutcome::kFailed);
  ASSERT_EQ(m_reporter.Errors().size(), 2u);
  EXPECT_EQ(m_reporter.Errors()[1], "Error opening AVI file - ExtractBtnClick().");
  EXPECT_TRUE(m_desktop.opened.empty());
  EXPECT_EQ(m_progress.progress_texts.back(), "Frames Processed/Percent: 0 / 0%");
}

TEST_F(FrameExtraction, AviFramesBecome24BitFilesOfTheVideosSize) {
  auto writer = AviWriter::Open(m_dir + "/in.avi", 100000.0, 25);
  std::vector<Bitmap> frames;
  for (int i = 0; i < 11; ++i) {
    frames.push_back(test::MakeGradient(9, 7, PixelFormat::kBits8));
    frames.back().SetPixelIndex(0, 0, static_cast<std::uint8_t>(i));
    ASSERT_EQ(writer->AddFrame(frames.back()), AVIERR_OK);
  }
  ASSERT_EQ(AviWriter::Close(std::move(writer)), AVIERR_OK);
  AviReader reader(m_reporter);
  ASSERT_TRUE(reader.InitAvi(m_dir + "/in.avi"));
  AviFrameSource source(reader, *reader.GetAviInfo());
  ASSERT_EQ(Extract(source, 1, 11).outcome, ExtractionOutcome::kCompleted);
  for (int i = 0; i < 11; ++i) {
    const std::string name = m_dir + "/" + FrameFileName("img", i, 11);
    const Bitmap picture = ReadBmp(ReadWholeFile(name));
    EXPECT_EQ(picture.Format(), PixelFormat::kBits24);
    EXPECT_EQ(test::FirstDifference(picture, frames[i]), "") << name;
  }
  EXPECT_TRUE(m_reporter.entries.empty());
}

}  // namespace
}  // namespace sf
