#include "app/image_list_grid.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

#include "app/grid_cells.h"
#include "list/image_list.h"

namespace sf::app {

// A read-only view of the list's cells for the table view.
class ImageListModel final : public QAbstractTableModel {
 public:
  ImageListModel(ImageList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_list.RowCount(); }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : std::max(m_list.ColumnCount(), m_least_columns);
  }
  // Cells of columns the list does not have yet show empty.
  QVariant data(const QModelIndex& index, int role) const override {
    // Painting can come while a long command still changes the list.
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.RowCount()) return {};
    return QString::fromStdString(m_list.CellOrEmpty(index.row(), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == kDisplayTimeColumn) return QStringLiteral("Seconds");
    if (section == kMotionColumn) return QStringLiteral("Motion");
    return QString();
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void ShowColumnsUpTo(int columns) {
    beginResetModel();
    m_least_columns = columns;
    endResetModel();
  }

 private:
  ImageList& m_list;
  int m_least_columns = 0;
};

namespace {

constexpr int kDefaultRowHeight = 15;
// With the display-time and motion columns showing, the path column gives up
// their room so that the grid keeps its width.
constexpr int kDisplayTimeColumnWidth = 60;
constexpr int kMotionColumnWidth = 90;
constexpr int kRowTimingPathWidth = kDefaultColumnWidths[kPathColumn] - kDisplayTimeColumnWidth - kMotionColumnWidth;

}  // namespace

ImageListGrid::ImageListGrid(ImageList& list, QWidget* parent)
    : QTableView(parent),
      m_list(list),
      m_model(new ImageListModel(list, this)),
      m_cells(new GridCells(kDefaultColumnWidths[kPathColumn], this)) {
  setObjectName("StringGrid");
  setModel(m_model);
  setItemDelegate(m_cells);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(kDefaultRowHeight);
  horizontalHeader()->setMinimumSectionSize(kDefaultColumnWidths[kRowTabColumn]);
  verticalHeader()->setDefaultSectionSize(std::max(kDefaultRowHeight, fontMetrics().height() + 2));
  setStyleSheet("QTableView { gridline-color: #C0C0C0; }");
  setToolTip("Click and hold the left mouse button on the row tabs to move a row.");
  setMouseTracking(true);
  ApplyColumnWidths();
  CreatePopupMenu();
}

void ImageListGrid::ApplyColumnWidths() {
  for (int c = 0; c < m_model->columnCount({}); ++c) {
    int width = c < kDefaultColumnCount ? kDefaultColumnWidths[c] : 0;
    if (m_row_timing_shown) {
      if (c == kPathColumn) width = kRowTimingPathWidth;
      if (c == kDisplayTimeColumn) width = kDisplayTimeColumnWidth;
      if (c == kMotionColumn) width = kMotionColumnWidth;
    }
    setColumnHidden(c, width == 0);
    if (width > 0) setColumnWidth(c, width);
  }
  horizontalHeader()->setStretchLastSection(false);
}

void ImageListGrid::ShowRowTimingColumns() {
  m_row_timing_shown = true;
  m_cells->SetPathColumnWidth(kRowTimingPathWidth);
  m_model->ShowColumnsUpTo(kMotionColumn + 1);
  horizontalHeader()->show();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  ApplyColumnWidths();
}

void ImageListGrid::CreatePopupMenu() {
  m_popup = new QMenu(this);
  m_popup->setObjectName("GridPopMenu");
  m_view_image = m_popup->addAction("&View Selected Image");
  m_view_image->setObjectName("ViewImageBtn1");
  m_image_information = m_popup->addAction("Get Selected Image &Information");
  m_image_information->setObjectName("ImageInformation1");
  m_popup->addSeparator();
  m_sort_selection = m_popup->addAction("S&ort Selection");
  m_sort_selection->setObjectName("SortSelection1");
  m_select_all = m_popup->addAction("Se&lect All");
  m_select_all->setObjectName("SelectAll1");
  connect(m_popup, &QMenu::aboutToShow, this, &ImageListGrid::PopupAboutToShow);
}

void ImageListGrid::Reload() {
  const int current = CurrentRow();
  m_model->Reset();
  ApplyColumnWidths();
  SelectRow(std::clamp(current, 0, m_list.LastRow()));
}

int ImageListGrid::CurrentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : 0;
}

int ImageListGrid::SelectionTop() const {
  const QItemSelection selection = selectionModel()->selection();
  if (selection.isEmpty()) return CurrentRow();
  int top = selection.front().top();
  for (const QItemSelectionRange& range : selection) top = std::min(top, range.top());
  return top;
}

int ImageListGrid::SelectionBottom() const {
  const QItemSelection selection = selectionModel()->selection();
  if (selection.isEmpty()) return CurrentRow();
  int bottom = selection.front().bottom();
  for (const QItemSelectionRange& range : selection) bottom = std::max(bottom, range.bottom());
  return bottom;
}

void ImageListGrid::SelectRow(int row) { SelectRows(row, row); }

void ImageListGrid::SelectRows(int anchor, int current) {
  anchor = std::clamp(anchor, 0, m_list.LastRow());
  current = std::clamp(current, 0, m_list.LastRow());
  m_moving_selection = true;
  const QItemSelection range(m_model->index(std::min(anchor, current), 0),
                             m_model->index(std::max(anchor, current), m_model->columnCount({}) - 1));
  selectionModel()->setCurrentIndex(m_model->index(current, kPathColumn), QItemSelectionModel::NoUpdate);
  selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
  scrollTo(m_model->index(current, kPathColumn));
  m_moving_selection = false;
}

void ImageListGrid::SelectAllRows() { SelectRows(m_list.LastRow(), 0); }

void ImageListGrid::SetDrawingSuppressed(bool suppressed) {
  m_drawing_suppressed = suppressed;
  if (!suppressed) viewport()->update();
}

void ImageListGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  // Reported once the input event is done, when the selection has followed.
  if (!m_moving_selection && m_drag_row < 0 && current.isValid() && current.row() != previous.row()) {
    m_row_changed = true;
  }
}

void ImageListGrid::ReportRowChange() {
  if (!m_row_changed) return;
  m_row_changed = false;
  emit RowSelected();
}

void ImageListGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid() && index.column() == kRowTabColumn) {
    m_drag_row = index.row();  // the row tab: hold it to move the row, no selection
    return;
  }
  const int before = CurrentRow();
  QTableView::mousePressEvent(event);
  // A click on the row that is already current still counts as a selection.
  if (event->button() == Qt::LeftButton && index.isValid() && index.row() == before) m_row_changed = true;
}

void ImageListGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (m_drag_row < 0) {
    QTableView::mouseReleaseEvent(event);
    ReportRowChange();
    return;
  }
  const int from = m_drag_row;
  m_drag_row = -1;
  int to = rowAt(event->position().toPoint().y());
  if (to < 0) to = event->position().y() < 0 ? 0 : m_list.LastRow();
  if (to == from) return;
  m_list.MoveRow(from, to);
  m_model->Reset();
  ApplyColumnWidths();
  SelectRow(to);
  emit RowMoved();
}

void ImageListGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit RowDoubleClicked();
}

void ImageListGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    emit DeletePressed();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
  ReportRowChange();
}

void ImageListGrid::contextMenuEvent(QContextMenuEvent* event) { m_popup->popup(event->globalPos()); }

void ImageListGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index.sibling(index.row(), kRowTabColumn), hint);
}

void ImageListGrid::paintEvent(QPaintEvent* event) {
  if (m_drawing_suppressed) return;
  QTableView::paintEvent(event);
}

}  // namespace sf::app
