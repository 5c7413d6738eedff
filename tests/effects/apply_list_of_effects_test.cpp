// Applying a whole effect-list text: the results, the two failure messages,
// and the picture left byte for byte as it was after any failure.
#include "effects/apply_list_of_effects.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "effects/brighter.h"
#include "effects/darker.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

using Lines = std::vector<std::string>;

bool SameBytes(const Bitmap& a, const Bitmap& b) {
  return a.Format() == b.Format() && a.Width() == b.Width() && a.Palette() == b.Palette() &&
         std::ranges::equal(a.Storage(), b.Storage());
}

// The picture after the list, and the error texts reported.
std::pair<Bitmap, Lines> ApplyList(const Bitmap& picture, const char* text) {
  Bitmap result = picture;
  test::RecordingReporter reporter;
  ApplyListOfEffects(result, text, reporter);
  return {result, reporter.Errors()};
}

TEST(ApplyListOfEffects, AppliesTheFirstNEntriesInOrder) {
  const Bitmap original = test::MakeGradient(6, 5);
  Bitmap both = original;
  Brighter(both, 50);
  Darker(both, 100);
  const auto [result, errors] = ApplyList(original, "2<Brighter=50><Darker=100>");
  EXPECT_TRUE(SameBytes(result, both));
  EXPECT_TRUE(errors.empty());

  Bitmap brighter = original;
  Brighter(brighter, 50);
  EXPECT_TRUE(SameBytes(ApplyList(original, "1<Brighter=50><Darker=100>").first, brighter));
}

TEST(ApplyListOfEffects, KeepsThePicturesOwnPixelFormat) {
  const Bitmap paletted = test::MakeGradient(7, 3, PixelFormat::kBits8);
  const auto [unchanged, none] = ApplyList(paletted, "");
  EXPECT_TRUE(SameBytes(unchanged, paletted));
  EXPECT_TRUE(none.empty());

  // The effect runs on a 24-bit copy whose result is drawn back with the picture's palette.
  Bitmap work(7, 3);
  work.Draw(paletted, 0, 0);
  Brighter(work, 50);
  Bitmap expected = paletted;
  expected.Draw(work, 0, 0);
  const auto [result, errors] = ApplyList(paletted, "1<Brighter=50>");
  EXPECT_EQ(result.Format(), PixelFormat::kBits8);
  EXPECT_TRUE(SameBytes(result, expected));
  EXPECT_TRUE(errors.empty());
}

TEST(ApplyListOfEffects, UnknownNameReportsItAndAppliesNothing) {
  const Bitmap original = test::MakeGradient(6, 5);
  const auto [result, errors] = ApplyList(original, "2<brighter=50><Darker=100>");
  EXPECT_EQ(errors, (Lines{"Error applying effect \"brighter\". Effect not found.\n - ApplyListOfEffects()"}));
  EXPECT_TRUE(SameBytes(result, original));
  // An entry that already ran is discarded too, and what follows is never read.
  const auto [later, later_errors] = ApplyList(original, "3<Brighter=50><Blur=2>garbage");
  EXPECT_EQ(later_errors, (Lines{"Error applying effect \"Blur\". Effect not found.\n - ApplyListOfEffects()"}));
  EXPECT_TRUE(SameBytes(later, original));
}

TEST(ApplyListOfEffects, OtherFailuresShowTheirOwnTextFirst) {
  const struct {
    const char* text;
    const char* own_message;
  } rows[] = {
      {"2<Brighter=50>", "The effect list text ends before entry 2 of 2."},
      {"1<Brighter=5O>", "'5O' is not a valid integer value."},
      {"1<Brighter>", "'' is not a valid integer value."},
      {"1<Fisheye=0>", "Floating point division by zero"},
  };
  const Bitmap original = test::MakeGradient(6, 5, PixelFormat::kBits8);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto [result, errors] = ApplyList(original, row.text);
    EXPECT_EQ(errors, (Lines{row.own_message, "Error applying list of effects to bitmap.\n - ApplyListOfEffects()()"}));
    EXPECT_TRUE(SameBytes(result, original));
  }
}

TEST(ApplyListOfEffects, BlurGaussianLetsEventsRunBetweenPasses) {
  Bitmap picture = test::MakeGradient(6, 5);
  test::RecordingReporter reporter;
  test::RecordingProgress progress;
  ApplyListOfEffects(picture, "2<Blur Gaussian=3><Blur Gaussian=1>", reporter, &progress);
  EXPECT_EQ(progress.events, 4);
}

}  // namespace
}  // namespace sf
