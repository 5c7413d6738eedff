#include "list/image_list.h"

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

TEST(ImageList, DeletingASelectionMovesTheRestUpWithTheirCells) {
  for (const auto& [a, b] : {std::pair{2, 4}, std::pair{4, 2}}) {
    ImageList list = MakeList(6);
    const int current = list.DeleteSelection(a, b, 5);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"p1", "p2", "p6"}));
    EXPECT_EQ(list.Effects(2), "e6") << "every column from 1 on moves";
    EXPECT_EQ(list.Cell(2, kRowTabColumn), "t3") << "the row tabs stay where they were";
    EXPECT_EQ(current, 2) << "a current row past the end becomes the last row";
  }
  ImageList tail = MakeList(3);
  tail.DeleteRows(1, 2);
  EXPECT_EQ(Paths(tail), (std::vector<std::string>{"p1"}));
}

TEST(ImageList, DeletingEveryRowLeavesTheEmptyList) {
  ImageList list = MakeList(3);
  list.DeleteSelection(0, 2, 0);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.Effects(0), "");

  list.AddPath("q");
  EXPECT_EQ(Paths(list), (std::vector<std::string>{"q"})) << "the next picture fills row 0";
  list.DeleteSelection(0, 0, 0);
  EXPECT_TRUE(list.IsEmpty()) << "a one-row list empties whatever is selected";
}

TEST(ImageList, OptionalColumnsAppearWithTheirFirstCellAndMoveWithTheRow) {
  ImageList list = MakeList(3);
  EXPECT_EQ(list.DisplayTime(1), "");
  EXPECT_EQ(list.Motion(1), "");
  list.SetCellAdding(1, kMotionColumn, "");
  EXPECT_EQ(list.ColumnCount(), kDefaultColumnCount) << "clearing a cell the list lacks adds nothing";

  list.SetCellAdding(1, kDisplayTimeColumn, "2.5");
  EXPECT_EQ(list.ColumnCount(), kDisplayTimeColumn + 1);
  list.SetCellAdding(2, kMotionColumn, "Zoom In");
  EXPECT_EQ(list.ColumnCount(), kMotionColumn + 1);
  EXPECT_EQ(list.Motion(1), "");

  // The optional cells travel with their row when rows move or are deleted.
  list.MoveRow(1, 2);
  EXPECT_EQ(list.DisplayTime(2), "2.5");
  EXPECT_EQ(list.Motion(1), "Zoom In");
  EXPECT_EQ(list.Path(1), "p3");
  list.DeleteRows(0, 0);
  EXPECT_EQ(list.Motion(0), "Zoom In");
  EXPECT_EQ(list.DisplayTime(1), "2.5");
}

}  // namespace
}  // namespace sf
