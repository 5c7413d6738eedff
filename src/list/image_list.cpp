#include "list/image_list.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace sf {

ImageList::ImageList(int column_count)
    : m_column_count(std::max(column_count, kDefaultColumnCount)),
      m_rows(1, std::vector<std::string>(static_cast<std::size_t>(m_column_count))) {}

void ImageList::CheckRow(int row) const {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("Row " + std::to_string(row) + " is not in the list");
}

const std::string& ImageList::Cell(int row, int column) const {
  CheckRow(row);
  if (column < 0 || column >= m_column_count) throw std::out_of_range("Column " + std::to_string(column) + " is not in the list");
  return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ImageList::SetCell(int row, int column, std::string text) {
  Cell(row, column);
  m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

const std::string& ImageList::CellOrEmpty(int row, int column) const {
  static const std::string kEmpty;
  CheckRow(row);
  return column >= m_column_count ? kEmpty : Cell(row, column);
}

void ImageList::SetCellAdding(int row, int column, std::string text) {
  CheckRow(row);
  if (column >= m_column_count) {
    if (text.empty()) return;
    SetColumnCount(column + 1);
  }
  SetCell(row, column, std::move(text));
}

void ImageList::SetRowCount(int rows) {
  m_rows.resize(static_cast<std::size_t>(std::max(rows, 1)), std::vector<std::string>(static_cast<std::size_t>(m_column_count)));
}

void ImageList::SetColumnCount(int columns) {
  m_column_count = std::max(columns, kDefaultColumnCount);
  for (auto& row : m_rows) row.resize(static_cast<std::size_t>(m_column_count));
}

void ImageList::AppendRow() { SetRowCount(RowCount() + 1); }

void ImageList::AddPath(std::string path) {
  if (!IsEmpty()) AppendRow();
  SetCell(LastRow(), kPathColumn, std::move(path));
}

void ImageList::Clear() {
  m_rows.assign(1, std::vector<std::string>(static_cast<std::size_t>(m_column_count)));
}

void ImageList::SwapRows(int a, int b) {
  CheckRow(a);
  CheckRow(b);
  auto& row_a = m_rows[static_cast<std::size_t>(a)];
  auto& row_b = m_rows[static_cast<std::size_t>(b)];
  for (std::size_t c = kPathColumn; c < row_a.size(); ++c) std::swap(row_a[c], row_b[c]);
}

void ImageList::MoveRow(int from, int to) {
  CheckRow(from);
  CheckRow(to);
  const int step = from < to ? 1 : -1;
  for (int r = from; r != to; r += step) SwapRows(r, r + step);
}

int ImageList::DeleteSelection(int row_a, int row_b, int current_row) {
  DeleteRows(std::min(row_a, row_b), std::max(row_a, row_b));
  return std::clamp(current_row, 0, LastRow());
}

void ImageList::DeleteRows(int first, int last) {
  if (RowCount() < 2) {
    Clear();
    return;
  }
  CheckRow(first);
  CheckRow(last);
  if (first > last) std::swap(first, last);
  const int n = last - first + 1;
  // Every row below the block moves up by n; rows past the end read as empty.
  for (int r = first; r < RowCount(); ++r) {
    for (int c = kPathColumn; c < m_column_count; ++c) {
      std::string moved = r + n < RowCount() ? Cell(r + n, c) : std::string();
      SetCell(r, c, std::move(moved));
    }
  }
  const bool every_row = first == 0 && last == LastRow();
  SetRowCount(every_row ? RowCount() - n + 1 : RowCount() - n);
  // One row left without a picture is the empty list.
  if (RowCount() == 1 && IsEmpty()) Clear();
}

}  // namespace sf
