// Applying a whole effect-list text: the results, the two failure messages,
// and the picture left exactly as it was after any failure.
#include "effects/apply_list_of_effects.h"

#include <gtest/gtest.h>

#include "effects/brighter.h"
#include "effects/darker.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

using test::RecordingReporter;

constexpr const char* kListFailure = "Error applying list of effects to bitmap.\n - ApplyListOfEffects()()";

bool SameBytes(const Bitmap& a, const Bitmap& b) {
  return a.Format() == b.Format() && a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Storage().begin(), a.Storage().end(), b.Storage().begin(), b.Storage().end()) &&
         a.Palette() == b.Palette();
}

TEST(ApplyListOfEffects, AppliesTheEntriesInOrder) {
  const Bitmap original = test::MakeGradient(6, 5);
  Bitmap picture = original;
  RecordingReporter reporter;
  ApplyListOfEffects(picture, "2<Brighter=50><Darker=100>", reporter);
  Bitmap expected = original;
  Brighter(expected, 50);
  Darker(expected, 100);
  EXPECT_TRUE(SameBytes(picture, expected));
  EXPECT_TRUE(reporter.entries.empty());

  // Only the first N entries count.
  Bitmap first_only = original;
  ApplyListOfEffects(first_only, "1<Brighter=50><Darker=100>", reporter);
  Bitmap brighter = original;
  Brighter(brighter, 50);
  EXPECT_TRUE(SameBytes(first_only, brighter));
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(ApplyListOfEffects, EmptyTextLeavesThePictureByteForByte) {
  const Bitmap original = test::MakeGradient(7, 3, PixelFormat::kBits8);
  Bitmap picture = original;
  RecordingReporter reporter;
  ApplyListOfEffects(picture, "", reporter);
  EXPECT_TRUE(SameBytes(picture, original));
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(ApplyListOfEffects, AnEightBitPictureKeepsItsFormatAndPalette) {
  Bitmap picture = test::MakeGradient(6, 5, PixelFormat::kBits8);
  const std::vector<Rgb> palette = picture.Palette();
  Bitmap expected(6, 5, PixelFormat::kBits24);
  expected.Draw(picture, 0, 0);
  Brighter(expected, 50);
  RecordingReporter reporter;
  ApplyListOfEffects(picture, "1<Brighter=50>", reporter);
  EXPECT_EQ(picture.Format(), PixelFormat::kBits8);
  EXPECT_EQ(picture.Palette(), palette);
  // The 24-bit result drawn back takes the nearest entries of the picture's palette.
  Bitmap drawn_back = test::MakeGradient(6, 5, PixelFormat::kBits8);
  drawn_back.Draw(expected, 0, 0);
  EXPECT_TRUE(SameBytes(picture, drawn_back));
  EXPECT_TRUE(reporter.entries.empty());
}

TEST(ApplyListOfEffects, UnknownNameReportsItAndAppliesNothing) {
  const Bitmap original = test::MakeGradient(6, 5);
  Bitmap picture = original;
  RecordingReporter reporter;
  ApplyListOfEffects(picture, "2<brighter=50><Darker=100>", reporter);
  EXPECT_EQ(reporter.Errors(),
            (std::vector<std::string>{"Error applying effect \"brighter\". Effect not found.\n - ApplyListOfEffects()"}));
  EXPECT_TRUE(SameBytes(picture, original));

  // An earlier entry that ran is discarded too, and what follows is not read.
  RecordingReporter later;
  ApplyListOfEffects(picture, "3<Brighter=50><Blur=2>garbage", later);
  EXPECT_EQ(later.Errors(),
            (std::vector<std::string>{"Error applying effect \"Blur\". Effect not found.\n - ApplyListOfEffects()"}));
  EXPECT_TRUE(SameBytes(picture, original));
}

TEST(ApplyListOfEffects, OtherFailuresShowTheirOwnTextFirst) {
  const struct {
    const char* text;
    const char* own_message;
  } rows[] = {
      {"2<Brighter=50>", "The effect list text ends before entry 2 of 2."},
      {"1<Brighter=5O>", "'5O' is not a valid integer value."},
      {"1<Brighter>", "'' is not a valid integer value."},
      {"Brighter=50", "The effect list text has no \"<\" after its count."},
      {"1<Fisheye=0>", "Floating point division by zero"},
  };
  const Bitmap original = test::MakeGradient(6, 5, PixelFormat::kBits8);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    Bitmap picture = original;
    RecordingReporter reporter;
    ApplyListOfEffects(picture, row.text, reporter);
    EXPECT_EQ(reporter.Errors(), (std::vector<std::string>{row.own_message, kListFailure}));
    EXPECT_TRUE(SameBytes(picture, original));
  }
}

TEST(ApplyListOfEffects, BlurGaussianLetsEventsRunBetweenPasses) {
  Bitmap picture = test::MakeGradient(6, 5);
  RecordingReporter reporter;
  test::RecordingProgress progress;
  ApplyListOfEffects(picture, "2<Blur Gaussian=3><Blur Gaussian=1>", reporter, &progress);
  EXPECT_EQ(progress.events, 4);
}

}  // namespace
}  // namespace sf
