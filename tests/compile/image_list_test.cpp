#include "compile/image_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sf {
namespace {

// A list of n pictures p1..pn, each with an effect text and a row-tab mark.
ImageList MakeList(int n) {
  ImageList list;
  for (int i = 1; i <= n; ++i) {
    list.AddPath("p" + std::to_string(i));
    list.SetCell(list.LastRow(), kEffectsColumn, "e" + std::to_string(i));
    list.SetCell(list.LastRow(), kRowTabColumn, "t" + std::to_string(i));
  }
  return list;
}

std::vector<std::string> Paths(const ImageList& list) {
  std::vector<std::string> paths;
  for (int r = 0; r < list.RowCount(); ++r) paths.push_back(list.Path(r));
  return paths;
}

TEST(ImageList, StartsEmptyAndFillsRowZeroFirst) {
  ImageList list;
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.ImageCount(), 0);
  list.AddPath("/pics/a.jpg");
  list.AddPath("/pics/b.jpg");
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"/pics/a.jpg", "/pics/b.jpg"}));
  EXPECT_EQ(list.ImageCount(), 2);
  EXPECT_THROW(list.Cell(2, kPathColumn), std::out_of_range);
  EXPECT_THROW(list.Cell(0, 4), std::out_of_range);
}

TEST(ImageList, DeletingASelectionMovesTheRestUpWithTheirCells) {
  for (const auto& [a, b] : {std::pair{2, 4}, std::pair{4, 2}}) {
    SCOPED_TRACE(std::to_string(a) + ".." + std::to_string(b));
    ImageList list = MakeList(6);
    const int current = list.DeleteSelection(a, b, 5);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"p1", "p2", "p6"}));
    EXPECT_EQ(list.Effects(2), "e6") << "every column from 1 on moves";
    EXPECT_EQ(list.Cell(2, kRowTabColumn), "t3") << "the row tabs stay where they were";
    EXPECT_EQ(current, 2) << "a current row past the end becomes the last row";
  }
}

TEST(ImageList, DeletingEveryRowLeavesTheEmptyList) {
  ImageList list = MakeList(3);
  list.DeleteSelection(0, 2, 0);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Effects(0), "");

  ImageList single = MakeList(1);
  single.DeleteSelection(0, 0, 0);
  EXPECT_TRUE(single.IsEmpty());

  // A validation block that covers the whole list.
  ImageList all = MakeList(4);
  all.DeleteRows(0, 3);
  EXPECT_TRUE(all.IsEmpty());
  EXPECT_EQ(all.RowCount(), 1);
}

TEST(ImageList, DeletingTheLastRowsKeepsTheFirst) {
  ImageList list = MakeList(3);
  list.DeleteRows(1, 2);
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"p1"}));
  EXPECT_FALSE(list.IsEmpty());
}

TEST(ImageList, SwappingAndMovingLeaveTheRowTabs) {
  ImageList list = MakeList(4);
  list.SwapRows(0, 3);
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"p4", "p2", "p3", "p1"}));
  EXPECT_EQ(list.Effects(0), "e4");
  EXPECT_EQ(list.Cell(0, kRowTabColumn), "t1");

  ImageList moved = MakeList(4);
  moved.MoveRow(0, 2);
  EXPECT_EQ(Paths(moved), (std::vector<std::string>{"p2", "p3", "p1", "p4"}));
  moved.MoveRow(3, 0);
  EXPECT_EQ(Paths(moved), (std::vector<std::string>{"p4", "p2", "p3", "p1"}));
}

}  // namespace
}  // namespace sf
