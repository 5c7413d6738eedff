// The transition cell, the cross fade's arithmetic and the preview frames of
// the fifth transition.
#include "effects/transitions.h"

#include <gtest/gtest.h>

#include "support/pictures.h"

namespace sf {
namespace {

TEST(Transitions, OnlyTheFiveDigitsNameATransition) {
  EXPECT_EQ(ParseTransitionCell("0"), Transition::kPageFlipLeft);
  EXPECT_EQ(ParseTransitionCell("4"), Transition::kCrossFade);
  for (const char* cell : {"", "5", "-1", "04", " 1", "1 ", "a"}) EXPECT_FALSE(ParseTransitionCell(cell)) << cell;
  EXPECT_STREQ(TransitionName(Transition::kCrossFade), "Cross Fade");
  EXPECT_STREQ(TransitionName(Transition::kPageFlipDown), "Page Flip - Down");
}

TEST(Transitions, ACrossFadeMixesEachChannelRounded) {
  const Bitmap from = test::MakeFromRows({{0x000000, 0xFFFFFF, 0x102030}});
  const Bitmap to = test::MakeFromRows({{0xFFFFFF, 0x000000, 0x112233}});
  Bitmap target(3, 1);
  DrawCrossFade(from, to, 0, target);
  EXPECT_EQ(test::FirstDifference(target, from), "");
  DrawCrossFade(from, to, 1, target);
  EXPECT_EQ(test::FirstDifference(target, to), "");
  // Half way: (a + b + 1) / 2 in each channel.
  DrawCrossFade(from, to, 0.5, target);
  EXPECT_EQ(test::FirstDifference(target, test::MakeFromRows({{0x808080, 0x808080, 0x112132}})), "");
  // A quarter: (a x 192 + b x 64 + 128) / 256.
  DrawCrossFade(from, to, 0.25, target);
  EXPECT_EQ(test::FirstDifference(target, test::MakeFromRows({{0x404040, 0xBFBFBF, 0x102131}})), "");
  Bitmap wrong(2, 1);
  EXPECT_THROW(DrawCrossFade(from, to, 0.5, wrong), std::invalid_argument);
}

TEST(Transitions, TheCrossFadePreviewKeepsTheKeyColourOutAndEndsOnThePicture) {
  constexpr ColorRef kKey = 0x00FF00FF;  // magenta
  const Bitmap picture = test::MakeFromRows({{0xFF00FF, 0x204060}});
  const Bitmap back = test::MakeFromRows({{0x000000, 0x000000}});
  Bitmap first = back;
  DrawTransitionPreviewFrame(Transition::kCrossFade, picture, first, 0, kKey);
  EXPECT_EQ(test::FirstDifference(first, back), "");
  Bitmap last = back;
  DrawTransitionPreviewFrame(Transition::kCrossFade, picture, last, 79, kKey);
  EXPECT_EQ(test::FirstDifference(last, test::MakeFromRows({{0x000000, 0x204060}})), "");
}

}  // namespace
}  // namespace sf
