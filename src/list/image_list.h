// The image list: the rows of the main grid in playing order, each row a picture
// path with its transition and effect texts. Never fewer than one row; the list is
// empty exactly when the path cell of row 0 is empty.
//   ImageList list;
//   list.AddPath("/pics/beach1.jpg");     // fills row 0 first, then appends
//   list.DeleteSelection(2, 4);           // rows 2..4 go, the rest move up
#pragma once

#include <string>
#include <vector>

namespace sf {

// Column 0 is the row tab (normally empty); the grid starts with four columns.
inline constexpr int kRowTabColumn = 0;
inline constexpr int kPathColumn = 1;
inline constexpr int kTransitionColumn = 2;
inline constexpr int kEffectsColumn = 3;
inline constexpr int kDefaultColumnCount = 4;
inline constexpr int kDisplayTimeColumn = 4;
inline constexpr int kMotionColumn = 5;
// Pixel widths of the four columns: the path column shows, the other two are hidden.
inline constexpr int kDefaultColumnWidths[kDefaultColumnCount] = {15, 378, 0, 0};

class ImageList {
 public:
  // One empty row of column_count cells (at least kDefaultColumnCount).
  explicit ImageList(int column_count = kDefaultColumnCount);

  int RowCount() const { return static_cast<int>(m_rows.size()); }
  int ColumnCount() const { return m_column_count; }
  bool IsEmpty() const { return m_rows[0][kPathColumn].empty(); }
  // The number of pictures: 0 for the empty list, else the row count.
  int ImageCount() const { return IsEmpty() ? 0 : RowCount(); }
  int LastRow() const { return RowCount() - 1; }

  const std::string& Cell(int row, int column) const;
  void SetCell(int row, int column, std::string text);
  const std::string& Path(int row) const { return Cell(row, kPathColumn); }
  const std::string& Transition(int row) const { return Cell(row, kTransitionColumn); }
  const std::string& Effects(int row) const { return Cell(row, kEffectsColumn); }

  // Rows added at the end are empty; the count never goes below one.
  void SetRowCount(int rows);
  // Cells added to every row are empty; the count never goes below four.
  void SetColumnCount(int columns);
  void AppendRow();
  // A new picture: into row 0 while the list is empty, else into a new last row.
  void AddPath(std::string path);
  // Back to one row of empty cells.
  void Clear();

  // Exchanges columns 1 to the last between two rows; the row tabs stay.
  void SwapRows(int a, int b);
  // Moves row from to position to, the rows between shifting by one (columns 1
  // to the last move, the row tabs stay), as dragging a row tab does.
  void MoveRow(int from, int to);

  // Deletes the selected rows between row_a and row_b (either order). A list of
  // fewer than two rows becomes empty; deleting every row leaves the empty list.
  // Returns the current row afterwards: current_row, or the last row when the
  // list became shorter than that.
  int DeleteSelection(int row_a, int row_b, int current_row);
  // Deletes rows first..last, as validation removes a block of missing pictures.
  void DeleteRows(int first, int last);

 private:
  void CheckRow(int row) const;

  int m_column_count;
  std::vector<std::vector<std::string>> m_rows;
};

}  // namespace sf
