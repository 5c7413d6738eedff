#include "compile/timing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "list/image_list.h"
#include "support/recording_reporter.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

std::vector<std::int64_t> Frames(double repeat, int rows) {
  RepeatDistributor distributor(repeat);
  std::vector<std::int64_t> frames;
  for (int i = 0; i < rows; ++i) frames.push_back(distributor.NextRow());
  return frames;
}

TEST(RepeatDistributor, SharesOutTheFraction) {
  EXPECT_EQ(Frames(1.5, 4), (std::vector<std::int64_t>{1, 2, 1, 2}));
  EXPECT_EQ(Frames(2.25, 8), (std::vector<std::int64_t>{2, 2, 2, 3, 2, 2, 2, 3}));
  // The carry keeps the rounding of doubles: ten steps of 0.1 stay under 1.0,
  // while ten steps of 1.1 - 1 (a little above 0.1) reach it.
  EXPECT_EQ(Frames(0.1, 11), (std::vector<std::int64_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(Frames(1.1, 11), (std::vector<std::int64_t>{1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1}));
  EXPECT_THAT([&] { (void)(RepeatDistributor(1e300)); },
              ThrowsMessage<std::invalid_argument>(StrEq("The repeat value 1E+300 is not a usable number of frames.")));
}

TEST(Timing, TotalsAndVideoLengthTexts) {
  EXPECT_EQ(TotalFrames(4, 1.5), 6);
  EXPECT_THAT([&] { (void)(TotalFrames(1000, 1e17)); },
              ThrowsMessage<std::overflow_error>(StrEq("The total number of frames is too large.")));
  EXPECT_EQ(VideoLengthText(100, 1, 25), "Video Length: 0 min. 4 sec. 0 ms.");
  EXPECT_EQ(VideoLengthText(1, 1, 29.97), "Video Length: 33 milliseconds.");
  EXPECT_EQ(VideoLengthText(121, 1, 2), "Video Length: 1 min. 0 sec. 500 ms.");
}

TEST(Timing, ReadoutsFromTheEditTexts) {
  test::RecordingReporter reporter;
  ImageList list;
  EXPECT_EQ(GetTotalFrames(list, false, "1", "29.97", reporter), "Total Frames: ?");
  EXPECT_EQ(GetVideoLength(list, false, "1", "29.97", reporter), "Video Length: ?");
  EXPECT_EQ(GetTotalFrames(list, true, "2", "29.97", reporter), "Total Frames: 2") << "a compile counts its one row";

  for (int i = 0; i < 4; ++i) list.AddPath("/p/" + std::to_string(i) + ".jpg");
  EXPECT_EQ(GetTotalFrames(list, false, "1.5", "fps", reporter), "Total Frames: 6")
      << "without own display times the frame rate is not read";
  EXPECT_TRUE(reporter.entries.empty());
  EXPECT_EQ(GetTotalFrames(list, false, "abc", "29.97", reporter), "Total Frames: ?");
  EXPECT_EQ(GetVideoLength(list, false, "1", "0", reporter), "Video Length: ?");
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{
                                   "Error getting the total frames in function GetTotalFrames().",
                                   "\"abc\" is not a valid number.",
                                   "Error getting the video length in function GetVideoLength().",
                                   "Division by zero.",
                               }));
}

// A list of one picture per display-time cell ("" = the global time).
ImageList ListWithTimes(const std::vector<std::string>& times) {
  ImageList list;
  for (const std::string& time : times) {
    list.AddPath("/p/" + std::to_string(list.ImageCount()) + ".jpg");
    list.SetCellAdding(list.LastRow(), kDisplayTimeColumn, time);
  }
  return list;
}

std::vector<std::int64_t> RowFrameCounts(const ImageList& list, double repeat, double frames_per_second) {
  RowFrames frames(list, repeat, frames_per_second);
  std::vector<std::int64_t> counts;
  for (int row = 0; row < list.RowCount(); ++row) counts.push_back(frames.NextRow());
  return counts;
}

TEST(RowFrames, OwnTimesShareOutWithOneCarryOverTheRows) {
  // 25 fps, repeat 10: 25 frames, 12.5 (carry 0.5), the repeat value, 1, 12.5
  // (the carry reaches 1).
  const ImageList list = ListWithTimes({"1", "0.5", "", "0.04", "0.5"});
  EXPECT_EQ(RowFrameCounts(list, 10, 25), (std::vector<std::int64_t>{25, 12, 10, 1, 13}));
  EXPECT_EQ(TotalFrames(list, 10, 25), 61);
  EXPECT_EQ(VideoLengthText(list, 10, 25), "Video Length: 0 min. 2 sec. 440 ms.");

  const ImageList four = ListWithTimes({"1", "0.5", "", "0.04"});
  EXPECT_EQ(RowFrameCounts(four, 10, 25), (std::vector<std::int64_t>{25, 12, 10, 1}));
  EXPECT_EQ(TotalFrames(four, 10, 25), 48) << "the half frame still carried is not written";
  EXPECT_EQ(VideoLengthText(four, 10, 25), "Video Length: 0 min. 1 sec. 940 ms.")
      << "decimal times add up to whole milliseconds";

  // A fractional repeat value carries across rows with their own times.
  const ImageList mixed = ListWithTimes({"", "0.1", "", "0"});
  EXPECT_EQ(RowFrameCounts(mixed, 1.5, 25), (std::vector<std::int64_t>{1, 3, 1, 0}));
  EXPECT_EQ(TotalFrames(mixed, 1.5, 25), 5);
  EXPECT_EQ(VideoLengthText(mixed, 1.5, 25), "Video Length: 220 milliseconds.");
}

TEST(RowFrames, WithoutOwnTimesTheNumbersAreTodays) {
  for (const double repeat : {1.5, 0.1, 1.1, 2.25, 7.0}) {
    SCOPED_TRACE(repeat);
    ImageList list = ListWithTimes(std::vector<std::string>(11, ""));
    EXPECT_EQ(list.ColumnCount(), kDefaultColumnCount);
    EXPECT_EQ(RowFrameCounts(list, repeat, 25), Frames(repeat, 11));
    EXPECT_EQ(TotalFrames(list, repeat, 25), TotalFrames(11, repeat));
    EXPECT_EQ(VideoLengthText(list, repeat, 29.97), VideoLengthText(11, repeat, 29.97));
    // The columns being there with empty cells changes nothing.
    list.SetColumnCount(kMotionColumn + 1);
    EXPECT_EQ(RowFrameCounts(list, repeat, 25), Frames(repeat, 11));
    EXPECT_EQ(TotalFrames(list, repeat, 25), TotalFrames(11, repeat));
  }
  // Ten rows of 0.1 write no frame, yet the total keeps today's trunc(10 x 0.1).
  EXPECT_EQ(TotalFrames(ListWithTimes(std::vector<std::string>(10, "")), 0.1, 25), 1);
}

TEST(RowFrames, UnusableDisplayTimesAreRefusedNamingTheRow) {
  const std::string bad_text = "The display time in row 2 of the list cannot be used: ";
  const struct {
    std::string cell;
    std::string message;
  } cases[] = {
      {"abc", bad_text + "\"abc\" is not a number of seconds from 0 to 86400."},
      {"-1", bad_text + "\"-1\" is not a number of seconds from 0 to 86400."},
      {"1,5", bad_text + "\"1,5\" is not a number of seconds from 0 to 86400."},
      {"nan", bad_text + "\"nan\" is not a number of seconds from 0 to 86400."},
      {"inf", bad_text + "\"inf\" is not a number of seconds from 0 to 86400."},
      {"1e300", bad_text + "\"1e300\" is not a number of seconds from 0 to 86400."},
      {"86400.5", bad_text + "\"86400.5\" is not a number of seconds from 0 to 86400."},
      {" ", bad_text + "\" \" is not a number of seconds from 0 to 86400."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    const ImageList list = ListWithTimes({"2", c.cell, "x"});
    EXPECT_EQ(DisplayTimeRefusal(list, 25), c.message) << "the first bad row is named";
    EXPECT_THAT([&] { RowFrames frames(list, 1, 25); }, ThrowsMessage<std::invalid_argument>(StrEq(c.message)));
  }
  // A usable time at a frame rate that makes too many frames of it.
  const ImageList slow = ListWithTimes({"", "86400"});
  EXPECT_EQ(DisplayTimeRefusal(slow, 25), std::nullopt);
  EXPECT_EQ(DisplayTimeRefusal(slow, 1e11),
            bad_text + "86400 seconds at 100000000000 frames per second is not a usable number of frames.");

  test::RecordingReporter reporter;
  const ImageList bad = ListWithTimes({"1", "soon"});
  EXPECT_EQ(GetTotalFrames(bad, false, "1", "25", reporter), "Total Frames: ?");
  EXPECT_EQ(GetVideoLength(bad, false, "1", "25", reporter), "Video Length: ?");
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{
                                   "Error getting the total frames in function GetTotalFrames().",
                                   bad_text + "\"soon\" is not a number of seconds from 0 to 86400.",
                                   "Error getting the video length in function GetVideoLength().",
                                   bad_text + "\"soon\" is not a number of seconds from 0 to 86400.",
                               }));
  reporter.entries.clear();
  const ImageList good = ListWithTimes({"1", "0.5", "", "0.04"});
  EXPECT_EQ(GetTotalFrames(good, false, "10", "25", reporter), "Total Frames: 48");
  EXPECT_EQ(GetVideoLength(good, false, "10", "25", reporter), "Video Length: 0 min. 1 sec. 940 ms.");
  EXPECT_TRUE(reporter.entries.empty());
}

}  // namespace
}  // namespace sf
