// The cell painter of the image list grid: the row tab raised and written in
// red, selected rows in the selection colours, every other cell blue on the
// button face, long paths shortened with "..." after their first three characters.
//   grid->setItemDelegate(new GridCells(path_column_width, grid));
#pragma once

#include <QStyledItemDelegate>

namespace sf::app {

class GridCells final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // Texts wider than path_column_width are shortened.
  GridCells(int path_column_width, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The text a cell shows in the given font.
  QString ShownText(const QString& text, const QFont& font) const;

 private:
  int m_path_column_width;
};

}  // namespace sf::app
