#include "compile/timing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
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
  EXPECT_EQ(GetTotalFrames(list, false, "1", reporter), "Total Frames: ?");
  EXPECT_EQ(GetVideoLength(list, false, "1", "29.97", reporter), "Video Length: ?");
  EXPECT_EQ(GetTotalFrames(list, true, "2", reporter), "Total Frames: 2") << "a compile counts its one row";

  for (int i = 0; i < 4; ++i) list.AddPath("/p/" + std::to_string(i) + ".jpg");
  EXPECT_EQ(GetTotalFrames(list, false, "1.5", reporter), "Total Frames: 6");
  EXPECT_TRUE(reporter.entries.empty());
  EXPECT_EQ(GetTotalFrames(list, false, "abc", reporter), "Total Frames: ?");
  EXPECT_EQ(GetVideoLength(list, false, "1", "0", reporter), "Video Length: ?");
  EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{
                                   "Error getting the total frames in function GetTotalFrames().",
                                   "\"abc\" is not a valid number.",
                                   "Error getting the video length in function GetVideoLength().",
                                   "Division by zero.",
                               }));
}

}  // namespace
}  // namespace sf
