#include "list/row_motion.h"

#include <gtest/gtest.h>

#include <string>

#include "list/row_display_time.h"

namespace sf {
namespace {

bool SameRect(const MotionRect& a, const MotionRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(RowMotion, NamedKindsAndRectanglesReadAndPrintBack) {
  const struct {
    const char* cell;
    MotionKind kind;
  } named[] = {
      {"", MotionKind::kNone},          {"Zoom In", MotionKind::kZoomIn},   {"Zoom Out", MotionKind::kZoomOut},
      {"Pan Left", MotionKind::kPanLeft}, {"Pan Right", MotionKind::kPanRight},
  };
  for (const auto& n : named) {
    SCOPED_TRACE(n.cell);
    const std::optional<RowMotion> motion = ParseRowMotion(n.cell);
    ASSERT_TRUE(motion);
    EXPECT_EQ(motion->kind, n.kind);
    EXPECT_TRUE(SameRect(motion->start, MotionRect{}) && SameRect(motion->end, MotionRect{}));
    EXPECT_EQ(RowMotionText(*motion), n.cell);
  }
  EXPECT_EQ(ParseRowMotion("  Zoom   In ")->kind, MotionKind::kZoomIn) << "spacing is not significant";

  const std::optional<RowMotion> rects = ParseRowMotion("Rect 0 0 1 1 > 0.25 0.125 0.5 0.75");
  ASSERT_TRUE(rects);
  EXPECT_EQ(rects->kind, MotionKind::kRects);
  EXPECT_TRUE(SameRect(rects->start, MotionRect{0, 0, 1, 1}));
  EXPECT_TRUE(SameRect(rects->end, MotionRect{0.25, 0.125, 0.5, 0.75}));
  EXPECT_EQ(RowMotionText(*rects), "Rect 0 0 1 1 > 0.25 0.125 0.5 0.75");

  // Numbers print in their shortest exact form, so a third survives the trip.
  const RowMotion thirds{MotionKind::kRects, {1.0 / 3, 0.1, 2.0 / 3, 0.9}, {0.7, 0.3, 0.3, 0.7}};
  const std::optional<RowMotion> back = ParseRowMotion(RowMotionText(thirds));
  ASSERT_TRUE(back);
  EXPECT_TRUE(SameRect(back->start, thirds.start));
  EXPECT_TRUE(SameRect(back->end, thirds.end));
}

TEST(RowMotion, UnreadableCellsAreRefused) {
  for (const char* cell : {
           "zoom in",                                 // keywords keep their case
           "Zoom",                                    // half a name
           "Spin",                                    //
           "Rect 0 0 1 1",                            // no end rectangle
           "Rect 0 0 1 1 0 0 1 1",                    // no ">"
           "Rect 0 0 1 1 > 0 0 1",                    // three numbers
           "Rect 0 0 1 1 > 0 0 1 1 1",                // five numbers
           "Rect 0 0 0 1 > 0 0 1 1",                  // zero width
           "Rect 0 0 1 -1 > 0 0 1 1",                 // negative height
           "Rect -0.1 0 1 1 > 0 0 1 1",               // left of the picture
           "Rect 0.5 0 0.6 1 > 0 0 1 1",              // past the right edge
           "Rect 0 0 1 1 > 0 0.5 1 0.75",             // past the bottom edge
           "Rect 0 0 1 1 > 0 0 1,0 1",                // a comma for the point
           "Rect 0 0 1 1 > 0 0 nan 1",                //
           "Rect 0 0 1 1 > 0 0 inf 1",                //
           "Rect 0 0 1 1 > 0x0 0 1 1",                //
           "Rect 0 0 1 1 >0 0 1 1",                   // ">" is a word of its own
       }) {
    SCOPED_TRACE(cell);
    EXPECT_FALSE(ParseRowMotion(cell).has_value());
  }
  // A rectangle may reach the right and bottom edges.
  EXPECT_TRUE(ParseRowMotion("Rect 0.7 0.6 0.3 0.4 > 0.1 0.2 0.9 0.8").has_value());
}

TEST(RowDisplayTime, ReadsSecondsFromZeroToADay) {
  EXPECT_EQ(ParseDisplayTime("2.5"), 2.5);
  EXPECT_EQ(ParseDisplayTime(" 0.04 "), 0.04);
  EXPECT_EQ(ParseDisplayTime("0"), 0.0);
  EXPECT_EQ(ParseDisplayTime("86400"), 86400.0);
  EXPECT_EQ(ParseDisplayTime("1e2"), 100.0);
  for (const char* text : {"", " ", "abc", "2s", "1,5", "-0.5", "86400.01", "nan", "inf", "1e400"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseDisplayTime(text).has_value());
  }
  EXPECT_EQ(DisplayTimeText(2.5), "2.5");
  EXPECT_EQ(DisplayTimeText(0.1 + 0.2), "0.30000000000000004") << "the cell reads back exactly";
  EXPECT_EQ(BadDisplayTimeMessage("x"), "\"x\" is not a number of seconds from 0 to 86400.");
}

}  // namespace
}  // namespace sf
