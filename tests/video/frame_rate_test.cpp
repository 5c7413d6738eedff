// The frame rate as an exact fraction, and the one quality scale mapped onto
// both encoders.
#include <gtest/gtest.h>

#include "video/frame_rate.h"
#include "video/video_encoding.h"

namespace sf {
namespace {

TEST(VideoFrameRate, NtscRatesAreThousandOverThousandAndOne) {
  EXPECT_EQ(VideoFrameRate(29.97), (Rational{30000, 1001}));
  EXPECT_EQ(VideoFrameRate(23.976), (Rational{24000, 1001}));
  EXPECT_EQ(VideoFrameRate(59.94), (Rational{60000, 1001}));
  EXPECT_EQ(VideoFrameRate(119.88), (Rational{120000, 1001}));
  EXPECT_EQ(VideoFrameRate(30000.0 / 1001.0), (Rational{30000, 1001}));
  EXPECT_EQ(VideoFrameRate(29.98), (Rational{1499, 50})) << "a rate that only looks like NTSC stays as typed";
}

TEST(VideoFrameRate, OtherRatesAreTheNearestSmallFraction) {
  EXPECT_EQ(VideoFrameRate(25), (Rational{25, 1}));
  EXPECT_EQ(VideoFrameRate(30), (Rational{30, 1})) << "a whole rate is never taken for NTSC";
  EXPECT_EQ(VideoFrameRate(60), (Rational{60, 1}));
  EXPECT_EQ(VideoFrameRate(12.5), (Rational{25, 2}));
  EXPECT_EQ(VideoFrameRate(0.5), (Rational{1, 2}));
  EXPECT_EQ(VideoFrameRate(1.0 / 3.0), (Rational{1, 3}));
  EXPECT_EQ(VideoFrameRate(3.14159265358979), (Rational{355, 113}));
  EXPECT_EQ(VideoFrameRate(0.0123456), (Rational{1, 81}));
  EXPECT_EQ(VideoFrameRate(1000), (Rational{1000, 1}));
  const Rational odd = VideoFrameRate(17.3456);
  EXPECT_LE(odd.den, kMaxFrameRateDenominator);
  EXPECT_NEAR(static_cast<double>(odd.num) / static_cast<double>(odd.den), 17.3456, 1e-5);
}

TEST(VideoFrameRate, RatesBelowAnyFractionHaveNoNumerator) {
  EXPECT_EQ(VideoFrameRate(0.0004).num, 0);
  EXPECT_EQ(VideoFrameRate(0.0006), (Rational{1, 1000}));
}

TEST(VideoEncoding, OneQualityScaleForBothEncoders) {
  EXPECT_EQ(X264Crf(22), 22);
  EXPECT_EQ(X264Crf(-3), 1) << "0 would be lossless, which High cannot hold";
  EXPECT_EQ(X264Crf(70), 51);
  EXPECT_EQ(Vp9Crf(1), 1);
  EXPECT_EQ(Vp9Crf(kDefaultVideoQuality), 27);
  EXPECT_EQ(Vp9Crf(11), 14);
  EXPECT_EQ(Vp9Crf(51), 63);
  for (int q = kMinVideoQuality + 1; q <= kMaxVideoQuality; ++q) EXPECT_GT(Vp9Crf(q), Vp9Crf(q - 1)) << "at " << q;
}

TEST(VideoEncoding, PresetsByNameFromFastestToSlowest) {
  ASSERT_EQ(VideoPresets().size(), 9u);
  EXPECT_EQ(VideoPresetIndex("ultrafast"), 0);
  EXPECT_EQ(VideoPresetIndex("veryslow"), 8);
  EXPECT_EQ(VideoPresetIndex(VideoPresets()[kDefaultVideoPreset]), kDefaultVideoPreset);
  EXPECT_EQ(VideoPresetIndex("Medium"), std::nullopt);
  EXPECT_EQ(VideoPresetIndex("placebo"), std::nullopt);
  EXPECT_STREQ(Vp9SpeedFor(0).deadline, "realtime");
  EXPECT_STREQ(Vp9SpeedFor(8).deadline, "best");
  EXPECT_GT(Vp9SpeedFor(3).cpu_used, Vp9SpeedFor(6).cpu_used);
}

}  // namespace
}  // namespace sf
