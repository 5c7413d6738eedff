// The cell painter of the image list grid: the row tab raised and written in
// red, selected rows in the selection colours, every other cell blue on the
// button face, long texts shortened with "..." after their first three characters.
//   grid->setItemDelegate(new GridCells(path_column_width, grid));
#pragma once

#include <QStyledItemDelegate>

namespace sf::app {

class GridCells final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // Paths wider than path_column_width are shortened; the texts of the other
  // columns to their cell's width.
  GridCells(int path_column_width, QObject* parent);
  void SetPathColumnWidth(int width) { m_path_column_width = width; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The text a path cell shows in the given font.
  QString ShownText(const QString& text, const QFont& font) const { return Shortened(text, font, m_path_column_width); }

 private:
  QString Shortened(const QString& text, const QFont& font, int width) const;

  int m_path_column_width;
};

}  // namespace sf::app
