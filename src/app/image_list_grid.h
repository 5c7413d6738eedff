// The image list grid: one row per picture of an sf::ImageList, the row tab in
// column 0 (drag it to move the row), the path column, and the transition and
// effect columns kept hidden; the main window's grid also shows each row's
// display time and motion. Rows are selected whole, a range with Shift.
//   auto* grid = new ImageListGrid(m_images, this);
//   list.AddPath(path); grid->Reload(); grid->SelectRow(list.LastRow());
#pragma once

#include <QTableView>

class QAction;
class QMenu;

namespace sf {
class ImageList;
}

namespace sf::app {

class GridCells;
class ImageListModel;

class ImageListGrid final : public QTableView {
  Q_OBJECT

 public:
  ImageListGrid(ImageList& list, QWidget* parent);

  ImageList& List() { return m_list; }
  // Shows the list again after it changed (rows added, removed or rewritten).
  void Reload();

  int CurrentRow() const;
  // The first and last rows of the selected range; the current row when nothing is selected.
  int SelectionTop() const;
  int SelectionBottom() const;
  int SelectedRowCount() const { return SelectionBottom() - SelectionTop() + 1; }
  // These move the selection without emitting RowSelected.
  void SelectRow(int row);
  void SelectRows(int anchor, int current);
  void SelectAllRows();

  // While suppressed no cell is painted.
  void SetDrawingSuppressed(bool suppressed);
  // From now on the display-time and motion columns show, under a header
  // naming them, even while the list has no such cells yet.
  void ShowRowTimingColumns();

  // The pop-up menu and its items, in menu order.
  QMenu* PopupMenu() const { return m_popup; }
  QAction* ViewImageAction() const { return m_view_image; }
  QAction* ImageInformationAction() const { return m_image_information; }
  QAction* SortSelectionAction() const { return m_sort_selection; }
  QAction* SelectAllAction() const { return m_select_all; }

 signals:
  // The person moved the current row or clicked a row.
  void RowSelected();
  void RowDoubleClicked();
  // Delete was pressed in the grid.
  void DeletePressed();
  // A row was dragged by its tab to another place.
  void RowMoved();
  // The pop-up menu is about to open: set its items' state now.
  void PopupAboutToShow();

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // Only vertically: the row tab stays at the left edge.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  void CreatePopupMenu();
  void ApplyColumnWidths();
  void ReportRowChange();

  ImageList& m_list;
  ImageListModel* m_model;
  QMenu* m_popup = nullptr;
  QAction* m_view_image = nullptr;
  QAction* m_image_information = nullptr;
  QAction* m_sort_selection = nullptr;
  QAction* m_select_all = nullptr;
  GridCells* m_cells;
  bool m_drawing_suppressed = false;
  bool m_row_timing_shown = false;
  bool m_moving_selection = false;  // a programmatic selection change
  bool m_row_changed = false;       // the person moved the current row during this input event
  int m_drag_row = -1;              // the row whose tab is held
};

}  // namespace sf::app
